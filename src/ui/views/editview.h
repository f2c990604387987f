#pragma once
#include <QColor>
#include <QPlainTextEdit>
#include <QPointer>
#include <vector>

#include "core/views/colouring.h"
#include "ui/doc/scriptdoc.h"

namespace qm {

class CChildFrame;

// The editing control every view is: a plain-text editor with the operations the views
// need. Colouring views set m_colouring; colours are layout formats of the lines, never edits,
// so they stay out of the undo history and leave the modified state alone.
class CEditView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CEditView(QWidget* parent = nullptr);

    void SetDocument(CScriptDoc* doc) { m_document = doc; }
    CScriptDoc* GetDocument() const { return m_document; }
    CChildFrame* GetParentFrame() const;

    // Replaces the whole text with a file's text; leaves nothing to undo.
    void LoadText(const QString& text);
    // The whole text with "\n" line breaks, every character as typed.
    QString GetText() const;

    // Puts "?" in place of every character the file's code page has no byte for, as one edit,
    // so the view shows what a save wrote. Returns how many were replaced.
    int ReplaceUnmappable();

    bool IsControlModified() const;
    void SetControlModified(bool modified);

    // Inserts text at the caret as one edit that cannot be undone.
    void InsertNotUndoable(const QString& text);

    // Re-colours one line by the view's rules (callers check m_colouring).
    void ColourLine(int line);
    // Re-colours every line when colouring is on; keeps the modified state and the scroll position.
    void RecolourAll();
    // The colours of a line's characters; the text view has none.
    virtual std::vector<ColourRun> LineRuns(const QString& line) const;
    // The colour the view shows a role in.
    QColor RoleColour(ColourRole role) const;

    // The first show: font, wrapping, header, colouring.
    virtual void OnInitialUpdate();
    // Makes this view a second window on the source's text: edits, undo and colours are shared.
    void ShareDocumentOf(CEditView* source);

    int LineOfPosition(int position) const;
    int FirstVisibleLine() const;
    void ScrollToFirstVisibleLine(int line);

    bool m_colouring = false;
    bool m_busy = true;  // the view changes its own text or formats; change notifications are ignored
    int m_lastStartLine = 0;
    int m_lastEndLine = 0;
    bool m_openMaximized = false;
    QColor m_textColour, m_remarkColour, m_commandColour, m_itemColour, m_programmingColour, m_variableColour,
        m_backgroundColour;

    // What the last change of the text touched: the line range that gets re-coloured and,
    // for the labels list, whether it stayed inside one line.
    struct Change {
        int firstLine = 0, lastLine = 0;
        bool withinOneLine = false;
    };
    const Change& LastChange() const { return m_lastChange; }

    // The Edit commands the views handle themselves.
    void OnEditPaste();
    void OnEditUndo();

protected:
    // The control's text changed.
    virtual void OnChange();
    void ApplyEditorFont();
    void StartColouring();
    // Puts the header text of the kind into an empty control.
    void InsertHeaderIfEmpty(const std::string& header);
    void MaximiseFrameIfWanted(bool wanted);
    virtual bool DoubleClickTakesUnderscore() const { return m_colouringRules; }

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

    QPointer<CScriptDoc> m_document;
    bool m_colouringRules = false;  // a script or description view

private:
    void TrackChanges();
    void ApplyRuns(const QTextBlock& block, const std::vector<ColourRun>& runs, bool markDirty);
    void ColourLines(int from, int to);

    Change m_lastChange;
    int m_blockCount = 1;
};

// 0x00BBGGRR to a colour.
QColor FromColorRef(int c);

}  // namespace qm
