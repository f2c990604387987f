#pragma once
#include <array>
#include <optional>
#include <QColor>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextLayout>
#include <vector>

#include "core/views/colouring.h"
#include "ui/doc/scriptdoc.h"

namespace qm {

class CChildFrame;
class CLineNumberArea;
class CViewMarks;

// The editing control every view is: a plain-text editor with the operations the views
// need. Colouring views set m_colouring; colours are layout formats of the lines, never edits,
// so they stay out of the undo history and leave the modified state alone. A line's colours
// depend on its own text alone, so a line is coloured when its text changes or when it is
// about to be shown, and a block's user state records whether its colours are current.
class CEditView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CEditView(QWidget* parent = nullptr);

    void SetDocument(CScriptDoc* doc) { m_document = doc; }
    CScriptDoc* GetDocument() const { return m_document; }
    CChildFrame* GetParentFrame() const;

    // Replaces the whole text with a file's text; leaves nothing to undo.
    void LoadText(const QString& text);
    // The same in pieces: BeginLoad, AppendLoadedText for each piece, EndLoad.
    void BeginLoad();
    void AppendLoadedText(const QString& piece);
    void EndLoad();
    // The whole text with "\n" line breaks, every character as typed.
    QString GetText() const;

    // Puts "?" in place of every character the file's code page has no byte for, as one edit,
    // so the view shows what a save wrote. Returns how many were replaced.
    int ReplaceUnmappable();

    bool IsControlModified() const;
    void SetControlModified(bool modified);

    // Inserts text at the caret as one edit that cannot be undone.
    void InsertNotUndoable(const QString& text);

    // Re-colours one line by the view's rules now (callers check m_colouring).
    void ColourLine(int line);
    // Re-colours every line when colouring is on: the shown lines at once, the others when they
    // are shown. Keeps the modified state and the scroll position.
    void RecolourAll();
    // The formats line `line` is shown with, colouring it first when its colours are not current.
    QList<QTextLayout::FormatRange> ShownFormats(int line);
    // The colours of a line's characters; the text view has none.
    virtual std::vector<ColourRun> LineRuns(const QString& line) const;
    // The colour the view shows a role in.
    QColor RoleColour(ColourRole role) const;

    // The first show: font, wrapping, header, colouring.
    virtual void OnInitialUpdate();
    // The editor font of the Options at this run's zoom, with tab stops of "TabWidth" of its spaces.
    void ApplyEditorFont();
    // Makes this view a further window on the source's text: edits, undo and colours are shared.
    // The text's own view answers each change of it once, for every window on it.
    void ShareDocumentOf(CEditView* source);

    // The line-number margin, shown or hidden; it follows the "LineNumbers" setting.
    void ShowLineNumbers(bool show);
    bool LineNumbersShown() const;
    // Gives the margin the room its numbers need and puts it beside the text.
    void PlaceLineNumbers();
    // The lines the window shows: their numbers (from 0) and tops in the window.
    std::vector<std::pair<int, int>> ShownLineTops() const;
    // What fixes those tops where lines never wrap: the first shown line, the scroll offset, the line
    // count and the window's height. Nothing for a wrapping view, where typing can move lines.
    std::optional<std::array<int, 4>> ShownLinesKey() const;
    // The bracket pair at the caret and the matches of a search, marked in the window.
    CViewMarks* Marks() const { return m_marks; }
    // Puts the caret at the start of a line (from 0, kept within the text) and shows it.
    void GoToLine(int line);
    // Room above the text for a bar across the window (0: none).
    void SetTopStrip(int height);

    int LineOfPosition(int position) const;
    int FirstVisibleLine() const;
    void ScrollToFirstVisibleLine(int line);

    bool m_colouring = false;
    bool m_busy = true;  // the view changes its own text or formats; change notifications are ignored
    bool m_openMaximized = false;
    QColor m_textColour, m_remarkColour, m_commandColour, m_itemColour, m_programmingColour, m_variableColour,
        m_backgroundColour;

    // What the last change of the text touched: the lines firstLine..lastLine now stand where
    // firstLine..lastLine - lineDelta stood before.
    struct Change {
        int firstLine = 0, lastLine = 0;
        int lineDelta = 0;  // lines added (or, below 0, removed)
    };

    // The Edit commands the views handle themselves.
    void OnEditPaste();
    void OnEditUndo();

protected:
    // The control's text changed.
    virtual void OnChange();
    // Right after any change of the text, the view's own included (not while a file loads). Only
    // the text's own view is told, not further windows on it.
    virtual void OnContentsChange(const Change&) {}
    enum class LoadStep { Begin, Piece, End };
    virtual void OnLoad(LoadStep, const QString&) {}
    void paintEvent(QPaintEvent* event) override;
    void StartColouring();
    // Puts the header text of the kind into an empty control.
    void InsertHeaderIfEmpty(const std::string& header);
    void MaximiseFrameIfWanted(bool wanted);
    virtual bool DoubleClickTakesUnderscore() const { return m_colouringRules; }

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

    QPointer<CScriptDoc> m_document;
    bool m_colouringRules = false;  // a script or description view

private:
    void TrackChanges();
    // Colours a line; a long line only within the spans its windows asked for.
    void ApplyRuns(QTextBlock block, const std::vector<ColourRun>& runs);
    void ColourChangedLines(QTextBlock first, const QTextBlock& last);
    void ColourShownLines();
    // The characters of a line this window shows.
    std::pair<int, int> ShownColumns(const QTextBlock& block) const;
    // A long line that changes is coloured around this window's caret.
    void FollowCaret(const QTextBlock& block);
    // The same for every window on the text.
    void FollowCarets(const QTextBlock& block);
    int ColourEpoch() const;  // a block whose user state equals it has current colours

    int m_blockCount = 1;
    QPointer<CEditView> m_textOwner;                     // in a further window: the view the text is of
    std::vector<QPointer<CEditView>> m_furtherWindows;  // in the text's own view
    bool m_loading = false, m_busyBeforeLoad = false;
    CLineNumberArea* m_lineNumbers = nullptr;
    int m_topStrip = 0;  // the height of a bar across the top of the window
    CViewMarks* m_marks = nullptr;
    int m_wheelZoom = 0;  // wheel turns not yet a whole notch
};

// 0x00BBGGRR to a colour.
QColor FromColorRef(int c);

}  // namespace qm
