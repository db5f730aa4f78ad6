// TControl: mouse hook dispatch.
#include "kit/control.h"

#include "kit/form.h"
#include "kit/guard.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace kit {

TControl::TControl(QWidget* parent) : QWidget(parent) {}

void TControl::Fire(const NotifyHook& hook) {
    if (hook) Guard([&] { hook(this); });
}

void TControl::mousePressEvent(QMouseEvent* e) {
    // Accepted even without a hook, so that this control keeps the press and its release.
    e->accept();
    if (OnMouseDown) {
        QPoint p = e->position().toPoint();
        Guard([&] { OnMouseDown(this, e->button(), p.x(), p.y()); });
    }
}

void TControl::mouseReleaseEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        if (OnMouseUp) Guard([&] { OnMouseUp(this, e->button(), p.x(), p.y()); });
    } else {
        // Only the left button holds the mouse: other releases belong to the control under the
        // pointer.
        QWidget* top = window();
        QWidget* hit = top->childAt(mapTo(top, p));
        if (auto* under = dynamic_cast<TControl*>(hit); under && under->OnMouseUp) {
            QPoint q = under->mapFrom(this, p);
            Guard([&] { under->OnMouseUp(under, e->button(), q.x(), q.y()); });
        }
    }
    e->accept();
    if (e->button() == Qt::RightButton) {
        if (auto* form = dynamic_cast<TForm*>(window())) {
            form->RightButtonReleased(e->globalPosition().toPoint());
        }
    }
}

void TControl::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    if (OnMouseMove) {
        QPoint p = e->position().toPoint();
        Guard([&] { OnMouseMove(this, e->buttons(), p.x(), p.y()); });
    }
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Fire(OnDblClick);
    mousePressEvent(e);  // the second press of a double click is a press too
}

void TControl::contextMenuEvent(QContextMenuEvent* e) {
    // The window decides: a mouse menu opens on the right button's release, not here.
    e->ignore();
}

}  // namespace kit
