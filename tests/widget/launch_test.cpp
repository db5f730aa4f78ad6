// Launch buttons, the bar menu and file icons on the offscreen platform, in real pixels.
#include "kit/bevel.h"
#include "kit/classicstyle.h"
#include "main/main.h"
#include "shell/fileicons.h"
#include "shell/shell.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {

// Icons by path and recorded opens: the bar's desktop services without a desktop.
class FakeShell : public shell::TShell {
  public:
    QHash<QString, QColor> colours;
    QStringList opened;

    QImage SmallIcon(const QString& path) override {
        if (!colours.contains(path)) return {};
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(colours.value(path));
        icon.setPixel(0, 15, qRgba(0, 0, 0, 0));  // like real icons, it leaves the key pixel clear
        return icon;
    }
    bool Open(const QString& path) override {
        opened << path;
        return true;
    }
};

void Seed(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

QColor At(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

const char kThree[] =
    "[BUTTON]\ncount=3\n[OnClick]\nBTN1=/a\nBTN2=/b\nBTN3=/c\n"
    "[Button_Name]\nBTN1=a\nBTN2=b|second part\nBTN3=c&d\n";

}  // namespace

class LaunchTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeShell shell_;
    QString ini() const { return dir_.filePath(QStringLiteral("Hopscoot.ini")); }

    std::unique_ptr<TF_main> Bar(const std::string& bytes) {
        Seed(ini(), bytes);
        shell_.opened.clear();
        return std::make_unique<TF_main>(ini().toStdString(), &shell_);
    }

  private slots:
    void initTestCase() {
        QApplication::setStyle(new kit::TClassicStyle);
        QApplication::setPalette(kit::ClassicPalette());
        shell_.colours = {{"/a", Qt::red}, {"/b", Qt::green}, {"/c", Qt::blue}};
    }

    void buttonsSitInTheWellWithCentredGlyphs() {
        auto bar = Bar(kThree);
        QCOMPARE(bar->Buttons().size(), std::size_t(3));
        for (int i = 0; i < 3; ++i) {
            kit::TSpeedButton* b = bar->Buttons()[static_cast<std::size_t>(i)];
            QCOMPARE(b->objectName(), QStringLiteral("BTN%1").arg(i + 1));
            QCOMPARE(b->parentWidget(), bar->Panel1);
            QCOMPARE(b->geometry(), QRect(31 * i + 2, 2, 30, 30));
        }
        // Face 26 × 26 inside a 2-pixel frame: a 16-pixel glyph starts at 2 + (26 - 16 + 1) / 2.
        const QImage img = bar->grab().toImage();
        const int bx = 2 + 2, by = 18 + 2;  // BTN1's corner in the window
        QCOMPARE(At(img, bx + 7, by + 7), QColor(Qt::red));
        QCOMPARE(At(img, bx + 22, by + 22), QColor(Qt::red));
        QCOMPARE(At(img, bx + 6, by + 7), kit::kSilver);
        QCOMPARE(At(img, bx + 23, by + 22), kit::kSilver);
        QCOMPARE(At(img, bx, by), QColor(Qt::white));  // raised frame
        QCOMPARE(At(img, bx + 29, by + 29), QColor(Qt::black));
        QCOMPARE(At(img, bx + 31 + 7, by + 7), QColor(Qt::green));

        // Held down: pressed frame, glyph one pixel right and down.
        kit::TSpeedButton* b1 = bar->Buttons()[0];
        QTest::mousePress(b1, Qt::LeftButton, {}, QPoint(5, 5));
        const QImage down = bar->grab().toImage();
        QCOMPARE(At(down, bx + 7, by + 7), kit::kSilver);
        QCOMPARE(At(down, bx + 8, by + 8), QColor(Qt::red));
        QCOMPARE(At(down, bx + 23, by + 23), QColor(Qt::red));
        QCOMPARE(At(down, bx, by), QColor(Qt::black));
        QTest::mouseRelease(b1, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(shell_.opened, QStringList{"/a"});
        // Other buttons never press it; the right one's release opens the bar menu instead.
        QTest::mousePress(b1, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!b1->Down());
        bool menuOpened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuOpened = popup == bar->PopupMenu1;
                popup->close();
            }
        });
        QTest::mouseRelease(b1, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(menuOpened);
        QCOMPARE(shell_.opened.size(), 1);
    }

    void clicksReadTheTargetAfreshAndSkipEmptyOnes() {
        auto bar = Bar("[BUTTON]\ncount=2\n[OnClick]\nBTN1=/a\nBTN2=\n");
        Seed(ini(), "[BUTTON]\ncount=2\n[OnClick]\nbtn1=/edited by hand\nBTN2=\n");
        QTest::mouseClick(bar->Buttons()[0], Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(bar->Buttons()[1], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(shell_.opened, QStringList{"/edited by hand"});
    }

    void specialNamesShowTheBuiltInGlyphs_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("picture");  // 0 icon, 1 desktop, 2 documents
        QTest::newRow("desktop") << "[デスクトップ]" << 1;
        QTest::newRow("desktop, half-width") << "[ﾃﾞｽｸﾄｯﾌﾟ]" << 1;
        QTest::newRow("documents") << "[My Documents]" << 2;
        QTest::newRow("documents, Japanese") << "[マイ ドキュメント]" << 2;
        QTest::newRow("other case is not special") << "[my documents]" << 0;
        QTest::newRow("English desktop is not special") << "[Desktop]" << 0;
    }
    void specialNamesShowTheBuiltInGlyphs() {
        QFETCH(QString, name);
        QFETCH(int, picture);
        auto bar =
            Bar("[BUTTON]\ncount=1\n[OnClick]\nBTN1=/a\n[Button_Name]\nBTN1=" + name.toStdString() +
                "\n");
        const QImage glyph = bar->Buttons()[0]->Glyph();
        const QImage& desktop = bar->Image1->Picture;
        const QImage& documents = bar->Image2->Picture;
        QCOMPARE(desktop.size(), QSize(17, 17));
        QCOMPARE(documents.size(), QSize(18, 18));
        QCOMPARE(desktop.pixel(0, 16), qRgb(0, 0, 255));  // blue, so the background drops out
        const QSize expected = picture == 1   ? QSize(17, 17)
                               : picture == 2 ? QSize(18, 18)
                                              : QSize(16, 16);
        QCOMPARE(glyph.size(), expected);
        if (picture == 0) QCOMPARE(QColor(glyph.pixel(8, 8)), QColor(Qt::red));
        if (picture != 0) QCOMPARE(qAlpha(glyph.pixel(0, glyph.height() - 1)), 0);
    }

    void tooltipTextStopsAtTheFirstBar() {
        auto bar = Bar(kThree);
        QCOMPARE(bar->Buttons()[1]->Hint, QStringLiteral("b|second part"));
        QCOMPARE(kit::TSpeedButton::HintText(bar->Buttons()[1]->Hint), QStringLiteral("b"));
        QCOMPARE(kit::TSpeedButton::HintText(QStringLiteral("plain")), QStringLiteral("plain"));
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
    }

    void theMenuTree() {
        auto bar = Bar(kThree);
        QCOMPARE(Texts(bar->PopupMenu1->actions()),
                 (QStringList{"登録(&U)", "削除(&W)", "-", "ｽﾀｰﾄｱｯﾌﾟ", "-", "Ver情報(&V)", "-",
                              "ｷｬﾝｾﾙ", "-", "閉じる(&Z)"}));
        QCOMPARE(Texts(bar->Post1->menu()->actions()), (QStringList{"フォルダ", "ファイル"}));
        QCOMPARE(Texts(bar->N6->menu()->actions()), QStringList{"登録"});
        QCOMPARE(Texts(bar->Delete1->menu()->actions()),
                 (QStringList{"a", "b|second part", "c&d"}));
        QStringList names;
        for (QAction* a : bar->Delete1->menu()->actions())
            names << a->objectName();
        QCOMPARE(names, (QStringList{"App1", "App2", "App3"}));

        auto empty = Bar("");
        QVERIFY(!empty->Delete1->menu());
    }

    void thePainterDrawsPicturedItems() {
        auto bar = Bar(kThree);
        QMenu* menu = bar->PopupMenu1;
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QRect post1 = menu->actionGeometry(bar->Post1);
        QCOMPARE(post1.height(), kit::kPicturedItemHeight);
        QCOMPARE(menu->actionGeometry(bar->Exit1).height(), kit::kPicturedItemHeight);
        QVERIFY(menu->actionGeometry(bar->N2).height() != kit::kPicturedItemHeight);

        menu->setActiveAction(bar->Post1);
        const QImage img = menu->grab().toImage();
        const QPoint o = post1.topLeft();
        QCOMPARE(At(img, o.x() + 5, o.y()), QColor(Qt::white));       // frame, top
        QCOMPARE(At(img, o.x(), o.y() + 5), QColor(Qt::white));       // frame, left
        QCOMPARE(At(img, o.x() + 17, o.y() + 5), kit::kGray);         // frame, right
        QCOMPARE(At(img, o.x() + 5, o.y() + 17), kit::kGray);         // frame, bottom
        QCOMPARE(At(img, o.x() + 18, o.y() + 2), QColor(0, 0, 128));  // highlight from here
        QCOMPARE(At(img, post1.right() - 2, o.y() + 2), QColor(0, 0, 128));
        // The 24 × 24 picture scaled into the cell: its white sheet in the middle, its olive
        // background keyed out at the corner.
        QCOMPARE(At(img, o.x() + 1 + 8, o.y() + 1 + 8), QColor(Qt::white));
        QCOMPARE(At(img, o.x() + 1, o.y() + 16), kit::kSilver);
        menu->hide();
    }

    void appendingAFourthWidensTheBar() {
        auto bar = Bar(kThree);
        QCOMPARE(bar->width(), 101);
        bar->LaunchPathAdd(QStringLiteral("/c"), true);
        QCOMPARE(bar->width(), 131);
        QCOMPARE(bar->Buttons().size(), std::size_t(4));
        QCOMPARE(bar->Buttons()[3]->geometry(), QRect(95, 2, 30, 30));
        QCOMPARE(bar->Buttons()[3]->objectName(), QStringLiteral("BTN4"));
        QCOMPARE(bar->Label1->x(), 33);
        QCOMPARE(bar->Delete1->menu()->actions().last()->text(), QStringLiteral("c"));
        QCOMPARE(bar->Delete1->menu()->actions().last()->objectName(), QStringLiteral("App4"));
    }

    void anUnstorablePathChangesNothing() {
        auto bar = Bar(kThree);
        QTimer::singleShot(0, [] {
            if (auto* box = QApplication::activeModalWidget()) box->close();
        });
        bool failed = false;
        try {
            bar->LaunchPathAdd(QStringLiteral("/tmp/line\nbreak"), true);
        } catch (const std::exception&) {
            failed = true;
        }
        QVERIFY(failed);
        QCOMPARE(bar->width(), 101);
        QCOMPARE(bar->Buttons().size(), std::size_t(3));
    }

    void appendingAfterAnOutsideChangeShowsTheFile() {
        auto bar = Bar(kThree);
        Seed(ini(), "[BUTTON]\ncount=5\n");  // another copy sharing the file registered two more
        bar->LaunchPathAdd(QStringLiteral("/a"), true);
        QCOMPARE(bar->Buttons().size(), std::size_t(6));
        QCOMPARE(bar->width(), 31 * 6 + 7);
    }

    void deletingTheSecondOfThreeShiftsTheRest() {
        auto bar = Bar(kThree);
        bar->ButtonDelete(bar->Delete1->menu()->actions()[1]);
        QCOMPARE(bar->Buttons().size(), std::size_t(2));
        QCOMPARE(bar->Buttons()[0]->geometry(), QRect(2, 2, 30, 30));
        QCOMPARE(bar->Buttons()[1]->geometry(), QRect(33, 2, 30, 30));
        QCOMPARE(bar->Buttons()[1]->objectName(), QStringLiteral("BTN2"));
        QCOMPARE(bar->Buttons()[1]->Hint, QStringLiteral("c&d"));
        QCOMPARE(QColor(bar->Buttons()[1]->Glyph().pixel(8, 8)), QColor(Qt::blue));
        QCOMPARE(Texts(bar->Delete1->menu()->actions()), (QStringList{"a", "c&d"}));
        bar->ButtonDelete(bar->Delete1->menu()->actions()[0]);
        bar->ButtonDelete(bar->Delete1->menu()->actions()[0]);
        QVERIFY(bar->Buttons().empty());
        QVERIFY(!bar->Delete1->menu());
    }

    void entriesPastTheLimitGetNoButton() {
        auto bar = Bar("[BUTTON]\ncount=1005\n");
        QCOMPARE(bar->Buttons().size(), std::size_t(TF_main::kMaxButtons));
        QCOMPARE(bar->Delete1->menu()->actions().size(), TF_main::kMaxButtons);
        bar->LaunchPathAdd(QStringLiteral("/a"), true);  // stored, not shown
        QCOMPARE(bar->Buttons().size(), std::size_t(TF_main::kMaxButtons));
        QCOMPARE(bar->Store().Read().ReadInteger("BUTTON", "count"), 1006);
    }

    void iconsForPaths() {
        QTemporaryDir d;
        const QString text = d.filePath(QStringLiteral("notes.txt"));
        const QString exe = d.filePath(QStringLiteral("run me.sh"));
        const QString entry = d.filePath(QStringLiteral("app.desktop"));
        QFile(text).open(QIODevice::WriteOnly);
        {
            QFile f(exe);
            f.open(QIODevice::WriteOnly);
            f.write("#!/bin/sh\n");
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        {
            QFile f(entry);
            f.open(QIODevice::WriteOnly);
            f.write(
                "[Desktop Entry]\nType=Application\nName=A\nExec=true\nIcon=x-office-calendar\n");
        }
        struct Row {
            QString path, first;
        } rows[] = {
            {d.path(), QStringLiteral("folder")},
            {text, QStringLiteral("text-plain")},
            {exe, QStringLiteral("application-x-executable")},
            {entry, QStringLiteral("x-office-calendar")},
            {d.filePath(QStringLiteral("missing")), QString()},
            {QString(), QString()},
        };
        shell::TFileIcons icons;
        for (const Row& r : rows) {
            const QStringList names = shell::TFileIcons::IconNames(r.path);
            QCOMPARE(names.value(0), r.first);
            QVERIFY2(icons.SmallIcon(r.path).isNull() == r.first.isEmpty(), qPrintable(r.first));
            if (!r.first.isEmpty()) QCOMPARE(icons.SmallIcon(r.path).size(), QSize(16, 16));
        }
        // Cached by icon name: many files of one type load one icon.
        const int before = icons.Loaded();
        for (int i = 0; i < 50; ++i)
            icons.SmallIcon(text);
        QCOMPARE(icons.Loaded(), before);
    }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
