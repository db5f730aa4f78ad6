// The program's two kinds of message: the default error box and the plain message box.
#pragma once

#include <QString>

class QWidget;

namespace kit {

// The caption of every message and error box once the program has set its title.
inline constexpr const char* kApplicationTitle = "Hopscoot";

// The error text as the error box shows it: "." appended unless the last character is a
// single-byte character with a code of 0x2E or below (a multibyte last character gets the "."
// too). An empty text stays empty.
QString ErrorBoxText(const QString& text);

// The window message and error boxes are modal to (the bar). Modal to one window rather than to
// the whole program, they leave the tray icon live. Null: modal to the whole program.
void SetMessageOwner(QWidget* owner);

// Stop icon, OK button, the application title as caption, ErrorBoxText(text); modal.
void ShowErrorBox(const QString& text);

// No icon, one OK button that Enter and Esc also press, `caption` (the application title by
// default), centred on the screen, modal.
void ShowPlainMessage(const QString& text, const QString& caption = kApplicationTitle);

}  // namespace kit
