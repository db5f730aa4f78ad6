// Bevel rings and the colours they are drawn with.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QPainter;

namespace kit {

enum class TBevelCut { None, Raised, Lowered };

inline const QColor kSilver{192, 192, 192};
inline const QColor kGray{128, 128, 128};

// A one-pixel ring just inside `r`: raised is the button-highlight colour (palette Light) on the
// top and left edges and the button-shadow colour (palette Dark) on the bottom and right edges;
// lowered is the reverse. The top-right and bottom-left corner pixels take the bottom-right
// colour.
void DrawBevelRing(QPainter& p, const QRect& r, TBevelCut cut, const QPalette& palette);

// Draws a ring with explicit colours, same corner rule.
void DrawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight);

// The windows' font: "ＭＳ Ｐゴシック" at `pixels`, falling back to "MS PGothic" and then to
// the metric-compatible "IPAPGothic"; drawn without antialiasing, as bitmap strikes were.
QFont WindowFont(int pixels, bool bold = false, bool italic = false);

// The classic desktop palette the program's windows are drawn with: silver faces, white
// highlight, gray shadow, black dark shadow.
QPalette ClassicPalette();

}  // namespace kit
