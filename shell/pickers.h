// The file and folder pickers of the register commands.
#pragma once

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

namespace shell {

// The file picker. It lives as long as its owner and keeps the last chosen full path, which the
// next run starts with (a cancelled run keeps it). Any name may be typed, also one of a file
// that does not exist. The desktop's own chooser is used where the platform theme offers one.
class TFilePicker : public QObject {
  public:
    explicit TFilePicker(QWidget* owner);

    // Shows the picker modal to its owner (the tray icon stays live); true when the user chose
    // a file.
    bool Execute();
    // The full path of the last chosen file.
    const QString& FileName() const { return fileName_; }

    static constexpr const char* kTitle = "登録ファイルを選択して下さい";

  private:
    QWidget* owner_;
    QFileDialog* dialog_ = nullptr;  // made at the first run: start-up never pays for it
    QString fileName_;
};

// The folder picker: file-system folders only, opening on `path`, with a status line that shows
// the full path of the current selection. On confirmation `path` becomes the chosen folder's
// full path and the result is true.
bool FolderSelect(QWidget* owner, QString& path);

inline constexpr const char* kFolderTitle = "フォルダを選択して下さい。";

}  // namespace shell
