// The program: the single-instance guard, the application, the bar, the loop.
#include "app/run.h"

#include "app/application.h"
#include "app/singleinstance.h"
#include "kit/bevel.h"
#include "kit/classicstyle.h"
#include "kit/messagebox.h"
#include "main/main.h"

#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <memory>

namespace {

// The executable's file name, from the running image rather than from how it was called.
QString ExecutableFileName(const char* argv0) {
    QFileInfo exe(QStringLiteral("/proc/self/exe"));
    QString target = exe.symLinkTarget();
    return QFileInfo(target.isEmpty() ? QString::fromLocal8Bit(argv0) : target).fileName();
}

// Wayland cannot place a window at a stored position: use XWayland unless the user chose.
void PreferX11() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

// With no display at all Qt aborts inside the application's constructor; the program ends
// cleanly instead, with exit code 0 like every other path.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

namespace app {

int Run(int argc, char** argv, const std::function<void(QWidget&)>& beforeShow) {
    if (!HasDisplay()) {
        std::fputs("hopscoot: no display to show the bar on (DISPLAY is not set)\n", stderr);
        return 0;
    }
    PreferX11();
    app::THopscootApplication application(argc, argv);
    const QString exeName = ExecutableFileName(argv[0]);
    // No application display name: Qt would append it to every window title ("Ver情報 — …").
    // Captions are given explicitly instead.
    QApplication::setStyle(new kit::TClassicStyle);
    QApplication::setPalette(kit::ClassicPalette());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/hopscoot.xpm")));

    app::TSingleInstance guard(exeName);
    switch (guard.Acquire()) {
        case app::TSingleInstance::Claim::Second:
            return 0;
        case app::TSingleInstance::Claim::Failed:
            kit::ShowPlainMessage(QStringLiteral("起動に失敗しました"), app::DefaultTitle(exeName));
            return 0;
        case app::TSingleInstance::Claim::First:
            break;
    }

    auto bar = std::make_unique<TF_main>();
    guard.OnBringForward = [bar = bar.get()] { bar->RestoreBarWindow(); };
    if (beforeShow) beforeShow(*bar);
    bar->show();
    bar->activateWindow();
    QApplication::exec();

    guard.Release();
    bar.reset();  // FormDestroy saves the position
    return 0;
}

}  // namespace app
