// Error box and plain message box.
#include "kit/messagebox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace kit {

QString ErrorBoxText(const QString& text) {
    if (text.isEmpty()) return text;
    const QChar last = text.back();
    // A UTF-16 unit at or below '.' is a single-byte character in the 8-bit encoding as well.
    if (last.unicode() <= 0x2E) return text;
    return text + QLatin1Char('.');
}

namespace {

QPointer<QWidget> owner;

void Own(QMessageBox& box) {
    if (!owner) return;
    box.setParent(owner, box.windowFlags());
    box.setWindowModality(Qt::WindowModal);
}

void CentreOnScreen(QMessageBox& box) {
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
    }
}

}  // namespace

void SetMessageOwner(QWidget* w) { owner = w; }

void ShowErrorBox(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, ErrorBoxText(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorBox"));
    Own(box);
    box.exec();
}

void ShowPlainMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("PlainMessage"));
    Own(box);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    CentreOnScreen(box);
    box.exec();
}

}  // namespace kit
