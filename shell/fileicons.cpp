// TFileIcons: path -> icon name -> cached 16 × 16 image.
#include "shell/fileicons.h"

#include "shell/opener.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace shell {
namespace {

constexpr int kSize = 16;

// The Icon= value of a desktop entry's [Desktop Entry] group, or empty. Desktop entries have a
// syntax of their own; only this one key is needed here.
QString DesktopEntryIcon(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inGroup = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine(64 * 1024)).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
        } else if (inGroup && line.startsWith(QLatin1String("Icon"))) {
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq > 0 && line.left(eq).trimmed() == QLatin1String("Icon")) {
                return line.mid(eq + 1).trimmed();
            }
        }
    }
    return {};
}

QString UserFolderIcon(const QString& canonical) {
    static const struct {
        QStandardPaths::StandardLocation where;
        const char* icon;
    } folders[] = {
        {QStandardPaths::DesktopLocation, "user-desktop"},
        {QStandardPaths::DocumentsLocation, "folder-documents"},
        {QStandardPaths::DownloadLocation, "folder-download"},
        {QStandardPaths::MusicLocation, "folder-music"},
        {QStandardPaths::PicturesLocation, "folder-pictures"},
        {QStandardPaths::MoviesLocation, "folder-videos"},
        {QStandardPaths::HomeLocation, "user-home"},
    };
    for (const auto& f : folders) {
        const QString loc =
            QFileInfo(QStandardPaths::writableLocation(f.where)).canonicalFilePath();
        if (!loc.isEmpty() && loc == canonical) return QString::fromLatin1(f.icon);
    }
    return {};
}

}  // namespace

TFileIcons::TFileIcons() {
    // Some platforms (offscreen, minimal) search no freedesktop icon folders at all.
    QStringList paths = QIcon::themeSearchPaths();
    QStringList dataDirs =
        qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dataDirs.isEmpty())
        dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    dataDirs.prepend(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    for (const QString& dir : dataDirs) {
        const QString icons = dir + QStringLiteral("/icons");
        if (!paths.contains(icons)) paths << icons;
    }
    QIcon::setThemeSearchPaths(paths);
    // With no desktop environment Qt names the bare "hicolor" theme, where every lookup fails.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    }
}

QStringList TFileIcons::IconNames(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (info.isDir()) {
        const QString special = UserFolderIcon(info.canonicalFilePath());
        return special.isEmpty() ? QStringList{QStringLiteral("folder")}
                                 : QStringList{special, QStringLiteral("folder")};
    }
    QStringList names;
    if (path.endsWith(QLatin1String(".desktop"))) {
        const QString icon = DesktopEntryIcon(path);
        if (!icon.isEmpty()) names << icon;
    }
    if (TOpener::IsExecutableFile(path)) names << QStringLiteral("application-x-executable");
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    names << mime.iconName() << mime.genericIconName();
    return names;
}

QImage TFileIcons::Load(const QString& name) {
    auto it = cache_.constFind(name);
    if (it != cache_.constEnd()) return *it;
    QIcon icon;
    if (QFileInfo(name).isAbsolute()) {
        icon = QIcon(name);  // Icon= may name a picture file directly
    } else {
        icon = QIcon::fromTheme(name);
    }
    QImage image;
    if (!icon.isNull()) {
        image = icon.pixmap(kSize, kSize).toImage();
        if (image.size() != QSize(kSize, kSize) && !image.isNull()) {
            image = image.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    cache_.insert(name, image);
    return image;
}

QImage TFileIcons::SmallIcon(const QString& path) {
    for (const QString& name : IconNames(path)) {
        QImage image = Load(name);
        if (!image.isNull()) return image;
    }
    return {};
}

}  // namespace shell
