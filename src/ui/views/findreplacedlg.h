#pragma once
#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QLabel;

namespace qm {

class CEditView;

// The modeless Find and Replace dialog of the editor views.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindReplaceDlg(QWidget* parent = nullptr);

    void ShowFind();
    void ShowReplace();

    // Finds the next match in the active view from its caret; false (and a message) when none.
    bool FindNext();
    bool ReplaceCurrent();
    int ReplaceAll();
    // F3: repeats the last search without showing the dialog.
    bool Repeat();

    QLineEdit* m_findWhat = nullptr;
    QLineEdit* m_replaceWith = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;

private:
    void SetMode(bool replace);
    QTextDocument::FindFlags Flags() const;
    CEditView* Target() const;

    bool m_replaceMode = false;
    QLabel* m_replaceLabel = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    QWidget* m_direction = nullptr;
};

}  // namespace qm
