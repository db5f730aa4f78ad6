// TClassicStyle: tooltip timing and the pictured menu item painter.
#include "kit/classicstyle.h"

#include "kit/bevel.h"
#include "kit/image.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace kit {
namespace {
constexpr int kCell = 16;
constexpr int kTextGap = 4;  // between the cell's frame and the caption
}  // namespace

TClassicStyle::TClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

int TClassicStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* ret) const {
    if (hint == SH_ToolTip_WakeUpDelay) return 500;
    return QProxyStyle::styleHint(hint, option, widget, ret);
}

QSize TClassicStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuItemType != QStyleOptionMenuItem::Separator && !item->icon.isNull()) {
            s.setHeight(kPicturedItemHeight);
        }
    }
    return s;
}

void TClassicStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                                const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->icon.isNull() ||
        item->menuItemType == QStyleOptionMenuItem::Separator) {
        QProxyStyle::drawControl(element, option, p, widget);
        return;
    }
    const QRect r = item->rect;
    const QPalette& pal = item->palette;
    const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
    const QRect frame(r.left(), r.top(), kCell + 2, kCell + 2);
    const QRect cell = frame.adjusted(1, 1, -1, -1);

    p->fillRect(r, pal.color(QPalette::Button));
    if (selected) {
        p->fillRect(QRect(QPoint(frame.right() + 1, r.top()), r.bottomRight()),
                    pal.color(QPalette::Highlight));
        DrawRing(*p, frame, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
    p->drawPixmap(cell.topLeft(), item->icon.pixmap(kCell, kCell));

    QRect text = r.adjusted(frame.width() + kTextGap, 0, 0, 0);
    p->setFont(item->font);
    p->setPen(!(item->state & State_Enabled) ? pal.color(QPalette::Disabled, QPalette::Text)
              : selected                     ? pal.color(QPalette::HighlightedText)
                                             : pal.color(QPalette::ButtonText));
    const QString caption = item->text.section(QLatin1Char('\t'), 0, 0);
    p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, caption);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOptionMenuItem arrow = *item;
        arrow.rect = QRect(r.right() - 12, r.top() + (r.height() - 9) / 2, 9, 9);
        arrow.palette.setColor(QPalette::ButtonText, p->pen().color());
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, p, widget);
    }
}

QIcon MenuPicture(const QImage& picture) {
    QImage cell(kCell, kCell, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    if (!picture.isNull()) {
        QImage pic = WithBottomLeftTransparent(picture);
        if (pic.width() >= kCell || pic.height() >= kCell) {
            pic = pic.scaled(kCell, kCell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        QPainter p(&cell);
        p.drawImage((kCell - pic.width()) / 2, (kCell - pic.height()) / 2, pic);
    }
    return QIcon(QPixmap::fromImage(cell));
}

}  // namespace kit
