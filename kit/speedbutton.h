// TSpeedButton: a push button that takes no focus: a raised 3-D frame around a face in the
// button-face colour, an optional glyph centred on the face. It shows pressed, with the glyph one
// pixel right and down, while the left button is held on it; the click comes when the left
// button is released over it. Other buttons never press it.
#pragma once

#include "kit/control.h"

#include <QImage>

namespace kit {

class TSpeedButton : public TControl {
  public:
    explicit TSpeedButton(QWidget* parent);

    // The glyph as painted: the colour of its bottom-left pixel is transparent.
    void SetGlyph(const QImage& glyph);
    const QImage& Glyph() const { return glyph_; }

    bool Down() const { return down_; }

    // Tooltip: shown after a 500 ms rest while one of the program's windows is active, just
    // below the pointer, up to the first "|" of Hint; hidden after 2500 ms or on leaving. An
    // empty text shows none.
    QString Hint;
    bool ShowHint = false;
    static QString HintText(const QString& hint) { return hint.section(QLatin1Char('|'), 0, 0); }

    // Where the glyph's top-left corner goes when not pressed.
    QPoint GlyphOrigin() const;

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    QImage glyph_;
    bool held_ = false;  // the left button went down here and is not released yet
    bool down_ = false;  // drawn pressed: held and over the button
};

}  // namespace kit
