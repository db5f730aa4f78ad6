// TImage: a picture at its own size in the top-left corner of its box.
#pragma once

#include "kit/control.h"

#include <QImage>

namespace kit {

class TImage : public TControl {
  public:
    explicit TImage(QWidget* parent);

    QImage Picture;

  protected:
    void paintEvent(QPaintEvent*) override;
};

// `image` with every pixel of the colour of its bottom-left pixel made transparent.
QImage WithBottomLeftTransparent(const QImage& image);

}  // namespace kit
