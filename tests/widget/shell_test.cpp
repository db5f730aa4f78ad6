// The start-at-login entry and the version window, on the offscreen platform.
#include "kit/bevel.h"
#include "kit/classicstyle.h"
#include "main/main.h"
#include "shell/autostart.h"
#include "ver/ver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The Exec value parsed back by the Desktop Entry rules: string escapes, then quoting.
QStringList ParseExec(const QString& value) {
    QString s;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value[++i];
            s += n == QLatin1Char('s')   ? QStringLiteral(" ")
                 : n == QLatin1Char('n') ? QStringLiteral("\n")
                                         : QString(n);
        } else {
            s += value[i];
        }
    }
    QStringList args;
    QString cur;
    bool quoted = false, any = false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('%') && i + 1 < s.size() && s[i + 1] == QLatin1Char('%')) {
            cur += c;  // "%%" is a literal "%", quoted or not
            ++i;
        } else if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < s.size())
                cur += s[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                cur += c;
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(' ')) {
            if (any || !cur.isEmpty()) args << cur;
            cur.clear();
            any = false;
        } else {
            cur += c;
        }
    }
    if (any || !cur.isEmpty()) args << cur;
    return args;
}

QString ValueOf(const QByteArray& entry, const QString& key) {
    for (const QString& line : QString::fromUtf8(entry).split(QLatin1Char('\n'))) {
        if (line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
    }
    return {};
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString config() const { return dir_.filePath(QStringLiteral("config")); }
    std::unique_ptr<TF_main> Bar() {
        return std::make_unique<TF_main>(
            dir_.filePath(QStringLiteral("Hopscoot.ini")).toStdString());
    }

  private slots:
    void initTestCase() {
        QApplication::setStyle(new kit::TClassicStyle);
        QApplication::setPalette(kit::ClassicPalette());
    }
    void init() {
        QDir(config()).removeRecursively();
        qputenv("XDG_CONFIG_HOME", config().toUtf8());
    }

    void folderRules() {
        QCOMPARE(shell::TAutostart::LinkPath(),
                 config() + QStringLiteral("/autostart/Hopscoot.desktop"));
        qputenv("XDG_CONFIG_HOME", "relative/path");
        qputenv("HOME", "/home/someone");
        QCOMPARE(shell::TAutostart::Folder(), QStringLiteral("/home/someone/.config/autostart"));
        qputenv("HOME", "");
        QCOMPARE(shell::TAutostart::Folder(), QString());  // never "/"
        bool refused = false;
        try {
            shell::TAutostart::Create(QStringLiteral("/x/hopscoot"));
        } catch (const std::exception&) {
            refused = true;
        }
        QVERIFY(refused);
    }

    void captionFollowsTheFileAndTheToggleWorks() {
        {
            auto bar = Bar();
            QCOMPARE(bar->Post2->text(), QStringLiteral("登録"));
            bar->Post2Click();  // the autostart folder is missing: it is made
            QCOMPARE(bar->Post2->text(), QStringLiteral("削除"));
            QVERIFY(QFile::exists(shell::TAutostart::LinkPath()));
        }
        {
            auto bar = Bar();  // the next start reads the file
            QCOMPARE(bar->Post2->text(), QStringLiteral("削除"));
            bar->Post2Click();
            QCOMPARE(bar->Post2->text(), QStringLiteral("登録"));
            QVERIFY(!QFile::exists(shell::TAutostart::LinkPath()));
        }
    }

    void aFailedDeleteSaysSoAndKeepsTheCaption() {
        auto bar = Bar();
        bar->Post2Click();
        QFile::remove(shell::TAutostart::LinkPath());  // removed by hand meanwhile
        QString seen;
        QTimer::singleShot(0, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = box->text();
                box->accept();
            }
        });
        bar->Post2Click();
        QCOMPARE(seen, QStringLiteral("ｽﾀｰﾄｱｯﾌﾟ削除失敗！"));
        QCOMPARE(bar->Post2->text(), QStringLiteral("削除"));
    }

    void aRefusedWriteIsReportedAndTheCaptionStays() {
        QDir().mkpath(config());
        QFile blocker(config() + QStringLiteral("/autostart"));  // a file where the folder goes
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto bar = Bar();
        bool failed = false;
        try {
            bar->Post2Click();
        } catch (const std::exception&) {
            failed = true;  // in the program the guard shows it in the error box
        }
        QVERIFY(failed);
        QCOMPARE(bar->Post2->text(), QStringLiteral("登録"));
    }

    void theEntryValidatesAndItsExecParsesBack() {
        const QString exe = dir_.filePath(QStringLiteral("my $tools \"x\" 100%/hop scoot"));
        QDir().mkpath(config() + QStringLiteral("/autostart"));
        shell::TAutostart::Create(exe);
        QFile f(shell::TAutostart::LinkPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray entry = f.readAll();
        QCOMPARE(ParseExec(ValueOf(entry, QStringLiteral("Exec"))), QStringList{exe});
        QCOMPARE(ValueOf(entry, QStringLiteral("Path")),
                 QFileInfo(exe).absolutePath() + QLatin1Char('/'));
        QVERIFY(entry.contains("Type=Application\n"));
        QVERIFY(entry.contains("Name=Hopscoot\n"));
        QVERIFY(entry.contains("X-GNOME-Autostart-enabled=true\n"));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {shell::TAutostart::LinkPath()});
        QVERIFY(validate.waitForFinished(10000));
        QCOMPARE(validate.exitCode(), 0);
        QCOMPARE(validate.readAll(), QByteArray());
    }

    void theVersionWindow() {
        TF_ver ver(nullptr);
        QCOMPARE(ver.size(), QSize(209, 131));
        QCOMPARE(ver.windowTitle(), QStringLiteral("Ver情報"));
        struct Row {
            QWidget* control;
            QRect geometry;
        } rows[] = {
            {ver.Bevel1, {8, 8, 193, 41}},    {ver.Label1, {59, 12, 95, 19}},
            {ver.Label2, {67, 32, 75, 12}},   {ver.Label3, {57, 10, 95, 19}},
            {ver.Bevel2, {0, 56, 209, 75}},   {ver.Image1, {8, 64, 60, 30}},
            {ver.Label4, {75, 73, 121, 12}},  {ver.Label5, {12, 112, 134, 12}},
            {ver.Label6, {12, 101, 185, 12}},
        };
        for (const Row& r : rows)
            QCOMPARE(r.control->geometry(), r.geometry);
        QCOMPARE(ver.Label2->Caption, QStringLiteral("Version 1.00"));
        QVERIFY(ver.Label5->Caption.startsWith(QStringLiteral("Email")));
        QVERIFY(ver.Label6->Caption.startsWith(QStringLiteral("URL")));

        // The white name over its black shadow two pixels down and right.
        const QImage img = ver.grab().toImage();
        int whiteWithShadow = 0, white = 0;
        for (int y = 10; y < 29; ++y) {
            for (int x = 57; x < 152; ++x) {
                if (QColor(img.pixel(x, y)) != QColor(Qt::white)) continue;
                ++white;
                // Where the white copy does not cover it, the black copy shows 2 px down-right.
                const QColor below(img.pixel(x + 2, y + 2));
                whiteWithShadow += below == QColor(Qt::black) || below == QColor(Qt::white);
            }
        }
        QVERIFY(white > 50);
        QCOMPARE(whiteWithShadow, white);
        QCOMPARE(QColor(img.pixel(100, 60)), kit::kSilver);
        QCOMPARE(QColor(img.pixel(0, 56)), kit::kGray);  // Bevel2, lowered box
        QCOMPARE(QColor(img.pixel(208, 130)), QColor(Qt::white));
        QCOMPARE(QColor(img.pixel(8, 8)), kit::kGray);  // Bevel1, raised frame
        QCOMPARE(QColor(img.pixel(9, 9)), QColor(Qt::white));
    }

    void theVersionWindowIsCentredOverTheBar() {
        TF_ver ver(nullptr);
        ver.CentreOver(QRect(300, 120, 131, 53));
        QCOMPARE(ver.pos(),
                 QPoint(300 + (131 - 209) / 2, 120 + (53 - 131) / 2));  // -39 rounds to 0
        ver.CentreOver(QRect(0, 0, 101, 20));
        QCOMPARE(ver.pos(), QPoint((101 - 209) / 2, (20 - 131) / 2));  // partly off screen
    }

    void escapeDoesNothing() {
        TF_ver ver(nullptr);
        ver.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ver));
        QTest::keyClick(&ver, Qt::Key_Escape);
        QVERIFY(ver.isVisible());
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
