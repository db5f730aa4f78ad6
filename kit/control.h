// TControl: the base of the kit's widgets. Carries the mouse hooks a window wires to its
// handlers, with the press/release/double-click semantics the bar's handlers are written for.
#pragma once

#include <QWidget>

#include <functional>

namespace kit {

class TControl : public QWidget {
  public:
    using MouseHook = std::function<void(TControl* sender, Qt::MouseButton button, int x, int y)>;
    using MoveHook = std::function<void(TControl* sender, Qt::MouseButtons held, int x, int y)>;
    using NotifyHook = std::function<void(TControl* sender)>;

    explicit TControl(QWidget* parent);

    // Hooks; each runs through kit::Guard, so an exception leaving it shows the error box.
    MouseHook OnMouseDown;  // a press of any button; also the second press of a double click
    MouseHook OnMouseUp;    // left: the release of a press that began here (wherever it ends);
                            // other buttons: a release over this control
    MoveHook OnMouseMove;   // moves over this control, or anywhere while a press that began here
    NotifyHook OnDblClick;  // a left double click, before the OnMouseDown of its second press
    NotifyHook OnClick;     // subclasses decide what a click is

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    void Fire(const NotifyHook& hook);
};

}  // namespace kit
