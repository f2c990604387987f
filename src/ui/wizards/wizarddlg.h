#pragma once
#include <QDialog>

namespace qm {

// What every wizard shares: it knows whether an editor can take its result.
class CWizardDlg : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // 1 when the main frame created the wizard; 0 when it runs alone from the command line.
    int m_editorAvailable = 1;
    // Enables or disables the "Create In Editor" action after m_editorAvailable changed.
    virtual void UpdateEditorAvailable() {}
    // Refills the wizard's lists after the catalogue was reloaded; wizards without catalogue data
    // keep the empty default.
    virtual void ResetWizard() {}

protected:
    // Enter closes (hides) the wizard, as Escape and the close box do; a focused button takes it first.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qm
