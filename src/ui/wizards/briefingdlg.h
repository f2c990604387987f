#pragma once
#include <QString>
#include <array>

#include "core/wizards/briefing.h"
#include "ui/wizards/wizarddlg.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qm {

// The Briefing Wizard (dialog 116): plan, notes, objectives and endings, once or per side, written
// as the game's briefing page and an Init script; pages it wrote can be read back. The rules live
// in BriefingWizard and the page writer and reader; this dialog moves texts between them and the controls.
class CBriefingDlg : public CWizardDlg {
    Q_OBJECT
public:
    explicit CBriefingDlg(QWidget* parent = nullptr);
    ~CBriefingDlg() override;

    void UpdateEditorAvailable() override;

    // A page's text: reset, then read it. An empty text asks for a file first.
    void OpenBriefing(const QString& text);
    // Reads a page into the wizard; a page it cannot read is reported and leaves the wizard as it was.
    void ParseBriefing(const QString& text);

    // "&Reset Briefing": everything empty, single-sided, focus to the plan.
    void OnResetBriefing();
    void OnCreateInEditor();
    void OnCreateToDisk();
    void OnInsertHyperlink();

    const BriefingWizard& Wizard() const { return m_wizard; }

private:
    void BuildLayout();
    void Connect();
    // The controls into the working fields, and back.
    void ReadControls();
    void ShowFields();
    void RefreshBriefingView();
    void ShowCaptions();
    void OnMultiSided();
    void OnSide(int side);
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool IsHyperlinkField(QWidget* w) const;

    BriefingWizard m_wizard;

    QGroupBox* m_planGroup = nullptr;
    QGroupBox* m_notesGroup = nullptr;
    QGroupBox* m_objectivesGroup = nullptr;
    QGroupBox* m_endingsGroup = nullptr;
    QPlainTextEdit* m_plan = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    std::array<QPlainTextEdit*, kBriefingObjectives> m_objectives{};
    std::array<QCheckBox*, kBriefingObjectives> m_hide{};
    std::array<QLineEdit*, kBriefingEndings> m_endingTitles{};
    std::array<QPlainTextEdit*, kBriefingEndings> m_endingTexts{};
    QLineEdit* m_markerName = nullptr;
    QPushButton* m_insertHyperlink = nullptr;
    QCheckBox* m_multiSided = nullptr;
    QButtonGroup* m_sideGroup = nullptr;
    std::array<QRadioButton*, kBriefingSides> m_sideButtons{};
    QPushButton* m_createInEditor = nullptr;
    QPushButton* m_createToDisk = nullptr;
    QPushButton* m_openExisting = nullptr;
    QPushButton* m_reset = nullptr;
    // The plan, notes or objective edit the focus left for "&Insert Hyperlink".
    QPlainTextEdit* m_lastTextField = nullptr;
};

}  // namespace qm
