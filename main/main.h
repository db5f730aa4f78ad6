// TF_main: the bar window. A borderless window made of a striped title strip (Panel2) and the
// well of launch buttons (Panel1), built from the settings file.
#pragma once

#include "kit/form.h"
#include "kit/image.h"
#include "kit/label.h"
#include "kit/panel.h"
#include "kit/shape.h"
#include "kit/speedbutton.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QMenu>

#include <array>
#include <string>
#include <vector>

namespace shell {
class TShell;
class TFilePicker;
class TTrayIcon;
}  // namespace shell
class TF_ver;

class TF_main : public kit::TForm {
  public:
    // `settingsPath` is the settings file the bar is built from; SettingsPath() in the program.
    // `desktop` serves icons and opening; the freedesktop implementation when null.
    explicit TF_main(const std::string& settingsPath = settings::SettingsPath(),
                     shell::TShell* desktop = nullptr);
    ~TF_main() override;

    // The window's whole width for `count` entries: 101 below 4, else 31 × count + 7.
    static int BarWidth(int count);

    // The bar shows at most this many entries; later ones stay in the file without a button.
    static constexpr int kMaxButtons = 1000;

    // Controls, as the window creates them.
    kit::TPanel* Panel0;
    kit::TPanel* Panel2;  // the title strip
    kit::TPanel* Panel1;  // the well of launch buttons
    kit::TImage* Image1;  // desktop glyph (hidden)
    kit::TImage* Image2;  // documents glyph (hidden)
    kit::TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9,
        *Shape10, *Shape11, *Shape12;
    kit::TLabel* Label1;
    kit::TPanel* Panel3;
    kit::TSpeedButton* CL1;
    kit::TPanel* Panel4;
    kit::TSpeedButton* CL2;

    // The bar menu and its items.
    QMenu* PopupMenu1;
    QAction *Post1, *Folder1, *File1, *Delete1, *N5, *N6, *Post2, *N1, *Hopscoot1, *N4, *N2, *N3,
        *Exit1;
    shell::TFilePicker* OpenDialog1;
    // The notification-area icon.
    shell::TTrayIcon* TrayIcon;
    // The version window while it shows.
    TF_ver* F_ver = nullptr;

    // Drag state of the title strip.
    int DragStartX = 0;
    int DragStartY = 0;
    bool DragArmed = false;

    // The bar build: runs when the window is created and after every removal of an entry.
    void FormCreate();
    // Runs when the window is destroyed: saves the position.
    void FormDestroy();
    // Centres Label1 in the strip.
    void TitleCenter();

    void Panel2MouseDown(kit::TControl* sender, Qt::MouseButton button, int x, int y);
    void Panel2MouseMove(kit::TControl* sender, Qt::MouseButtons held, int x, int y);
    void Panel2DblClick(kit::TControl* sender);
    void Exit1Click();
    void N2Click();
    void Post1Click();
    void Folder1Click();
    // Creates or deletes the start-at-login entry, as Post2's caption says.
    void Post2Click();
    // Shows the version window, modally.
    void Hopscoot1Click();

    // Appends an entry for `path` and makes its button and delete item.
    void LaunchPathAdd(const QString& path, bool isFile);
    // Removes the entry of a delete item ("App<k>") and rebuilds the bar.
    void ButtonDelete(QAction* item);
    // Opens the target of a launch button, read afresh from the settings file.
    void BTNClick(kit::TSpeedButton* button);

    // Opens the bar menu with its top-left corner at `global`; the chosen item's action runs
    // after the menu has closed.
    void PopupAt(QPoint global);

    // The launch buttons, BTN1 first.
    const std::vector<kit::TSpeedButton*>& Buttons() const { return buttons_; }

    // The tray icon's press: the left button brings the bar forward, the right one opens the bar
    // menu at the cursor.
    void TrayIconMessage(Qt::MouseButton button, QPoint cursor);

    // Restores the bar if minimised, raises and activates it.
    void RestoreBarWindow();

    settings::SettingsStore& Store() { return store_; }

    void RightButtonReleased(QPoint global) override;

  protected:
    // Hands the window to the window manager's move; where there is none, the window follows
    // the mouse until the left button is released. Returns true for the window manager's move.
    virtual bool BeginWindowMove();

    void setVisible(bool visible) override;
    void resizeEvent(QResizeEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void CreateControls();
    void Realign();
    void SetBarSize(int w, int h);
    void CreateMenu();
    void MakeButton(int n, const QString& target, const QString& name);
    void MakeDeleteItem(int n, const QString& caption);
    void DestroyButtonsAndItems();
    void Dispatch(QAction* chosen);

    settings::SettingsStore store_;
    std::array<kit::TShape*, 12> stripes_{};
    std::vector<kit::TSpeedButton*> buttons_;
    std::vector<QAction*> deleteItems_;
    shell::TShell* shell_;
    bool followingMouse_ = false;  // the move without a window manager is under way
    QPoint grabOffset_;
};
