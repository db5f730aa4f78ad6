// TForm: window-level mouse routing.
#include "kit/form.h"

#include <QMouseEvent>

namespace kit {

void TForm::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) RightButtonReleased(e->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(e);
}

}  // namespace kit
