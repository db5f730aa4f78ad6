// TLabel: a line of text in a fixed box. "&" is shown as it is.
#pragma once

#include "kit/bevel.h"
#include "kit/control.h"

namespace kit {

class TLabel : public TControl {
  public:
    explicit TLabel(QWidget* parent);

    QString Caption;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignTop;
    bool Transparent = false;  // when false the box is filled with Color
    QColor Color = kSilver;
    QColor FontColor = Qt::black;

  protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace kit
