#pragma once
#include <string>

#include "core/wizards/overviewpage.h"
#include "ui/wizards/wizarddlg.h"

class QLineEdit;
class QPushButton;

namespace qm {

class CMultiLineField;

// The Overview Wizard (dialog 108): the page shown when a mission is chosen, with its title,
// picture and text. Enter anywhere saves the page to disk and leaves the wizard open.
class COverviewDlg : public CWizardDlg {
    Q_OBJECT
public:
    explicit COverviewDlg(QWidget* parent = nullptr);

    void UpdateEditorAvailable() override;
    // Reads the three fields and builds the page.
    std::string BuildOverview();
    const OverviewData& Data() const { return m_data; }

    void OnBrowse();
    void OnCreateInEditor();
    void OnCreateToDisk();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReadControls();

    OverviewData m_data;
    QLineEdit* m_title = nullptr;
    CMultiLineField* m_overview = nullptr;
    QLineEdit* m_picture = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_createInEditor = nullptr;
    QPushButton* m_createToDisk = nullptr;
};

}  // namespace qm
