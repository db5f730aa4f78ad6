// TForm: the base of the program's windows.
#pragma once

#include <QWidget>

namespace kit {

class TForm : public QWidget {
  public:
    using QWidget::QWidget;

    // The right button was released over this window or any control on it, at `global`.
    virtual void RightButtonReleased(QPoint global) { (void)global; }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace kit
