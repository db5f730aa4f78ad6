// TAutostart: the autostart desktop entry.
#include "shell/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace shell {
namespace {

// The string-value escapes of the Desktop Entry format.
QString EscapeString(const QString& s) {
    QString out;
    for (QChar c : s) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

}  // namespace

QString TAutostart::Folder() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty() && QDir::isAbsolutePath(config))
        return config + QStringLiteral("/autostart");
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home + QStringLiteral("/.config/autostart");
    return {};
}

QString TAutostart::LinkPath() {
    const QString folder = Folder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Hopscoot.desktop");
}

bool TAutostart::Exists() {
    const QString path = LinkPath();
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString TAutostart::ExecArgument(const QString& arg) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = arg.isEmpty();
    for (QChar c : arg)
        quote = quote || reserved.contains(c);
    QString out;
    if (quote) {
        out += QLatin1Char('"');
        for (QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
            }
            out += c;
        }
        out += QLatin1Char('"');
    } else {
        out = arg;
    }
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return EscapeString(out);
}

QByteArray TAutostart::EntryText(const QString& exePath) {
    QString folder = QFileInfo(exePath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Hopscoot\n"
                             "Exec=%1\n"
                             "Path=%2\n"
                             "X-GNOME-Autostart-enabled=true\n")
                             .arg(ExecArgument(exePath), EscapeString(folder));
    return text.toUtf8();
}

void TAutostart::Create(const QString& exePath) {
    const QString folder = Folder();
    if (folder.isEmpty()) throw std::runtime_error("自動起動フォルダがわかりません");
    const QString path = LinkPath();
    if (!QDir().mkpath(folder)) {
        throw std::runtime_error((folder + QStringLiteral(" を作成できません")).toStdString());
    }
    QSaveFile file(path);  // a new file renamed over the old one
    if (!file.open(QIODevice::WriteOnly) || file.write(EntryText(exePath)) < 0 || !file.commit()) {
        throw std::runtime_error((path + QStringLiteral(" に書き込めません")).toStdString());
    }
}

bool TAutostart::Remove() {
    const QString path = LinkPath();
    return !path.isEmpty() && QFile::remove(path);
}

}  // namespace shell
