// TShell: the desktop services the bar uses for its launch buttons, as one small interface so
// that tests can hand the bar a recording fake.
#pragma once

#include <QImage>
#include <QString>

namespace shell {

class TShell {
  public:
    virtual ~TShell() = default;

    // The target's 16 × 16 icon as a file manager shows it; a null image when there is none
    // (empty path, missing target, no icon in the theme).
    virtual QImage SmallIcon(const QString& path) = 0;

    // Opens `path` as a double click on the desktop would. Never goes through a shell. Returns
    // false when nothing could be started (the bar shows no message for that).
    virtual bool Open(const QString& path) = 0;
};

// The freedesktop implementation: the icon theme and shared MIME database for icons; GIO for
// files and folders, the application a .desktop file describes, executables started directly.
TShell& DesktopShell();

}  // namespace shell
