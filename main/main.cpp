// TF_main: layout, bar build, title strip behaviour.
#include "main/main.h"

#include "kit/classicstyle.h"
#include "kit/guard.h"
#include "kit/messagebox.h"
#include "settings/launchlist.h"
#include "shell/autostart.h"
#include "shell/pickers.h"
#include "shell/shell.h"
#include "shell/trayicon.h"
#include "shell/x11windowhints.h"
#include "ver/ver.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int kDesignWidth = 246;  // the stored layout's width; the stripes stretch from it
constexpr int kExpandedHeight = 53;
constexpr int kCollapsedHeight = 20;
constexpr int kStripHeight = 16;
constexpr int kMinimumWidth = 101;

struct Stripe {
    int left, top, width;
    bool white;
};
// Shape1 .. Shape12 at the strip's design width of 242.
constexpr Stripe kStripes[12] = {
    {19, 2, 202, true},  {20, 3, 203, false},  {19, 4, 202, true},  {20, 5, 203, false},
    {19, 6, 202, true},  {20, 7, 203, false},  {19, 8, 202, true},  {20, 9, 203, false},
    {19, 10, 202, true}, {20, 11, 203, false}, {19, 12, 202, true}, {20, 13, 203, false},
};

QString FromFile(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string ToFile(const QString& s) { return s.toUtf8().toStdString(); }

// A launch button's glyph: the target's icon on a 16 × 16 silver square, or one of the two
// built-in pictures for the four names that stand for the desktop and documents folders.
QImage GlyphFor(const QImage& icon, const QString& name, const QImage& desktop,
                const QImage& documents) {
    if (name == QStringLiteral("[デスクトップ]") || name == QStringLiteral("[ﾃﾞｽｸﾄｯﾌﾟ]")) {
        return desktop;
    }
    if (name == QStringLiteral("[My Documents]") || name == QStringLiteral("[マイ ドキュメント]")) {
        return documents;
    }
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(kit::kSilver);
    if (!icon.isNull()) {
        QPainter p(&glyph);
        p.drawImage(0, 0, icon);
    }
    return glyph;
}

}  // namespace

TF_main::TF_main(const std::string& settingsPath, shell::TShell* desktop)
    : kit::TForm(nullptr),
      store_(settingsPath),
      shell_(desktop ? desktop : &shell::DesktopShell()) {
    setObjectName(QStringLiteral("F_main"));
    // A plain frameless window, not Qt::Tool: under openbox a frameless tool window can keep a
    // stale pos() of 0,0 after it is shown, which would be saved at exit.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Hopscoot"));
    setFont(kit::WindowFont(12));
    setMinimumWidth(kMinimumWidth);
    move(0, 0);
    resize(kDesignWidth, kExpandedHeight);
    kit::SetMessageOwner(this);
    CreateControls();
    CreateMenu();
    OpenDialog1 = new shell::TFilePicker(this);
    TrayIcon = new shell::TTrayIcon(this);
    TrayIcon->OnPress = [this](Qt::MouseButton b, QPoint cursor) {
        kit::Guard([&] { TrayIconMessage(b, cursor); });
    };
    Realign();
    kit::Guard([this] { FormCreate(); });
}

TF_main::~TF_main() {
    kit::Guard([this] { FormDestroy(); });
}

int TF_main::BarWidth(int count) { return count < 4 ? kMinimumWidth : 31 * count + 7; }

void TF_main::CreateControls() {
    Panel0 = new kit::TPanel(this);
    Panel0->setObjectName(QStringLiteral("Panel0"));
    Panel0->BevelOuter = kit::TBevelCut::Raised;
    Panel0->BevelInner = kit::TBevelCut::Raised;

    Panel2 = new kit::TPanel(Panel0);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->BevelOuter = kit::TBevelCut::None;
    Panel2->Caption = QStringLiteral("Hopscoot");

    Panel1 = new kit::TPanel(Panel0);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->BevelOuter = kit::TBevelCut::Lowered;
    Panel1->BevelInner = kit::TBevelCut::Lowered;
    Panel1->setFont(kit::WindowFont(11));
    QPalette red = Panel1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Panel1->setPalette(red);

    Image1 = new kit::TImage(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 2, 17, 17);
    Image1->hide();
    Image2 = new kit::TImage(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(16, 2, 17, 17);
    Image2->hide();
    Image1->Picture = QImage(QStringLiteral(":/res/desktop.xpm"));
    Image2->Picture = QImage(QStringLiteral(":/res/documents.xpm"));

    kit::TShape** named[12] = {&Shape1, &Shape2, &Shape3, &Shape4,  &Shape5,  &Shape6,
                               &Shape7, &Shape8, &Shape9, &Shape10, &Shape11, &Shape12};
    for (int i = 0; i < 12; ++i) {
        auto* s = new kit::TShape(Panel2);
        s->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        s->PenColor = kStripes[i].white ? QColor(Qt::white) : kit::kGray;
        s->OnMouseMove = [this](kit::TControl* c, Qt::MouseButtons b, int x, int y) {
            Panel2MouseMove(c, b, x, y);
        };
        auto arm = [this](kit::TControl* c, Qt::MouseButton b, int x, int y) {
            Panel2MouseDown(c, b, x, y);
        };
        // Shape5 and Shape12 arm the drag when a press ends instead of when it begins.
        if (i == 4 || i == 11) {
            s->OnMouseUp = arm;
        } else {
            s->OnMouseDown = arm;
        }
        *named[i] = stripes_[static_cast<std::size_t>(i)] = s;
    }

    Label1 = new kit::TLabel(Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->Caption = QStringLiteral("Hopscoot");
    Label1->Alignment = Qt::AlignCenter;
    Label1->Transparent = false;
    Label1->setGeometry(90, 2, 60, 12);

    Panel3 = new kit::TPanel(Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->BevelOuter = kit::TBevelCut::Lowered;
    Panel3->setGeometry(2, 2, 13, 13);
    CL1 = new kit::TSpeedButton(Panel3);
    CL1->setObjectName(QStringLiteral("CL1"));
    CL1->setGeometry(1, 1, 11, 11);

    Panel4 = new kit::TPanel(Panel2);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->BevelOuter = kit::TBevelCut::Lowered;
    CL2 = new kit::TSpeedButton(Panel4);
    CL2->setObjectName(QStringLiteral("CL2"));
    CL2->setGeometry(1, 1, 11, 11);

    for (kit::TControl* c :
         {static_cast<kit::TControl*>(Panel2), static_cast<kit::TControl*>(Label1)}) {
        c->OnMouseDown = [this](kit::TControl* s, Qt::MouseButton b, int x, int y) {
            Panel2MouseDown(s, b, x, y);
        };
        c->OnMouseMove = [this](kit::TControl* s, Qt::MouseButtons b, int x, int y) {
            Panel2MouseMove(s, b, x, y);
        };
        c->OnDblClick = [this](kit::TControl* s) { Panel2DblClick(s); };
    }
    CL1->OnClick = CL2->OnClick = [this](kit::TControl*) { Exit1Click(); };
}

// The stored layout's anchors: Panel0 fills the window, Panel2 is docked to its top, Panel1
// fills the rest, the stripes stretch with the strip and Panel4 keeps its distance to the
// strip's right edge.
void TF_main::Realign() {
    const int w = width(), h = height();
    Panel0->setGeometry(0, 0, w, h);
    const int inner = std::max(w - 4, 0);
    Panel2->setGeometry(2, 2, inner, std::min(kStripHeight, std::max(h - 4, 0)));
    Panel1->setGeometry(2, 2 + kStripHeight, inner, std::max(h - 4 - kStripHeight, 0));
    const int stretch = inner - (kDesignWidth - 4);
    for (std::size_t i = 0; i < stripes_.size(); ++i) {
        stripes_[i]->setGeometry(kStripes[i].left, kStripes[i].top,
                                 std::max(kStripes[i].width + stretch, 0), 1);
    }
    Panel4->setGeometry(inner - 16, 2, 13, 13);
}

void TF_main::SetBarSize(int w, int h) {
    resize(w, h);
    Realign();  // now, not at the next resize event: a hidden window gets that only when shown
}

void TF_main::FormCreate() {
    TrayIcon->Add(QIcon(QStringLiteral(":/res/hopscoot.xpm")), QStringLiteral("Hopscoot"));
    Post2->setText(shell::TAutostart::Exists() ? QStringLiteral("削除") : QStringLiteral("登録"));
    store_.EnsureExists();
    const settings::IniDocument doc = store_.Read();
    const int count = doc.ReadInteger(settings::kButtonSection, settings::kCountKey);
    move(x(), doc.ReadInteger("POSITION", "top"));
    move(doc.ReadInteger("POSITION", "left"), y());
    SetBarSize(BarWidth(count), height());
    for (const settings::LaunchEntry& e : settings::LoadEntries(doc, kMaxButtons).entries) {
        MakeButton(e.number, FromFile(e.target), FromFile(e.name));
        MakeDeleteItem(e.number, FromFile(e.name));
    }
    TitleCenter();
}

void TF_main::FormDestroy() { settings::PositionSave(store_, y(), x()); }

void TF_main::TitleCenter() { Label1->move((Panel2->width() - 60) / 2, 2); }

void TF_main::Panel2MouseDown(kit::TControl*, Qt::MouseButton, int x, int y) {
    DragStartX = x;
    DragStartY = y;
    DragArmed = true;
}

void TF_main::Panel2MouseMove(kit::TControl*, Qt::MouseButtons held, int x, int y) {
    if (!(held & Qt::LeftButton)) return;
    if (x == DragStartX && y == DragStartY) return;
    if (!DragArmed) return;
    BeginWindowMove();
    DragArmed = false;
}

void TF_main::Panel2DblClick(kit::TControl*) {
    SetBarSize(width(), Panel1->height() == 0 ? kExpandedHeight : kCollapsedHeight);
    repaint();
}

void TF_main::Exit1Click() { close(); }

void TF_main::N2Click() {}

// --- the bar menu ------------------------------------------------------------------------------

void TF_main::CreateMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [](QMenu* menu, const char* name, const QString& caption, bool pictured) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        if (pictured) {
            a->setIcon(kit::MenuPicture(
                QImage(QStringLiteral(":/res/%1.xpm").arg(QString::fromLatin1(name).toLower()))));
        }
        return a;
    };
    auto separator = [this](const char* name) {
        QAction* a = PopupMenu1->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    // Top-level items show an access key in parentheses; submenu captions are never altered.
    Post1 = item(PopupMenu1, "Post1", QStringLiteral("登録(&U)"), true);
    auto* post1Menu = new QMenu(PopupMenu1);
    Folder1 = item(post1Menu, "Folder1", QStringLiteral("フォルダ"), true);
    File1 = item(post1Menu, "File1", QStringLiteral("ファイル"), true);
    Post1->setMenu(post1Menu);
    Delete1 = item(PopupMenu1, "Delete1", QStringLiteral("削除(&W)"), true);
    N5 = separator("N5");
    N6 = item(PopupMenu1, "N6", QStringLiteral("ｽﾀｰﾄｱｯﾌﾟ"), true);
    auto* n6Menu = new QMenu(PopupMenu1);
    Post2 = item(n6Menu, "Post2", QStringLiteral("登録"), false);
    N6->setMenu(n6Menu);
    N1 = separator("N1");
    Hopscoot1 = item(PopupMenu1, "Hopscoot1", QStringLiteral("Ver情報(&V)"), true);
    N4 = separator("N4");
    N2 = item(PopupMenu1, "N2", QStringLiteral("ｷｬﾝｾﾙ"), false);
    N3 = separator("N3");
    Exit1 = item(PopupMenu1, "Exit1", QStringLiteral("閉じる(&Z)"), true);
}

void TF_main::RightButtonReleased(QPoint global) { PopupAt(global); }

void TF_main::contextMenuEvent(QContextMenuEvent* e) {
    // The mouse opens the menu on the right button's release (RightButtonReleased); Qt reports
    // the mouse's context-menu event on the press. Only the keyboard's is taken here.
    if (e->reason() == QContextMenuEvent::Keyboard) {
        PopupAt(mapToGlobal(QPoint(0, 0)));
        e->accept();
    } else {
        e->ignore();
    }
}

void TF_main::PopupAt(QPoint global) {
    QAction* chosen = PopupMenu1->exec(global);
    if (chosen) kit::Guard([&] { Dispatch(chosen); });
}

void TF_main::Dispatch(QAction* chosen) {
    if (chosen == Folder1) return Folder1Click();
    if (chosen == File1) return Post1Click();
    if (chosen == N2) return N2Click();
    if (chosen == Exit1) return Exit1Click();
    if (chosen == Post2) return Post2Click();
    if (chosen == Hopscoot1) return Hopscoot1Click();
    if (chosen->objectName().startsWith(QLatin1String("App"))) return ButtonDelete(chosen);
}

void TF_main::MakeDeleteItem(int n, const QString& caption) {
    if (!Delete1->menu()) Delete1->setMenu(new QMenu(PopupMenu1));
    QAction* a = Delete1->menu()->addAction(caption);  // "&" marks an access key, "&&" shows "&"
    a->setObjectName(QStringLiteral("App%1").arg(n));
    deleteItems_.push_back(a);
}

// --- launch buttons ----------------------------------------------------------------------------

void TF_main::MakeButton(int n, const QString& target, const QString& name) {
    auto* b = new kit::TSpeedButton(Panel1);
    b->setObjectName(QStringLiteral("BTN%1").arg(n));
    b->setGeometry(31 * (n - 1) + 2, 2, 30, 30);
    b->Hint = name;
    b->ShowHint = true;
    b->SetGlyph(GlyphFor(shell_->SmallIcon(target), name, Image1->Picture, Image2->Picture));
    b->OnClick = [this, b](kit::TControl*) { BTNClick(b); };
    b->show();
    buttons_.push_back(b);
}

void TF_main::DestroyButtonsAndItems() {
    for (kit::TSpeedButton* b : buttons_)
        delete b;
    buttons_.clear();
    for (QAction* a : deleteItems_)
        delete a;
    deleteItems_.clear();
    if (QMenu* m = Delete1->menu()) {
        Delete1->setMenu(nullptr);
        m->deleteLater();
    }
}

void TF_main::LaunchPathAdd(const QString& path, bool isFile) {
    // One transaction: a refused write leaves the file and the bar as they were.
    const auto added = settings::LaunchList(store_).Append(ToFile(path), isFile);
    const int n = added.number;
    if (n != static_cast<int>(buttons_.size()) + 1 && n <= kMaxButtons) {
        // The list changed outside this copy (a hand edit, or a copy under another name that
        // shares the file): show what the file holds rather than a bar that disagrees with it.
        DestroyButtonsAndItems();
        FormCreate();
        return;
    }
    SetBarSize(BarWidth(std::min(n, kMaxButtons)), height());
    if (n <= kMaxButtons) {
        MakeButton(n, path, FromFile(added.name));
        MakeDeleteItem(n, FromFile(added.name));  // what the append stored under its lock
    }
    TitleCenter();
}

void TF_main::ButtonDelete(QAction* item) {
    settings::PositionSave(store_, y(), x());
    const int k = item->objectName().mid(3).toInt();
    settings::LaunchList(store_).Remove(k);
    DestroyButtonsAndItems();
    FormCreate();
}

void TF_main::BTNClick(kit::TSpeedButton* button) {
    const std::string target = settings::LaunchList(store_).TargetOf(ToFile(button->objectName()));
    if (!target.empty()) shell_->Open(FromFile(target));  // a failed launch shows nothing
}

// --- registration ------------------------------------------------------------------------------

void TF_main::Post1Click() {
    settings::PositionSave(store_, y(), x());
    if (OpenDialog1->Execute()) LaunchPathAdd(OpenDialog1->FileName(), true);
}

void TF_main::Post2Click() {
    if (Post2->text() == QStringLiteral("登録")) {
        // A failed write raises the error box and leaves the caption as it is.
        shell::TAutostart::Create(QCoreApplication::applicationFilePath());
        Post2->setText(QStringLiteral("削除"));
    } else if (shell::TAutostart::Remove()) {
        Post2->setText(QStringLiteral("登録"));
    } else {
        kit::ShowPlainMessage(QStringLiteral("ｽﾀｰﾄｱｯﾌﾟ削除失敗！"));
    }
}

void TF_main::Hopscoot1Click() {
    F_ver = new TF_ver(this);
    struct Release {  // after closing, and also when showing fails
        TF_main* bar;
        ~Release() {
            bar->F_ver->deleteLater();
            bar->F_ver = nullptr;
        }
    } release{this};
    F_ver->CentreOver(frameGeometry());
    F_ver->exec();
}

void TF_main::Folder1Click() {
    settings::PositionSave(store_, y(), x());
    QString p = QStringLiteral("/");
    if (shell::FolderSelect(this, p)) LaunchPathAdd(p, false);
}

void TF_main::TrayIconMessage(Qt::MouseButton button, QPoint cursor) {
    if (button == Qt::LeftButton) RestoreBarWindow();
    if (button == Qt::RightButton) PopupAt(cursor);
}

void TF_main::RestoreBarWindow() {
    if (isMinimized()) {
        showNormal();
    } else if (!isVisible()) {
        show();
    }
    raise();
    activateWindow();
}

bool TF_main::BeginWindowMove() {
    if (QWindow* w = windowHandle(); w && w->startSystemMove()) return true;
    grabOffset_ = QCursor::pos() - pos();
    followingMouse_ = true;
    grabMouse();
    return false;
}

void TF_main::setVisible(bool visible) {
    if (visible && !isVisible()) {
        winId();  // the native window must exist to carry the hint before it is mapped
        shell::TX11WindowHints::SkipTaskbarAndPager(this);
    }
    kit::TForm::setVisible(visible);
}

void TF_main::resizeEvent(QResizeEvent* e) {
    kit::TForm::resizeEvent(e);
    Realign();
}

void TF_main::mouseMoveEvent(QMouseEvent* e) {
    if (followingMouse_) {
        move(e->globalPosition().toPoint() - grabOffset_);
        return;
    }
    kit::TForm::mouseMoveEvent(e);
}

void TF_main::mouseReleaseEvent(QMouseEvent* e) {
    if (followingMouse_ && e->button() == Qt::LeftButton) {
        followingMouse_ = false;
        releaseMouse();
        return;
    }
    kit::TForm::mouseReleaseEvent(e);
}
