// TF_ver: the version window. Product name, version and the maker's notices; modal, closed by
// its close box or Alt+F4 (Esc does nothing).
#pragma once

#include "kit/image.h"
#include "kit/label.h"
#include "kit/panel.h"

#include <QDialog>

class TF_ver : public QDialog {
  public:
    explicit TF_ver(QWidget* owner);

    // Centres the window over `bar` (whole geometry), with no correction for screen edges.
    void CentreOver(const QRect& bar);

    kit::TBevel* Bevel1;
    kit::TLabel* Label1;  // the name's shadow
    kit::TLabel* Label2;  // the version
    kit::TLabel* Label3;  // the name
    kit::TBevel* Bevel2;
    kit::TImage* Image1;  // the logo
    kit::TLabel* Label4;
    kit::TLabel* Label5;
    kit::TLabel* Label6;

    static QString VersionText();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
};
