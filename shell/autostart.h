// TAutostart: the per-user start-at-login entry, a Desktop Entry in the XDG autostart folder.
#pragma once

#include <QString>

namespace shell {

class TAutostart {
  public:
    // $XDG_CONFIG_HOME/autostart when that variable holds an absolute path, else
    // ~/.config/autostart; empty when neither can be determined.
    static QString Folder();

    // Folder() + "/Hopscoot.desktop"; empty when there is no folder.
    static QString LinkPath();

    // True when a file exists at LinkPath().
    static bool Exists();

    // Writes the entry for `exePath` (creating the folder when missing), atomically. Throws
    // std::runtime_error with a message for the error box when it cannot be written.
    static void Create(const QString& exePath);

    // Deletes the entry; false when it could not be deleted (also when it was not there).
    static bool Remove();

    // The entry's text: Type, Name, Exec (the path quoted and escaped as the Exec rules
    // require), Path (the executable's folder with its trailing "/"), and the GNOME flag.
    static QByteArray EntryText(const QString& exePath);

    // `arg` as one Exec argument, escaped for the Exec rules and then as a string value.
    static QString ExecArgument(const QString& arg);
};

}  // namespace shell
