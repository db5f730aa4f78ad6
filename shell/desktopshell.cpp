// The freedesktop implementation of TShell.
#include "shell/fileicons.h"
#include "shell/opener.h"
#include "shell/shell.h"

namespace shell {
namespace {

class TDesktopShell : public TShell {
  public:
    QImage SmallIcon(const QString& path) override { return icons_.SmallIcon(path); }
    bool Open(const QString& path) override { return TOpener::Open(path); }

  private:
    TFileIcons icons_;
};

}  // namespace

TShell& DesktopShell() {
    static TDesktopShell shell;
    return shell;
}

}  // namespace shell
