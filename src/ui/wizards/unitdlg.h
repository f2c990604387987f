#pragma once
#include <string>

#include "core/wizards/unitwizard.h"
#include "ui/wizards/wizarddlg.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace qm {

class CNameEdit;

// The Custom Unit Wizard (dialog 110): a soldier's loadout and its capacity, written as a script.
// The rules live in UnitWizard; this dialog passes each change on and shows the result.
class CUnitDlg : public CWizardDlg {
    Q_OBJECT
public:
    explicit CUnitDlg(QWidget* parent = nullptr);

    // Tables from the catalogue's unit.txt again, loadout back to its start values.
    void ResetWizard() override;
    void UpdateEditorAvailable() override;
    // Reads the name field, then builds the script.
    std::string BuildUnitScript();
    const UnitWizard& Wizard() const { return m_wizard; }

    void OnCreateInEditor();
    void OnCreateToDisk();

private:
    void BuildLayout();
    void Connect();
    QSpinBox* MakeCount(const char* objectName, int maximum);
    void OnCountChanged(UnitCount which, QSpinBox* box, int value);
    void ShowState();
    void ShowEquipment();
    void UpdateCapacity();
    void UpdateCreateButtons();

    UnitWizard m_wizard;

    QComboBox* m_primaryList = nullptr;
    QComboBox* m_secondaryList = nullptr;
    QComboBox* m_handgunList = nullptr;
    QLabel* m_primaryLabel = nullptr;
    QLabel* m_secondaryLabel = nullptr;
    QLabel* m_handgunLabel = nullptr;
    QLabel* m_primaryCountLabel = nullptr;
    QLabel* m_launcherCountLabel = nullptr;
    QLabel* m_secondaryCountLabel = nullptr;
    QLabel* m_handgunCountLabel = nullptr;
    QSpinBox* m_primaryCount = nullptr;
    QSpinBox* m_launcherCount = nullptr;
    QSpinBox* m_secondaryCount = nullptr;
    QSpinBox* m_handgunCount = nullptr;
    QListWidget* m_equipmentList = nullptr;
    QPushButton* m_addOne = nullptr;
    QPushButton* m_removeOne = nullptr;
    QCheckBox* m_binoculars = nullptr;
    QCheckBox* m_nvGoggles = nullptr;
    CNameEdit* m_name = nullptr;
    QLabel* m_capacityLabel = nullptr;
    QProgressBar* m_capacityBar = nullptr;
    QCheckBox* m_sniper = nullptr;
    QCheckBox* m_removeGear = nullptr;
    QLabel* m_warning = nullptr;
    QPushButton* m_createInEditor = nullptr;
    QPushButton* m_createToDisk = nullptr;
    QPushButton* m_reset = nullptr;
};

}  // namespace qm
