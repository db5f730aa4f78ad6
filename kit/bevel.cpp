// Bevel rings and the classic palette.
#include "kit/bevel.h"

#include <QPainter>

namespace kit {

void DrawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    p.fillRect(QRect(l, t, rt - l, 1), topLeft);  // top row, but its last pixel
    if (b - t > 1) p.fillRect(QRect(l, t + 1, 1, b - t - 1), topLeft);  // left column
    p.fillRect(QRect(rt, t, 1, b - t + 1), bottomRight);                // right column
    p.fillRect(QRect(l, b, rt - l + 1, 1), bottomRight);                // bottom row
}

void DrawBevelRing(QPainter& p, const QRect& r, TBevelCut cut, const QPalette& palette) {
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    if (cut == TBevelCut::Raised) DrawRing(p, r, light, dark);
    if (cut == TBevelCut::Lowered) DrawRing(p, r, dark, light);
}

QFont WindowFont(int pixels, bool bold, bool italic) {
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                   QStringLiteral("IPAPGothic")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QPalette ClassicPalette() {
    QPalette pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, kSilver);
        pal.setColor(group, QPalette::Button, kSilver);
        pal.setColor(group, QPalette::Light, Qt::white);
        pal.setColor(group, QPalette::Midlight, QColor(223, 223, 223));
        pal.setColor(group, QPalette::Mid, QColor(160, 160, 160));
        pal.setColor(group, QPalette::Dark, kGray);
        pal.setColor(group, QPalette::Shadow, Qt::black);
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::AlternateBase, QColor(233, 233, 233));
        pal.setColor(group, QPalette::Text, Qt::black);
        pal.setColor(group, QPalette::WindowText, Qt::black);
        pal.setColor(group, QPalette::ButtonText, Qt::black);
        pal.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
        pal.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        pal.setColor(group, QPalette::ToolTipText, Qt::black);
    }
    pal.setColor(QPalette::Disabled, QPalette::Text, kGray);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kGray);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, kGray);
    return pal;
}

}  // namespace kit
