// THopscootApplication: the application object. Every event goes through kit::Guard, so an
// exception leaving any handler shows the error box and the loop goes on.
#pragma once

#include <QApplication>

namespace app {

class THopscootApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace app
