#include "ui/wizards/wizarddlg.h"

#include <QKeyEvent>

namespace qm {

void CWizardDlg::EnsureBuilt() {
    if (m_built) return;
    m_built = true;
    BuildControls();
}

void CWizardDlg::setVisible(bool visible) {
    if (visible) EnsureBuilt();
    QDialog::setVisible(visible);
}

void CWizardDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qm
