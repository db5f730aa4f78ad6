// TImage painting and automatic transparency.
#include "kit/image.h"

#include <QPainter>

namespace kit {

TImage::TImage(QWidget* parent) : TControl(parent) {}

void TImage::paintEvent(QPaintEvent*) {
    if (Picture.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, Picture);
}

QImage WithBottomLeftTransparent(const QImage& image) {
    if (image.isNull()) return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return out;
}

}  // namespace kit
