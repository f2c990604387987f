#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/wizards/descriptionwizard.h"
#include "ui/wizards/wizarddlg.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qm {

// The Description Wizard (dialog 109): a mission's description file from four optional blocks,
// respawn, sounds, music and gear. Each check box enables its whole group. The rules live in
// DescriptionWizard; this dialog reads the controls into it and shows its lists.
class CDescriptionDlg : public CWizardDlg {
    Q_OBJECT
public:
    explicit CDescriptionDlg(QWidget* parent = nullptr);

    // Gear drop-downs from the catalogue again, respawn BASE and delay "15"; the flags, counts,
    // file fields and the four lists stay.
    void ResetWizard() override;
    void UpdateEditorAvailable() override;
    // Reads the controls and builds the file.
    std::string BuildDescription();
    const DescriptionWizard& Wizard() const { return m_wizard; }

    void OnCreateInEditor();
    void OnCreateToDisk();

private:
    // One of the sound and music groups: they behave alike, each on its own field and list.
    struct FileGroup {
        QGroupBox* box = nullptr;
        QLineEdit* file = nullptr;
        QPushButton* browse = nullptr;
        QListWidget* list = nullptr;
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
        bool music = false;
    };
    struct GearRow {
        QComboBox* list = nullptr;
        QLineEdit* count = nullptr;
        QPushButton* add = nullptr;
    };

    QGroupBox* BuildChoices();
    QGroupBox* BuildRespawn();
    QGroupBox* BuildGear();
    QGroupBox* BuildFileGroup(FileGroup& g, const QString& title, const QString& label, const QString& note,
                              const char* name);
    void Connect();
    GearRow& Row(GearSource source);

    // Puts what the controls show into the held values.
    void ReadControls();
    // Shows the held values: check boxes and their groups, respawn, delay, counts and the lists.
    void ShowValues();
    void ShowLists();
    // The count field read as a number; a refused value is told to the user and nullopt returned.
    std::optional<uint32_t> ReadCount(GearSource source);

    void OnTick(QCheckBox* box, QGroupBox* group);
    void OnAddGear(GearSource source);
    void OnRemoveGear();
    void OnBrowse(FileGroup& g);
    void OnAddFile(FileGroup& g);
    void OnRemoveFile(FileGroup& g);

    DescriptionWizard m_wizard;
    QCheckBox* m_gear = nullptr;
    QCheckBox* m_respawn = nullptr;
    QCheckBox* m_sounds = nullptr;
    QCheckBox* m_music = nullptr;
    QPushButton* m_createInEditor = nullptr;
    QPushButton* m_createToDisk = nullptr;

    QGroupBox* m_respawnBox = nullptr;
    QButtonGroup* m_respawnType = nullptr;
    QComboBox* m_delay = nullptr;

    QGroupBox* m_gearBox = nullptr;
    GearRow m_weapons, m_ammo, m_equipment;
    QListWidget* m_weaponItems = nullptr;
    QListWidget* m_magazineItems = nullptr;
    QPushButton* m_removeGear = nullptr;
    QPushButton* m_clearGear = nullptr;

    FileGroup m_soundGroup, m_musicGroup;
};

}  // namespace qm
