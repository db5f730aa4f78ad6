// TTrayIcon over QSystemTrayIcon (XEmbed trays and StatusNotifierItem hosts alike).
#include "shell/trayicon.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace shell {

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent) {}

void TTrayIcon::Add(const QIcon& icon, const QString& tip) {
    if (icon_) return;  // already there: the add is refused without effect
    icon_ = new QSystemTrayIcon(icon, this);
    icon_->setToolTip(tip);
    // Qt reports Trigger for a left press and Context for a right press (no menu is attached,
    // so the press is ours). A double click comes as Trigger then DoubleClick: only the first
    // press acts.
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (!OnPress) return;
        if (r == QSystemTrayIcon::Trigger) OnPress(Qt::LeftButton, QCursor::pos());
        if (r == QSystemTrayIcon::Context) OnPress(Qt::RightButton, QCursor::pos());
    });
    icon_->show();
}

void TTrayIcon::Remove() {
    if (!icon_) return;
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

}  // namespace shell
