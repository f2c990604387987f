#pragma once
#include <string>

#include "core/wizards/cratewizard.h"
#include "ui/wizards/wizarddlg.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace qm {

class CCountBox;
class CNameEdit;

// The Crate Builder Wizard (dialog 101): cargo lines for an ammunition crate, written as a script.
// The rules live in CrateWizard; this dialog passes each change on and shows the result.
class CCrateDlg : public CWizardDlg {
    Q_OBJECT
public:
    explicit CCrateDlg(QWidget* parent = nullptr);

    // Source lists from the catalogue again and an empty crate; counts and "Empty Crate" stay.
    void ResetWizard() override;
    void UpdateEditorAvailable() override;
    std::string BuildCrateScript() const;
    const CrateWizard& Wizard() const { return m_wizard; }

    void OnAdd(CrateSource source);
    void OnCreateInEditor();
    void OnCreateToDisk();

private:
    struct SourceRow {
        QComboBox* list = nullptr;
        CCountBox* count = nullptr;
        QPushButton* add = nullptr;
    };
    void BuildLayout();
    void Connect();
    SourceRow& Row(CrateSource source);
    // The count field read as a number; a refused value is told to the user and nullopt returned.
    std::optional<uint32_t> ReadCount(CrateSource source);
    void OnStep(CrateSource source, int steps);
    void ShowCrate();
    void UpdateButtons();

    CrateWizard m_wizard;
    SourceRow m_weapons, m_magazines, m_equipment;
    QListWidget* m_crateList = nullptr;
    QPushButton* m_removeItem = nullptr;
    QPushButton* m_clearAll = nullptr;
    CNameEdit* m_name = nullptr;
    QCheckBox* m_emptyCrate = nullptr;
    QPushButton* m_createInEditor = nullptr;
    QPushButton* m_createToDisk = nullptr;
};

}  // namespace qm
