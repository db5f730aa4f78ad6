// TShape painting.
#include "kit/shape.h"

#include <QPainter>

namespace kit {

TShape::TShape(QWidget* parent) : TControl(parent) {}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), BrushColor);
    DrawRing(p, rect(), PenColor, PenColor);
}

}  // namespace kit
