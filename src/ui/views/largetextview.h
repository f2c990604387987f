#pragma once
#include <QAbstractScrollArea>
#include <QColor>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "core/frames/statustexts.h"
#include "core/views/colouring.h"
#include "ui/views/largetext.h"

class QTextLayout;

namespace qm {

// A window on a very large text (`CLargeText`). It asks the text for the lines it shows and lays
// out, colours and paints only those, so its cost follows the window's height, not the text's
// length. Lines never wrap; the vertical scroll bar counts lines. Several windows may show one
// text, each with its own caret and scrolling. Offsets are bytes of the UTF-8 text.
class CLargeTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CLargeTextView(QWidget* parent = nullptr);

    void SetText(CLargeText* text);
    CLargeText* Text() const { return m_text; }

    // A line's colours and each role's colour; without them every character is in the text colour.
    std::function<std::vector<ColourRun>(const QString&)> lineRuns;
    std::function<QColor(ColourRole)> roleColour;
    // After lineRuns or roleColour changed.
    void RecolourAll();
    // Ctrl+wheel notches and the context menu, answered by the program around the view.
    std::function<void(int)> onZoom;
    std::function<void(const QPoint&)> onContextMenu;
    void SetTabWidth(int spaces);
    // Room above the text for a bar across the window (0: none).
    void SetTopStrip(int height);
    void ShowLineNumbers(bool show);
    bool LineNumbersShown() const { return m_lineNumbers; }

    size_t CaretOffset() const { return m_caret; }
    size_t AnchorOffset() const { return m_anchor; }
    int CaretLine() const;
    // The caret's column in characters (from 0).
    int CaretColumn() const;
    int FirstVisibleLine() const;
    // The selection's (or the caret's) lines and columns, for the status bar.
    SelectionSpan Selection() const;
    void SetCaret(size_t offset, bool keepAnchor = false);
    // The caret to a line's start (from 0, kept within the text), the line shown near the middle.
    void GoToLine(int line);
    // After the text was replaced: the caret back on a line and column, the window at a first line.
    void RestorePlace(int line, int column, int top);
    bool HasSelection() const { return m_caret != m_anchor; }
    QString SelectedText() const;

    // Replaces the selection with text; typed text joins the typing before it in one undo step.
    void InsertText(const QString& text, bool typed = false);
    void Undo();
    void Redo();
    void Copy() const;
    void Cut();
    void Paste();
    void SelectAll();
    void DeleteSelection();

signals:
    void CaretMoved();

protected:
    bool event(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Tab is typed into the text, not a move to the next control.
    bool focusNextPrevChild(bool) override { return false; }

private:
    QString LineString(size_t line) const;
    // A line as laid out: a very long one only around one of its columns, so that a keystroke on a
    // line of a megabyte lays out and colours thousands of characters, not a million.
    struct Laid {
        QTextLayout* layout = nullptr;
        int from = 0;  // the column of the layout's first character in the line
        qreal x = 0;   // its x in the line
    };
    // around: the column to lay out around; -1: the columns the window shows.
    Laid LayOut(QTextLayout& layout, const QString& line, int around = -1) const;
    const std::vector<ColourRun>& RunsOf(const QString& line) const;
    int LineHeight() const;
    int Rows() const;  // whole lines the window shows
    int Gutter() const;
    int TextLeft() const;  // x of a line's first character in the window
    size_t OffsetAt(const QPoint& pos) const;
    int CaretX() const;  // within its line's layout
    void MoveCaretTo(size_t offset, bool keepAnchor);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void OnTextChanged(const PieceTable::Change& change);
    void Restart();
    void EraseSelection();
    size_t PreviousCharacter(size_t offset) const;
    size_t NextCharacter(size_t offset) const;
    void RepaintLine(size_t line);

    QPointer<CLargeText> m_text;
    size_t m_caret = 0, m_anchor = 0;
    int m_wantedX = -1;  // Up and Down keep the x the caret came from
    int m_tabWidth = 8;
    bool m_lineNumbers = true;
    int m_widest = 0;  // the widest line laid out (or estimated), in pixels
    // The colours of the line coloured last: a long line is painted and measured several times a keystroke.
    mutable QString m_runsFor;
    mutable std::vector<ColourRun> m_runs;
    int m_paintedGutter = -1;
    int m_wheelZoom = 0;  // wheel turns not yet a whole notch
};

}  // namespace qm
