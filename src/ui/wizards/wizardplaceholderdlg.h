#pragma once
#include "ui/wizards/wizarddlg.h"

class QPushButton;

namespace qm {

// Stands in for a wizard that is not built yet.
class CWizardPlaceholderDlg : public CWizardDlg {
    Q_OBJECT
public:
    CWizardPlaceholderDlg(const QString& caption, QWidget* parent);
    void UpdateEditorAvailable() override;
    QPushButton* CreateInEditorButton() const { return m_createInEditor; }

private:
    QPushButton* m_createInEditor = nullptr;
};

}  // namespace qm
