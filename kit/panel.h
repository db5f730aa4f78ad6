// TPanel: a rectangle with an outer and an inner bevel, filled with its colour.
#pragma once

#include "kit/bevel.h"
#include "kit/control.h"

namespace kit {

class TPanel : public TControl {
  public:
    explicit TPanel(QWidget* parent);

    TBevelCut BevelOuter = TBevelCut::Raised;
    TBevelCut BevelInner = TBevelCut::None;
    QColor Color = kSilver;
    QString Caption;  // centred, drawn under the panel's children

  protected:
    void paintEvent(QPaintEvent*) override;
};

// TBevel: a bevel without a fill. Box: one ring (raised or lowered). Frame: an etched frame, a
// ring and a second ring of the opposite cut one pixel in and down.
class TBevel : public TControl {
  public:
    enum class TShapeKind { Box, Frame };
    explicit TBevel(QWidget* parent);

    TShapeKind Shape = TShapeKind::Box;
    TBevelCut Style = TBevelCut::Lowered;

  protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace kit
