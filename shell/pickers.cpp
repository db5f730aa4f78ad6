// The file and folder pickers.
#include "shell/pickers.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>

namespace shell {
namespace {

// Qt's own dialog is ours to place: on the owner's monitor, centred across and a third down.
void Place(QFileDialog& dialog, QWidget* owner) {
    QScreen* screen = owner ? owner->screen() : nullptr;
    if (!screen) return;
    dialog.adjustSize();
    const QRect m = screen->geometry();
    dialog.move(m.left() + (m.width() - dialog.width()) / 2,
                m.top() + (m.height() - dialog.height()) / 3);
}

// Runs the dialog. Typing a path opens the name completer's popup, and Enter accepts the dialog
// without closing that popup; left open, it would swallow the next mouse press on the bar.
int Run(QFileDialog& dialog) {
    const int result = dialog.exec();
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    return result;
}

}  // namespace

TFilePicker::TFilePicker(QWidget* owner) : QObject(owner), owner_(owner) {}

bool TFilePicker::Execute() {
    if (!dialog_) {
        dialog_ = new QFileDialog(owner_, QString::fromUtf8(kTitle));
        dialog_->setObjectName(QStringLiteral("OpenDialog1"));
        dialog_->setAcceptMode(QFileDialog::AcceptOpen);
        dialog_->setFileMode(QFileDialog::AnyFile);  // a typed missing name is returned as typed
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setSizeGripEnabled(true);
    }
    if (!fileName_.isEmpty()) {
        dialog_->setDirectory(QFileInfo(fileName_).absolutePath());
        dialog_->selectFile(fileName_);
    }
    Place(*dialog_, owner_);
    if (Run(*dialog_) != QDialog::Accepted || dialog_->selectedFiles().isEmpty()) return false;
    fileName_ = dialog_->selectedFiles().constFirst();
    return true;
}

bool FolderSelect(QWidget* owner, QString& path) {
    QFileDialog dialog(owner, QString::fromUtf8(kFolderTitle), path);
    dialog.setObjectName(QStringLiteral("FolderSelect"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::WindowModal);
    // The status line: the full path of the current selection, empty for anything else.
    auto* status = new QLabel(&dialog);
    status->setObjectName(QStringLiteral("status"));
    status->setText(path);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(status, grid->rowCount(), 0, 1, grid->columnCount());
    }
    QObject::connect(&dialog, &QFileDialog::currentChanged, status, [status](const QString& p) {
        status->setText(QFileInfo(p).isDir() ? QFileInfo(p).absoluteFilePath() : QString());
    });
    QObject::connect(&dialog, &QFileDialog::directoryEntered, status,
                     [status](const QString& p) { status->setText(p); });
    Place(dialog, owner);
    if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = dialog.selectedFiles().constFirst();
    return true;
}

}  // namespace shell
