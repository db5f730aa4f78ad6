// TOpener: GIO for documents and desktop entries, fork/exec for executables.
// GIO first: Qt's "signals" keyword macro would break its headers.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "shell/opener.h"

#include <fcntl.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QByteArray>
#include <QFileInfo>
#include <QUrl>
#include <type_traits>

namespace shell {
namespace {

// GIO, loaded at the first launch that needs it: a bar that is only shown never pays for GIO and
// the libraries it pulls in (about a megabyte of resident pages).
struct Gio {
    decltype(&g_app_info_launch_default_for_uri) launchDefaultForUri = nullptr;
    decltype(&g_desktop_app_info_new_from_filename) desktopAppInfoNew = nullptr;
    decltype(&g_app_info_launch) launch = nullptr;
    decltype(&g_object_unref) unref = nullptr;
    bool ok = false;
};

const Gio& LoadGio() {
    static const Gio gio = [] {
        Gio g;
        void* lib = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!lib) return g;
        auto sym = [lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(::dlsym(lib, name));
        };
        sym(g.launchDefaultForUri, "g_app_info_launch_default_for_uri");
        sym(g.desktopAppInfoNew, "g_desktop_app_info_new_from_filename");
        sym(g.launch, "g_app_info_launch");
        sym(g.unref, "g_object_unref");  // found through gio's own dependency on gobject
        g.ok = g.launchDefaultForUri && g.desktopAppInfoNew && g.launch && g.unref;
        return g;
    }();
    return gio;
}

}  // namespace

bool TOpener::IsExecutableFile(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    struct stat st {};
    return ::stat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0 &&
           ::access(file.constData(), X_OK) == 0;
}

TOpener::Kind TOpener::KindOf(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return Kind::Missing;
    if (info.isFile() && path.endsWith(QLatin1String(".desktop"))) return Kind::DesktopEntry;
    if (IsExecutableFile(path)) return Kind::Executable;
    return Kind::Document;
}

bool TOpener::StartDetached(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    char* const argv[] = {const_cast<char*>(file.constData()), nullptr};
    // Everything the children need is ready before the fork: between fork and exec only
    // async-signal-safe calls are made.
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return false;
    const pid_t middle = ::fork();
    if (middle < 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return false;
    }
    if (middle == 0) {
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) {
            ::execv(argv[0], argv);
            const char failed = 1;
            (void)!::write(ready[1], &failed, 1);
            ::_exit(127);
        }
        ::_exit(child < 0 ? 1 : 0);  // the grandchild is adopted by init, which reaps it
    }
    ::close(ready[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    char failed = 0;
    ssize_t n;
    while ((n = ::read(ready[0], &failed, 1)) < 0 && errno == EINTR) {
    }
    ::close(ready[0]);
    // The pipe closes on a successful exec; a byte means exec failed.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

bool TOpener::Open(const QString& path) {
    switch (KindOf(path)) {
        case Kind::Missing:
            return false;
        case Kind::Executable:
            return StartDetached(path);
        case Kind::DesktopEntry: {
            const Gio& gio = LoadGio();
            if (!gio.ok) return false;
            GDesktopAppInfo* info = gio.desktopAppInfoNew(QFile::encodeName(path).constData());
            if (!info) return false;
            // A desktop app info is a GAppInfo; the checked cast macro would link GIO in.
            gboolean ok = gio.launch(reinterpret_cast<GAppInfo*>(info), nullptr, nullptr, nullptr);
            gio.unref(info);
            return ok;
        }
        case Kind::Document: {
            const Gio& gio = LoadGio();
            if (!gio.ok) return false;
            const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
            return gio.launchDefaultForUri(uri.constData(), nullptr, nullptr);
        }
    }
    return false;
}

}  // namespace shell
