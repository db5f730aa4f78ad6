// TClassicStyle: the program's style. The "Windows" style, with a 500 ms tooltip wake-up and
// its own drawing of menu items that carry a picture.
#pragma once

#include <QIcon>
#include <QImage>
#include <QProxyStyle>

namespace kit {

// Height of a menu item that carries a picture, whatever the picture's size.
inline constexpr int kPicturedItemHeight = 19;

class TClassicStyle : public QProxyStyle {
  public:
    TClassicStyle();

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// The icon that marks a menu item as pictured: `picture` in a 16 × 16 cell (smaller pictures
// centred at their size, larger ones scaled down to 16 × 16), the colour of its bottom-left
// pixel transparent. A null picture gives an empty cell: the item is still drawn as pictured.
QIcon MenuPicture(const QImage& picture);

}  // namespace kit
