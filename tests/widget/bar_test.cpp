// The bar window on the offscreen platform: layout in real pixels, the drag's arming rules,
// collapse, the bar build from the settings file, and the error box.
#include "kit/bevel.h"
#include "kit/guard.h"
#include "kit/messagebox.h"
#include "main/main.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

namespace {

// A bar whose window-manager move is recorded instead of started.
class RecordingBar : public TF_main {
  public:
    using TF_main::TF_main;
    int moves = 0;
    int menus = 0;
    void RightButtonReleased(QPoint) override { ++menus; }

  protected:
    bool BeginWindowMove() override {
        ++moves;
        return true;
    }
};

void Seed(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

std::string Slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QColor At(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
          QPoint pos) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Answers the next modal box, recording what it showed.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void AnswerNextBox(BoxSeen* seen) {
    QTimer::singleShot(0, [seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerNextBox(seen);
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        box->accept();
    });
}

}  // namespace

class BarTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath(QStringLiteral("Hopscoot.ini")); }

  private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        QApplication::setPalette(kit::ClassicPalette());
    }
    void init() { QFile::remove(ini()); }

    void layoutInPixels_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("labelLeft");
        QTest::newRow("no entries") << 0 << 101 << 18;
        QTest::newRow("three entries") << 3 << 101 << 18;
        QTest::newRow("four entries") << 4 << 131 << 33;
        QTest::newRow("ten entries") << 10 << 317 << 126;
    }
    void layoutInPixels() {
        QFETCH(int, count);
        QFETCH(int, width);
        QFETCH(int, labelLeft);
        Seed(ini(), "[BUTTON]\ncount=" + std::to_string(count) + "\n");
        TF_main bar(ini().toStdString());
        QCOMPARE(bar.size(), QSize(width, 53));
        const QImage img = bar.grab().toImage();
        const QColor white(Qt::white), gray = kit::kGray, silver = kit::kSilver;
        const int w = width, h = 53;

        // Panel0: raised outer ring at 0 and raised inner ring at 1.
        for (int ring = 0; ring < 2; ++ring) {
            const int l = ring, t = ring, r = w - 1 - ring, b = h - 1 - ring;
            QCOMPARE(At(img, l + 3, t), white);   // top
            QCOMPARE(At(img, l, t + 30), white);  // left
            QCOMPARE(At(img, r, t + 30), gray);   // right
            QCOMPARE(At(img, l + 3, b), gray);    // bottom
            QCOMPARE(At(img, r, t), gray);        // top-right corner takes the shadow
            QCOMPARE(At(img, l, b), gray);        // bottom-left corner too
        }
        // Panel1 at (2,18): two lowered rings, then silver. Buttons (top 2, 30 high) cover the
        // inner bottom ring, so it is checked in the one-pixel gap after BTN1 (well x 32).
        QCOMPARE(bar.Panel1->geometry(), QRect(2, 18, w - 4, 33));
        for (int ring = 0; ring < 2; ++ring) {
            QCOMPARE(At(img, 2 + 32, 18 + ring), gray);
            QCOMPARE(At(img, 2 + ring, 18 + 10), gray);
            QCOMPARE(At(img, 2 + 32, 18 + 32 - ring), white);
            QCOMPARE(At(img, w - 3 - ring, 18 + 10), white);
        }
        QCOMPARE(At(img, 10, 30), silver);

        // Stripes: white rows at strip tops 2,4..12 from 19, gray rows 3..13 from 20, both
        // stretched with the strip, under Label1's silver box.
        QCOMPARE(bar.Label1->geometry(), QRect(labelLeft, 2, 60, 12));
        const int stretch = (w - 4) - 242;
        const int labelL = 2 + labelLeft, labelR = labelL + 59;
        for (int row = 0; row < 12; ++row) {
            const bool isWhite = row % 2 == 0;
            const int y = 2 + 2 + row;
            const int first = 2 + (isWhite ? 19 : 20);
            const int last = first + (isWhite ? 202 : 203) + stretch - 1;
            const QColor line = isWhite ? white : gray;
            QCOMPARE(At(img, first - 1, y), silver);
            QCOMPARE(At(img, last + 1, y), silver);
            for (int x = first; x <= last; ++x) {
                const bool underLabel = x >= labelL && x <= labelR && y <= 2 + 13;
                if (!underLabel) QCOMPARE(At(img, x, y), line);
            }
        }
        // Label1's box is silver where no letter is (its top row holds no glyph pixels).
        for (int x = labelL; x <= labelR; ++x)
            QCOMPARE(At(img, x, 4), silver);

        // Panel4 keeps 16 pixels to the strip's right edge; its lowered ring shows it.
        QCOMPARE(bar.Panel4->geometry(), QRect(w - 4 - 16, 2, 13, 13));
        QCOMPARE(At(img, w - 18, 4 + 5), gray);
        QCOMPARE(At(img, w - 18 + 12, 4 + 5), white);
        QCOMPARE(bar.Panel3->geometry(), QRect(2, 2, 13, 13));
        QCOMPARE(bar.CL1->geometry(), QRect(1, 1, 11, 11));
        QCOMPARE(bar.CL2->geometry(), QRect(1, 1, 11, 11));
    }

    void collapseAndExpand() {
        TF_main bar(ini().toStdString());
        Send(bar.Panel2, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {50, 8});
        QCOMPARE(bar.height(), 20);
        QCOMPARE(bar.Panel1->height(), 0);
        QCOMPARE(bar.Panel2->height(), 16);
        QCOMPARE(bar.width(), 101);
        const QImage img = bar.grab().toImage();
        QCOMPARE(img.height(), 20);
        QCOMPARE(At(img, 10, 19), kit::kGray);  // Panel0's outer shadow row closes the strip
        QCOMPARE(At(img, 10, 18), kit::kGray);
        Send(bar.Label1, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {5, 5});
        QCOMPARE(bar.height(), 53);
        QCOMPARE(bar.Panel1->height(), 33);
        // Stripes and right-button double clicks do not toggle.
        Send(bar.Shape1, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {5, 0});
        Send(bar.Panel2, QEvent::MouseButtonDblClick, Qt::RightButton, Qt::RightButton, {5, 5});
        QCOMPARE(bar.height(), 53);
    }

    void dragArming_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("moves");
        // Steps: control:event:button:x,y ; events p(ress) r(elease) m(ove, button = held).
        QTest::newRow("press and release stays armed")
            << "Panel2:p:L:5,5 Panel2:r:L:5,5" << true << QPoint(5, 5) << 0;
        QTest::newRow("a move away from the press point starts one move")
            << "Panel2:p:L:5,5 Panel2:m:L:7,5" << false << QPoint(5, 5) << 1;
        QTest::newRow("a move onto the press point does nothing")
            << "Panel2:p:L:5,5 Panel2:m:L:5,5" << true << QPoint(5, 5) << 0;
        QTest::newRow("a move without the left button does nothing")
            << "Label1:p:R:3,4 Label1:m:R:9,9" << true << QPoint(3, 4) << 0;
        QTest::newRow("any button arms") << "Shape1:p:M:6,0" << true << QPoint(6, 0) << 0;
        QTest::newRow("a second move after the move started does nothing")
            << "Panel2:p:L:5,5 Panel2:m:L:7,5 Panel2:m:L:9,5" << false << QPoint(5, 5) << 1;
        QTest::newRow("Shape5 press arms nothing")
            << "Shape5:p:L:3,0 Shape5:m:L:9,0" << false << QPoint(0, 0) << 0;
        QTest::newRow("Shape5 release arms with the release point")
            << "Shape5:p:L:3,0 Shape5:r:L:40,7" << true << QPoint(40, 7) << 0;
        QTest::newRow("Shape5 move after an earlier press elsewhere starts the move")
            << "Label1:p:L:4,4 Label1:r:L:4,4 Shape5:p:L:3,0 Shape5:m:L:9,0" << false
            << QPoint(4, 4) << 1;
        QTest::newRow("a right release over Shape12 arms with its point")
            << "Panel2:p:R:30,6 Panel2:r:R:30,13" << true << QPoint(10, 0) << 0;
        QTest::newRow("a right release elsewhere does not arm")
            << "Shape12:p:R:3,0 Shape12:r:R:3,-6" << false << QPoint(0, 0) << 0;
        QTest::newRow("the second press of a double click re-arms")
            << "Panel2:p:L:5,5 Panel2:r:L:5,5 Panel2:d:L:6,6" << true << QPoint(6, 6) << 0;
    }
    void dragArming() {
        QFETCH(QString, steps);
        QFETCH(bool, armed);
        QFETCH(QPoint, start);
        QFETCH(int, moves);
        Seed(ini(), "[BUTTON]\ncount=10\n");  // wide: at 101 Label1 covers Shape12 whole
        RecordingBar bar(ini().toStdString());
        for (const QString& step : steps.split(QLatin1Char(' '))) {
            const QStringList f = step.split(QLatin1Char(':'));
            auto* target = bar.findChild<QWidget*>(f[0]);
            QVERIFY2(target, qPrintable(f[0]));
            const Qt::MouseButton button = f[2] == "L"   ? Qt::LeftButton
                                           : f[2] == "R" ? Qt::RightButton
                                                         : Qt::MiddleButton;
            const QStringList xy = f[3].split(QLatin1Char(','));
            const QPoint pos(xy[0].toInt(), xy[1].toInt());
            const QEvent::Type type = f[1] == "p"   ? QEvent::MouseButtonPress
                                      : f[1] == "r" ? QEvent::MouseButtonRelease
                                      : f[1] == "d" ? QEvent::MouseButtonDblClick
                                                    : QEvent::MouseMove;
            Send(target, type, type == QEvent::MouseMove ? Qt::NoButton : button,
                 type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), pos);
        }
        QCOMPARE(bar.DragArmed, armed);
        if (armed || moves) QCOMPARE(QPoint(bar.DragStartX, bar.DragStartY), start);
        QCOMPARE(bar.moves, moves);
        QCOMPARE(bar.menus, int(steps.count(QLatin1String(":r:R:"))));  // every right release
    }

    void positionIsRestoredUnchangedAndSavedAtDestruction() {
        Seed(ini(), "[POSITION]\ntop=-500\nleft=5000\n");
        {
            TF_main bar(ini().toStdString());
            QCOMPARE(bar.pos(), QPoint(5000, -500));
            bar.move(33, 44);
        }
        QCOMPARE(Slurp(ini()), std::string("[POSITION]\ntop=44\nleft=33\n"));
    }

    void firstBuildCreatesAnEmptyFile() {
        TF_main bar(ini().toStdString());
        QCOMPARE(Slurp(ini()), std::string());
        QCOMPARE(bar.pos(), QPoint(0, 0));
        QCOMPARE(bar.size(), QSize(101, 53));
    }

    void aFailedBuildShowsTheErrorBoxAndKeepsTheStoredSize() {
        const QString path = dir_.filePath(QStringLiteral("missing/Hopscoot.ini"));
        BoxSeen seen, atExit;
        AnswerNextBox(&seen);
        auto bar = std::make_unique<TF_main>(path.toStdString());
        QCOMPARE(seen.text, QStringLiteral("不正なファイル名です."));
        QCOMPARE(seen.title, QStringLiteral("Hopscoot"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(bar->size(), QSize(246, 53));
        QCOMPARE(bar->pos(), QPoint(0, 0));
        AnswerNextBox(&atExit);
        bar.reset();  // saving the position is refused as well, and says so
        QCOMPARE(atExit.text, path + QStringLiteral(" に書き込めません."));
    }

    void errorBoxFullStopRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "boom"
                               << "boom.";
        QTest::newRow("ends with a full stop") << "done."
                                               << "done.";
        QTest::newRow("ends with a parenthesis") << "I/O エラー (5)"
                                                 << "I/O エラー (5)";
        QTest::newRow("ends with a bang") << "no!"
                                          << "no!";
        QTest::newRow("ends with a slash (0x2F)") << "/tmp/"
                                                  << "/tmp/.";
        QTest::newRow("ends with a multibyte character") << "/x/Hopscoot.ini に書き込めません"
                                                         << "/x/Hopscoot.ini に書き込めません.";
        QTest::newRow("ends with a space") << "gap "
                                           << "gap ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorBoxFullStopRule() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(kit::ErrorBoxText(text), shown);
    }

    void anExceptionLeavingAHandlerShowsTheErrorBox() {
        TF_main bar(ini().toStdString());
        bar.Panel3->OnMouseDown = [](kit::TControl*, Qt::MouseButton, int, int) {
            throw std::runtime_error("boom");
        };
        BoxSeen seen;
        AnswerNextBox(&seen);
        Send(bar.Panel3, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
        QCOMPARE(seen.text, QStringLiteral("boom."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.title, QStringLiteral("Hopscoot"));
    }

    void closeButtonsCloseTheBar() {
        for (const char* name : {"CL1", "CL2"}) {
            TF_main bar(ini().toStdString());
            bar.show();
            QVERIFY(QTest::qWaitForWindowExposed(&bar));
            auto* button = bar.findChild<kit::TSpeedButton*>(QString::fromLatin1(name));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY2(!bar.isVisible(), name);
        }
    }

    void plainMessageBox() {
        BoxSeen seen;
        AnswerNextBox(&seen);
        kit::ShowPlainMessage(QStringLiteral("起動に失敗しました"), QStringLiteral("Hopscoot"));
        QCOMPARE(seen.text, QStringLiteral("起動に失敗しました"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
    }
};

QTEST_MAIN(BarTest)
#include "bar_test.moc"
