// TFileIcons: small icons for paths from the freedesktop icon theme, cached by icon name.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

namespace shell {

class TFileIcons {
  public:
    TFileIcons();

    // The icon name a file manager would show for `path`: "folder" (or the XDG user folder's
    // own), a .desktop file's Icon= value, "application-x-executable" for an executable file,
    // else the MIME type's icon, then its generic icon. Empty for an empty or missing path.
    static QStringList IconNames(const QString& path);

    // The first of IconNames(path) the theme has, at 16 × 16; null when none.
    QImage SmallIcon(const QString& path);

    // How many distinct icons were loaded from the theme (the cache's size).
    int Loaded() const { return static_cast<int>(cache_.size()); }

  private:
    QImage Load(const QString& name);
    QHash<QString, QImage> cache_;
};

}  // namespace shell
