// Guard: exceptions leaving handlers become the error box.
#include "kit/guard.h"

#include "kit/messagebox.h"

#include <exception>

namespace kit {

bool Guard(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("不明なエラー"));
    }
    return false;
}

}  // namespace kit
