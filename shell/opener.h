// TOpener: opens a path as a double click on the desktop would, never through a shell.
#pragma once

#include <QString>

namespace shell {

class TOpener {
  public:
    enum class Kind { Missing, Executable, DesktopEntry, Document };

    // How `path` is opened: an executable regular file is started itself; a .desktop file
    // starts the application it describes; a folder or any other file goes to the default
    // application for its MIME type.
    static Kind KindOf(const QString& path);

    // A regular file with an execute bit that this user may execute. (QFileInfo says yes to any
    // file for root.)
    static bool IsExecutableFile(const QString& path);

    // Opens `path`; false when nothing could be started.
    static bool Open(const QString& path);

    // Starts `path` with no arguments, in a session of its own, detached so that it outlives
    // the bar and is never left as a zombie. The path is passed as it is: no shell, no quoting.
    static bool StartDetached(const QString& path);
};

}  // namespace shell
