// TTrayIcon: the program's icon in the notification area. A left press brings the bar forward,
// a right press opens the bar menu at the cursor; every other mouse event is ignored.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>

#include <functional>

class QSystemTrayIcon;

namespace shell {

class TTrayIcon : public QObject {
  public:
    explicit TTrayIcon(QObject* parent = nullptr);

    // Shows the icon; a second Add while it is shown changes nothing. Where no tray host runs
    // the icon waits and appears when one starts.
    void Add(const QIcon& icon, const QString& tip);
    // Removes the icon.
    void Remove();

    // A left or right press on the icon, with the cursor's screen position.
    std::function<void(Qt::MouseButton button, QPoint cursor)> OnPress;

  private:
    QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace shell
