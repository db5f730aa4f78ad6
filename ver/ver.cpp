// TF_ver: layout of the version window.
#include "ver/ver.h"

#include "kit/bevel.h"

#include <QKeyEvent>

namespace {

kit::TLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry, const QString& text,
                       const QFont& font, QColor colour, bool transparent) {
    auto* l = new kit::TLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->Caption = text;
    l->setFont(font);
    l->FontColor = colour;
    l->Transparent = transparent;
    return l;
}

}  // namespace

QString TF_ver::VersionText() {
    return QStringLiteral("Version %1.%2")
        .arg(HOPSCOOT_VERSION_MAJOR)
        .arg(HOPSCOOT_VERSION_MINOR, 2, 10, QLatin1Char('0'));
}

TF_ver::TF_ver(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("F_ver"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Ver情報"));
    // Modal to the bar, not to the whole program, so that the tray icon still answers.
    setWindowModality(Qt::WindowModal);
    setFixedSize(209, 131);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kit::kSilver);
    setPalette(pal);
    setFont(kit::WindowFont(12));

    Bevel1 = new kit::TBevel(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(8, 8, 193, 41);
    Bevel1->Shape = kit::TBevel::TShapeKind::Frame;
    Bevel1->Style = kit::TBevelCut::Raised;
    const QString name = QStringLiteral("Hopscoot");
    Label1 = MakeLabel(this, "Label1", {59, 12, 95, 19}, name, kit::WindowFont(19, true, true),
                       Qt::black, true);
    Label2 = MakeLabel(this, "Label2", {67, 32, 75, 12}, VersionText(), kit::WindowFont(12, true),
                       Qt::black, false);
    Label3 = MakeLabel(this, "Label3", {57, 10, 95, 19}, name, kit::WindowFont(19, true, true),
                       Qt::white, true);
    Bevel2 = new kit::TBevel(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setGeometry(0, 56, 209, 75);
    Bevel2->Shape = kit::TBevel::TShapeKind::Box;
    Bevel2->Style = kit::TBevelCut::Lowered;
    Image1 = new kit::TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 64, 60, 30);
    Image1->Picture = QImage(QStringLiteral(":/res/logo.xpm"));
    Label4 = MakeLabel(this, "Label4", {75, 73, 121, 12}, QStringLiteral("Hopscoot project"),
                       kit::WindowFont(12), Qt::black, true);
    Label5 = MakeLabel(this, "Label5", {12, 112, 134, 12}, QStringLiteral("Email info@example.org"),
                       kit::WindowFont(12), Qt::black, true);
    Label6 =
        MakeLabel(this, "Label6", {12, 101, 185, 12}, QStringLiteral("URL https://example.org/"),
                  kit::WindowFont(12), Qt::black, true);
}

void TF_ver::CentreOver(const QRect& bar) {
    move(bar.left() + (bar.width() - width()) / 2, bar.top() + (bar.height() - height()) / 2);
}

void TF_ver::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) return;  // no button to press: Esc does nothing
    QDialog::keyPressEvent(e);
}
