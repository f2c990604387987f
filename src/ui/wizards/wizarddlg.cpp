#include "ui/wizards/wizarddlg.h"

#include <QKeyEvent>

namespace qm {

void CWizardDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qm
