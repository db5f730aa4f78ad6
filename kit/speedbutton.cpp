// TSpeedButton painting and click logic.
#include "kit/speedbutton.h"

#include "kit/bevel.h"
#include "kit/image.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace kit {
namespace {
constexpr int kFrame = 2;  // the 3-D frame's width on each side
}

TSpeedButton::TSpeedButton(QWidget* parent) : TControl(parent) { setFocusPolicy(Qt::NoFocus); }

void TSpeedButton::SetGlyph(const QImage& glyph) {
    glyph_ = WithBottomLeftTransparent(glyph);
    update();
}

QPoint TSpeedButton::GlyphOrigin() const {
    const QRect face = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    return {face.left() + (face.width() - glyph_.width() + 1) / 2,
            face.top() + (face.height() - glyph_.height() + 1) / 2};
}

bool TSpeedButton::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const QString text = ShowHint ? HintText(Hint) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text, this, rect(), 2500);
        }
        return true;
    }
    return TControl::event(e);
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    const QRect outer = rect();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    if (down_) {
        DrawRing(p, outer, pal.color(QPalette::Shadow), pal.color(QPalette::Light));
        DrawRing(p, inner, pal.color(QPalette::Dark), pal.color(QPalette::Midlight));
    } else {
        DrawRing(p, outer, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        DrawRing(p, inner, pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
    }
    if (!glyph_.isNull()) {
        QPoint at = GlyphOrigin() + (down_ ? QPoint(1, 1) : QPoint(0, 0));
        p.setClipRect(rect().adjusted(kFrame, kFrame, -kFrame, -kFrame));
        p.drawImage(at, glyph_);
    }
}

void TSpeedButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        held_ = down_ = true;
        repaint();
    }
    TControl::mousePressEvent(e);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* e) {
    if (held_) {
        bool over = rect().contains(e->position().toPoint());
        if (over != down_) {
            down_ = over;
            repaint();
        }
    }
    TControl::mouseMoveEvent(e);
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    bool click = false;
    if (e->button() == Qt::LeftButton && held_) {
        click = rect().contains(e->position().toPoint());
        held_ = down_ = false;
        repaint();
    }
    TControl::mouseReleaseEvent(e);
    if (click) Fire(OnClick);
}

}  // namespace kit
