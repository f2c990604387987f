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

    // The controls are built when the wizard is first shown (or its frame hands it out): most
    // sessions open few wizards, and building all five slowed every start. The wizard's values
    // live outside the controls from the start, so nothing changes for the user; the public
    // actions of a wizard build its controls first, so they work before it was ever shown.
    void EnsureBuilt();
    bool IsBuilt() const { return m_built; }
    void setVisible(bool visible) override;

protected:
    // Builds the controls and shows the wizard's values in them.
    virtual void BuildControls() {}
    // Enter closes (hides) the wizard, as Escape and the close box do; a focused button takes it first.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_built = false;
};

}  // namespace qm
