#include "ui/views/largetextview.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

#include "ui/views/clipboardtext.h"

namespace qm {

namespace {
// A line longer than this is laid out only within kLongLineReach characters of what is shown.
constexpr int kLongLine = 20000;
constexpr int kLongLineReach = 8000;

// A line's characters up to a byte of its UTF-8 text, and back.
int ColumnOfByte(const std::string& line, size_t byte) {
    return int(QString::fromUtf8(line.data(), qsizetype(std::min(byte, line.size()))).size());
}
size_t ByteOfColumn(const QString& line, int column) {
    return size_t(QStringView(line).left(column).toUtf8().size());
}
}  // namespace

CLargeTextView::CLargeTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    verticalScrollBar()->setSingleStep(1);
    SetText(new CLargeText(std::string(), this));
}

void CLargeTextView::SetText(CLargeText* text) {
    if (m_text) disconnect(m_text, nullptr, this, nullptr);
    m_text = text;
    connect(text, &CLargeText::Changed, this, &CLargeTextView::OnTextChanged);
    connect(text, &CLargeText::WasReset, this, &CLargeTextView::Restart);
    Restart();
}

void CLargeTextView::Restart() {
    m_caret = m_anchor = 0;
    m_wantedX = -1;
    m_runsFor.clear();
    m_widest = int(m_text->Table().FirstLongestLine()) * fontMetrics().averageCharWidth();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

void CLargeTextView::SetTabWidth(int spaces) {
    m_tabWidth = std::max(1, spaces);
    viewport()->update();
}

void CLargeTextView::SetTopStrip(int height) { setViewportMargins(0, height, 0, 0); }

bool CLargeTextView::event(QEvent* event) {
    // The program's commands have shortcuts of their own (Esc, F2, Delete...): keys that edit or
    // move in the text are the view's, as they are in the other editor windows.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        switch (key->key()) {
            case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
            case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
                event->accept();
                return true;
            case Qt::Key_Delete: case Qt::Key_Backspace: case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Tab:
                if (!command) {
                    event->accept();
                    return true;
                }
                break;
            case Qt::Key_Escape: break;
            default:
                if (!command && !key->text().isEmpty() && key->text().at(0).isPrint()) {
                    event->accept();
                    return true;
                }
        }
    }
    return QAbstractScrollArea::event(event);
}

void CLargeTextView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        m_wheelZoom += event->angleDelta().y();
        const int steps = m_wheelZoom / 120;
        m_wheelZoom -= steps * 120;
        if (steps && onZoom) onZoom(steps);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CLargeTextView::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu) onContextMenu(event->globalPos());
}

void CLargeTextView::ShowLineNumbers(bool show) {
    m_lineNumbers = show;
    UpdateScrollBars();
    viewport()->update();
}

int CLargeTextView::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }
int CLargeTextView::Rows() const { return std::max(1, viewport()->height() / LineHeight()); }

int CLargeTextView::Gutter() const {
    if (!m_lineNumbers) return 0;
    const int digits = int(QString::number(m_text->Table().LineCount()).size());
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 2) + 8;
}

int CLargeTextView::TextLeft() const { return Gutter() + 4 - horizontalScrollBar()->value(); }

int CLargeTextView::FirstVisibleLine() const { return verticalScrollBar()->value(); }

int CLargeTextView::CaretLine() const { return int(m_text->Table().LineOfOffset(m_caret)); }

int CLargeTextView::CaretColumn() const {
    const PieceTable& t = m_text->Table();
    const size_t start = t.LineStart(t.LineOfOffset(m_caret));
    return ColumnOfByte(t.Text(start, m_caret - start), m_caret - start);
}

SelectionSpan CLargeTextView::Selection() const {
    const PieceTable& t = m_text->Table();
    const auto place = [&t](size_t offset, int& line, int& column) {
        const size_t l = t.LineOfOffset(offset), start = t.LineStart(l);
        line = int(l);
        column = ColumnOfByte(t.Text(start, offset - start), offset - start);
    };
    SelectionSpan s;
    place(std::min(m_caret, m_anchor), s.startLine, s.startColumn);
    place(std::max(m_caret, m_anchor), s.endLine, s.endColumn);
    return s;
}

QString CLargeTextView::LineString(size_t line) const { return QString::fromStdString(m_text->Table().LineText(line)); }

const std::vector<ColourRun>& CLargeTextView::RunsOf(const QString& line) const {
    if (line.size() != m_runsFor.size() || line != m_runsFor) {
        m_runs = lineRuns(line);
        m_runsFor = line;
    }
    return m_runs;
}

CLargeTextView::Laid CLargeTextView::LayOut(QTextLayout& layout, const QString& line, int around) const {
    Laid laid{&layout};
    const int width = std::max(1, fontMetrics().averageCharWidth());
    QString shown = line;
    if (line.size() > kLongLine) {
        if (around < 0) around = horizontalScrollBar()->value() / width;
        laid.from = std::clamp(around - kLongLineReach, 0, int(line.size()));
        if (laid.from > 0 && line[laid.from].isLowSurrogate()) --laid.from;
        shown = line.mid(laid.from, 2 * kLongLineReach + viewport()->width() / width);
        laid.x = qreal(laid.from) * width;
    }
    layout.setText(shown);
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * m_tabWidth);
    layout.setTextOption(option);
    if (lineRuns && roleColour) {
        QList<QTextLayout::FormatRange> ranges;
        const int from = laid.from, to = laid.from + int(shown.size());
        for (const ColourRun& r : RunsOf(line)) {
            if (r.start + r.length <= from || r.start >= to) continue;
            QTextLayout::FormatRange range;
            range.start = std::max(r.start, from) - from;
            range.length = std::min(r.start + r.length, to) - from - range.start;
            range.format.setForeground(roleColour(r.role));
            if (r.bold) range.format.setFontWeight(QFont::Bold);
            ranges.append(range);
        }
        layout.setFormats(ranges);
    }
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (first.isValid()) first.setPosition(QPointF(0, 0));
    layout.endLayout();
    return laid;
}

void CLargeTextView::UpdateScrollBars() {
    const int lines = int(std::min<size_t>(m_text->Table().LineCount(), size_t(INT_MAX)));
    verticalScrollBar()->setRange(0, std::max(0, lines - Rows()));
    verticalScrollBar()->setPageStep(Rows());
    horizontalScrollBar()->setRange(0, std::max(0, m_widest + Gutter() + 8 - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 4);
}

void CLargeTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CLargeTextView::scrollContentsBy(int, int) { viewport()->update(); }

void CLargeTextView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const QRegion& region = event->region();
    const PieceTable& table = m_text->Table();
    const int height = LineHeight(), gutter = Gutter(), left = TextLeft(), width = viewport()->width();
    const size_t first = size_t(FirstVisibleLine());
    const size_t selFrom = std::min(m_caret, m_anchor), selTo = std::max(m_caret, m_anchor);
    const size_t caretLine = table.LineOfOffset(m_caret);
    const QRect bounds = region.boundingRect();
    const int fromRow = std::max(0, bounds.top() / height), toRow = bounds.bottom() / height;
    int widest = m_widest;
    for (int row = fromRow; row <= toRow; ++row) {
        const QRect rowRect(0, row * height, width, height);
        if (!region.intersects(rowRect)) continue;  // only the rows asked for: a scrolled window repaints few
        painter.fillRect(rowRect, pal.base());
        const size_t line = first + size_t(row);
        if (line >= table.LineCount()) continue;
        const size_t start = table.LineStart(line), end = table.LineEnd(line);
        const std::string bytes = table.Text(start, end - start);
        const QString text = QString::fromStdString(bytes);
        QTextLayout layout;
        const Laid laid = LayOut(layout, text);
        widest = std::max(widest, int(laid.x + layout.lineAt(0).naturalTextWidth()));
        const int shownTo = laid.from + int(layout.text().size());
        QList<QTextLayout::FormatRange> selection;
        if (selFrom < selTo && selFrom <= end && selTo >= start) {
            const int a = std::max(ColumnOfByte(bytes, std::max(selFrom, start) - start), laid.from);
            const int b = std::min(ColumnOfByte(bytes, std::min(selTo, end) - start), shownTo);
            QTextLayout::FormatRange range;
            range.start = a - laid.from;
            range.length = std::max(0, b - a);
            range.format.setBackground(pal.highlight());
            range.format.setForeground(pal.highlightedText());
            selection.append(range);
        }
        painter.save();
        painter.setClipRect(QRect(gutter, row * height, width - gutter, height));
        const QPointF at(left + laid.x, row * height);
        layout.draw(&painter, at, selection);
        if (line == caretLine) {
            const int column = ColumnOfByte(bytes, m_caret - start);
            if (column >= laid.from && column <= shownTo) layout.drawCursor(&painter, at, column - laid.from, 1);
        }
        painter.restore();
        if (m_lineNumbers) {
            painter.fillRect(QRect(0, row * height, gutter, height), pal.window());
            painter.setPen(pal.color(QPalette::PlaceholderText));
            painter.drawText(QRect(0, row * height, gutter - 4, height), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(line + 1));
        }
    }
    m_paintedGutter = gutter;
    if (widest > m_widest) {
        m_widest = widest;
        UpdateScrollBars();
    }
}

void CLargeTextView::RecolourAll() {
    m_runsFor.clear();
    m_runs.clear();
    viewport()->update();
}

size_t CLargeTextView::OffsetAt(const QPoint& pos) const {
    const PieceTable& table = m_text->Table();
    const size_t line =
        std::min(size_t(FirstVisibleLine()) + size_t(std::max(0, pos.y() / LineHeight())), table.LineCount() - 1);
    const QString text = LineString(line);
    QTextLayout layout;
    const Laid laid = LayOut(layout, text);
    const int column = laid.from + layout.lineAt(0).xToCursor(pos.x() - TextLeft() - laid.x);
    return table.LineStart(line) + ByteOfColumn(text, column);
}

int CLargeTextView::CaretX() const {
    const int column = CaretColumn();
    QTextLayout layout;
    const Laid laid = LayOut(layout, LineString(size_t(CaretLine())), column);
    return int(laid.x + layout.lineAt(0).cursorToX(column - laid.from));
}

void CLargeTextView::RepaintLine(size_t line) {
    const long long row = (long long)line - FirstVisibleLine();
    if (row < 0 || row > Rows()) return;
    viewport()->update(QRect(0, int(row) * LineHeight(), viewport()->width(), LineHeight()));
}

void CLargeTextView::MoveCaretTo(size_t offset, bool keepAnchor) {
    const size_t before = size_t(CaretLine());
    const bool hadSelection = HasSelection();
    m_caret = std::min(offset, m_text->Table().Size());
    if (!keepAnchor) m_anchor = m_caret;
    if (hadSelection || HasSelection()) viewport()->update();
    else {
        RepaintLine(before);
        RepaintLine(size_t(CaretLine()));
    }
    EnsureCaretVisible();
    emit CaretMoved();
}

void CLargeTextView::SetCaret(size_t offset, bool keepAnchor) {
    m_wantedX = -1;
    MoveCaretTo(offset, keepAnchor);
}

void CLargeTextView::EnsureCaretVisible() {
    const int line = CaretLine(), first = FirstVisibleLine(), rows = Rows();
    if (line < first) verticalScrollBar()->setValue(line);
    else if (line >= first + rows) verticalScrollBar()->setValue(line - rows + 1);
    const int x = CaretX() + Gutter() + 4, scroll = horizontalScrollBar()->value();
    const int room = viewport()->width() - Gutter();
    if (x - scroll < Gutter() + 4) horizontalScrollBar()->setValue(std::max(0, x - Gutter() - 4 - room / 3));
    else if (x - scroll > viewport()->width() - 4) {
        m_widest = std::max(m_widest, x);
        UpdateScrollBars();
        horizontalScrollBar()->setValue(x - viewport()->width() + room / 3);
    }
}

void CLargeTextView::GoToLine(int line) {
    const PieceTable& table = m_text->Table();
    const size_t target = std::min(size_t(std::max(0, line)), table.LineCount() - 1);
    SetCaret(table.LineStart(target));
    verticalScrollBar()->setValue(int(target) - Rows() / 2);
}

void CLargeTextView::RestorePlace(int line, int column, int top) {
    const PieceTable& table = m_text->Table();
    const size_t target = std::min(size_t(std::max(0, line)), table.LineCount() - 1);
    const QString text = LineString(target);
    column = std::clamp(column, 0, int(text.size()));
    if (column > 0 && column < text.size() && text[column].isLowSurrogate()) --column;
    SetCaret(table.LineStart(target) + ByteOfColumn(text, column));
    verticalScrollBar()->setValue(top);
}

QString CLargeTextView::SelectedText() const {
    const size_t from = std::min(m_caret, m_anchor), to = std::max(m_caret, m_anchor);
    return QString::fromStdString(m_text->Table().Text(from, to - from));
}

void CLargeTextView::OnTextChanged(const PieceTable::Change& change) {
    // Each window keeps its caret and anchor on the same text: after an edit before them they move.
    const auto follow = [&](size_t& at) {
        if (at <= change.offset) return;
        if (at >= change.offset + change.removed) at = at - change.removed + change.inserted;
        else at = change.offset + change.inserted;
    };
    follow(m_caret);
    follow(m_anchor);
    if (change.removedBreaks == 0 && change.insertedBreaks == 0) return RepaintLine(change.line);
    UpdateScrollBars();
    const long long row = (long long)change.line - FirstVisibleLine();
    if (row > Rows()) return;  // below the window: nothing shown moved
    const int height = LineHeight(), width = viewport()->width(), gutter = Gutter();
    const size_t lines = m_text->Table().LineCount(), before = lines - change.insertedBreaks + change.removedBreaks;
    const bool endShown = std::max(lines, before) <= size_t(FirstVisibleLine() + Rows() + 1);
    if (row < 0 || gutter != m_paintedGutter || endShown) {
        viewport()->update();
        return;
    }
    // The lines below the edit keep their pixels and only move; the numbers beside them stay.
    const int kept = int(std::min(change.removedBreaks, change.insertedBreaks));
    const int top = (int(row) + 1 + kept) * height;
    const int delta = (int(change.insertedBreaks) - int(change.removedBreaks)) * height;
    if (top < viewport()->height()) viewport()->scroll(0, delta, QRect(gutter, top, width - gutter, viewport()->height() - top));
    viewport()->update(QRect(0, int(row) * height, width, (int(change.insertedBreaks) + 1) * height));
}

void CLargeTextView::EraseSelection() {
    if (!HasSelection()) return;
    const size_t from = std::min(m_caret, m_anchor), to = std::max(m_caret, m_anchor);
    m_text->Table().Erase(from, to - from);
    m_caret = m_anchor = from;
}

void CLargeTextView::InsertText(const QString& text, bool typed) {
    PieceTable& table = m_text->Table();
    QString clean = text;
    clean.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const std::string bytes = clean.toStdString();
    const bool group = HasSelection();
    if (group) table.BeginUndoGroup();
    EraseSelection();
    const size_t at = m_caret;
    table.Insert(at, bytes, typed && !group);
    if (group) table.EndUndoGroup();
    SetCaret(at + bytes.size());
}

void CLargeTextView::Undo() {
    if (const auto caret = m_text->Table().Undo()) SetCaret(*caret);
}

void CLargeTextView::Redo() {
    if (const auto caret = m_text->Table().Redo()) SetCaret(*caret);
}

void CLargeTextView::Copy() const {
    if (HasSelection()) QApplication::clipboard()->setText(SelectedText());
}

void CLargeTextView::Cut() {
    if (!HasSelection()) return;
    Copy();
    EraseSelection();
    SetCaret(m_caret);
}

void CLargeTextView::DeleteSelection() {
    EraseSelection();
    SetCaret(m_caret);
}

void CLargeTextView::Paste() {
    const QString text = PastedText(QApplication::clipboard()->mimeData());
    if (!text.isEmpty()) InsertText(text);
}

void CLargeTextView::SelectAll() {
    m_anchor = 0;
    SetCaret(m_text->Table().Size(), true);
}

size_t CLargeTextView::PreviousCharacter(size_t offset) const {
    const PieceTable& table = m_text->Table();
    while (offset > 0) {
        --offset;
        const unsigned char byte = static_cast<unsigned char>(table.Text(offset, 1)[0]);
        if ((byte & 0xC0) != 0x80) break;  // not inside a UTF-8 sequence
    }
    return offset;
}

size_t CLargeTextView::NextCharacter(size_t offset) const {
    const PieceTable& table = m_text->Table();
    while (offset < table.Size()) {
        ++offset;
        if (offset == table.Size() || (static_cast<unsigned char>(table.Text(offset, 1)[0]) & 0xC0) != 0x80) break;
    }
    return offset;
}

void CLargeTextView::keyPressEvent(QKeyEvent* event) {
    PieceTable& table = m_text->Table();
    if (event->matches(QKeySequence::Undo)) return Undo();
    const bool controlY = event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier;
    if (event->matches(QKeySequence::Redo) || controlY) return Redo();
    if (event->matches(QKeySequence::Copy)) return Copy();
    if (event->matches(QKeySequence::Cut)) return Cut();
    if (event->matches(QKeySequence::Paste)) return Paste();
    if (event->matches(QKeySequence::SelectAll)) return SelectAll();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const size_t line = size_t(CaretLine());
    const auto vertical = [&](long long lines) {
        if (m_wantedX < 0) m_wantedX = CaretX();
        const long long target = std::clamp<long long>((long long)line + lines, 0, (long long)table.LineCount() - 1);
        const QString text = LineString(size_t(target));
        QTextLayout layout;
        const Laid laid =
            LayOut(layout, text, m_wantedX / std::max(1, fontMetrics().averageCharWidth()));
        const int column = laid.from + layout.lineAt(0).xToCursor(m_wantedX - laid.x);
        const int keep = m_wantedX;
        MoveCaretTo(table.LineStart(size_t(target)) + ByteOfColumn(text, column), shift);
        m_wantedX = keep;
    };
    switch (event->key()) {
        case Qt::Key_Left: return SetCaret(!shift && HasSelection() ? std::min(m_caret, m_anchor) : PreviousCharacter(m_caret), shift);
        case Qt::Key_Right: return SetCaret(!shift && HasSelection() ? std::max(m_caret, m_anchor) : NextCharacter(m_caret), shift);
        case Qt::Key_Up: return vertical(-1);
        case Qt::Key_Down: return vertical(1);
        case Qt::Key_PageUp:
            verticalScrollBar()->setValue(FirstVisibleLine() - Rows());
            return vertical(-Rows());
        case Qt::Key_PageDown:
            verticalScrollBar()->setValue(FirstVisibleLine() + Rows());
            return vertical(Rows());
        case Qt::Key_Home: return SetCaret(control ? 0 : table.LineStart(line), shift);
        case Qt::Key_End: return SetCaret(control ? table.Size() : table.LineEnd(line), shift);
        case Qt::Key_Return:
        case Qt::Key_Enter: return InsertText(QStringLiteral("\n"));
        case Qt::Key_Backspace:
            if (!HasSelection()) m_anchor = PreviousCharacter(m_caret);
            EraseSelection();
            return SetCaret(m_caret);
        case Qt::Key_Delete:
            if (!HasSelection()) m_anchor = NextCharacter(m_caret);
            EraseSelection();
            return SetCaret(m_caret);
        default: break;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() || c == QLatin1Char('\t');
    });
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return InsertText(text, true);
    QAbstractScrollArea::keyPressEvent(event);
}

void CLargeTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    SetCaret(OffsetAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void CLargeTextView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) SetCaret(OffsetAt(event->position().toPoint()), true);
}

}  // namespace qm
