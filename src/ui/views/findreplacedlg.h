#pragma once
#include <QDialog>
#include <QPointer>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QLabel;

namespace qm {

class CEditView;
class CLargeTextView;
struct TableSearch;

// The modeless Find and Replace dialog of the editor views.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFindReplaceDlg(QWidget* parent = nullptr);

    void ShowFind();
    void ShowReplace();

    // Finds the next match in the active view from its caret, going on from the other end of the
    // text when it reaches one (the status bar says so); false (and a message) when there is none.
    bool FindNext();
    bool ReplaceCurrent();
    // Every match replaced as one undoable edit; the status bar says how many.
    int ReplaceAll();
    // F3: repeats the last search without showing the dialog; Shift+F3 (reverse) searches the
    // other way.
    bool Repeat(bool reverse = false);

    QLineEdit* m_findWhat = nullptr;
    QLineEdit* m_replaceWith = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    bool Find(bool backward);
    // The matches of what the dialog holds are marked in the active view while it shows.
    void MarkMatches();
    void ShowStatus(const QString& text) const;
    void SetMode(bool replace);
    QTextDocument::FindFlags Flags() const;
    CEditView* Target() const;
    // The window of a very large text, searched by the table's own search.
    CLargeTextView* LargeTarget() const;
    TableSearch Search() const;
    bool FindLarge(CLargeTextView& view, bool backward);
    int ReplaceAllLarge(CLargeTextView& view);
    void NotFound();

    bool m_replaceMode = false;
    QLabel* m_replaceLabel = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    QWidget* m_direction = nullptr;
    QPointer<CEditView> m_marked;
};

}  // namespace qm
