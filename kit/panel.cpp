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

TBevel::TBevel(QWidget* parent) : TControl(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (Shape == TShapeKind::Box) {
        DrawBevelRing(p, r, Style, palette());
        return;
    }
    // An etched frame: a ring in one colour, then one pixel in and down a ring in the other.
    const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Dark);
    const QColor first = Style == TBevelCut::Raised ? dark : light;
    const QColor second = Style == TBevelCut::Raised ? light : dark;
    DrawRing(p, r.adjusted(0, 0, -1, -1), first, first);
    DrawRing(p, r.adjusted(1, 1, 0, 0), second, second);
}

}  // namespace kit
