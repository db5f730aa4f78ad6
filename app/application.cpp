// THopscootApplication: guarded event delivery.
#include "app/application.h"

#include "kit/guard.h"

namespace app {

bool THopscootApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    kit::Guard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace app
