// TShape: a rectangle drawn with a one-pixel pen over its fill. One pixel high, it shows as a
// single row in the pen colour.
#pragma once

#include "kit/bevel.h"
#include "kit/control.h"

namespace kit {

class TShape : public TControl {
  public:
    explicit TShape(QWidget* parent);

    QColor PenColor = Qt::black;
    QColor BrushColor = Qt::white;

  protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace kit
