// The program's body, shared by the executable and the start-up benchmark's probe.
#pragma once

#include <functional>

class QWidget;

namespace app {

// Runs the program: guard, application, bar, loop; always returns 0. `beforeShow`, when given,
// is called with the bar just before it is first shown.
int Run(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow = {});

}  // namespace app
