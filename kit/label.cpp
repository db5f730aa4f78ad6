// TLabel painting.
#include "kit/label.h"

#include <QPainter>

namespace kit {

TLabel::TLabel(QWidget* parent) : TControl(parent) {}

void TLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!Transparent) p.fillRect(rect(), Color);
    p.setFont(font());
    p.setPen(FontColor);
    p.drawText(rect(), static_cast<int>(Alignment) | Qt::TextSingleLine, Caption);
}

}  // namespace kit
