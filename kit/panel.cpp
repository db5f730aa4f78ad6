// TPanel painting.
#include "kit/panel.h"

#include <QPainter>

namespace kit {

TPanel::TPanel(QWidget* parent) : TControl(parent) {}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, Color);
    if (BevelOuter != TBevelCut::None) {
        DrawBevelRing(p, r, BevelOuter, palette());
        r.adjust(1, 1, -1, -1);
    }
    if (BevelInner != TBevelCut::None) {
        DrawBevelRing(p, r, BevelInner, palette());
        r.adjust(1, 1, -1, -1);
    }
    if (!Caption.isEmpty()) {
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, Caption);
    }
}

}  // namespace kit
