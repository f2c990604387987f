#pragma once
#include <QFrame>
#include <vector>

#include "core/views/completion.h"

class QKeyEvent;
class QTreeView;

namespace qm {

class CEditView;
class CompletionListModel;

// The completion list of a script view: the names the core offers at the caret, in a small
// window below the name being written. The view keeps the keyboard: typing goes on into the
// text and filters the list; the view hands the list the keys that move in it (Up, Down, Page
// Up, Page Down), take an entry (Enter, Tab) or close it (Esc, which then does nothing else).
class CCompletionPopup : public QFrame {
    Q_OBJECT
public:
    explicit CCompletionPopup(CEditView* view);

    // Opens the list at the caret; `asked` with Ctrl+Space, else after a typed letter. False
    // when nothing is offered there (the list stays closed).
    bool Open(bool asked);
    void Close();
    bool IsOpen() const { return isVisible(); }

    // A key the view received while the list is open: true when the key was the list's.
    bool HandleKey(QKeyEvent* event);
    // Whether the key must reach the view rather than a shortcut (Esc is the program's Exit).
    bool WantsKey(const QKeyEvent* event) const;
    // After the view typed a key's text: opens the list once three letters of a name are typed.
    void AfterTyping(const QKeyEvent* event);

    // Puts the current entry in place of the name being written, as one undoable edit.
    void TakeCurrent();

    // What the list shows, for tests.
    int RowCount() const;
    QString RowText(int row) const;
    int CurrentRow() const;
    void SetCurrentRow(int row);

protected:
    // Keys that reach the list's own window (a window system that gives it the keyboard focus)
    // go on to the view, as if typed there.
    bool event(QEvent* event) override;
    // The view's windows: the list follows them when they move and closes when they go.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The caret moved or the text changed: filters again, or closes when the caret left the name.
    void Follow();
    void ForgetDismissal();
    void Place();
    bool ShowFiltered(const QString& typed);

    CEditView* m_view;
    QTreeView* m_list;
    CompletionListModel* m_model;
    CompletionPlace m_place;
    const std::vector<CompletionItem>* m_items = &m_otherItems;  // the entries of the place, one of these:
    std::vector<CompletionItem> m_otherItems;
    // The entries of code, made once for each state of the catalogue: the list opens on every
    // typed letter after the third.
    std::vector<CompletionItem> m_codeItems;
    unsigned m_codeGeneration = 0;
    bool m_codeItemsMade = false;
    int m_line = -1;
    int m_rowHeight = 0;
    bool m_asked = false;
    // Where Esc closed the list: typing on in that name does not open it again.
    int m_dismissedLine = -1, m_dismissedFrom = -1;
};

}  // namespace qm
