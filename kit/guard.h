// The one place an exception leaving a handler is turned into the error box.
#pragma once

#include <functional>

namespace kit {

// Runs `handler`; an exception that leaves it is shown by ShowErrorBox and swallowed, so the
// event loop goes on. Returns false when an exception was caught.
bool Guard(const std::function<void()>& handler);

}  // namespace kit
