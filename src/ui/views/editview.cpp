#include "ui/views/editview.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <vector>

#include "core/app/ansicodec.h"
#include "core/views/lineedits.h"
#include "core/views/wordbreak.h"
#include "ui/app/quillmark.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/blockedits.h"
#include "ui/views/clipboardtext.h"
#include "ui/views/linenumberarea.h"
#include "ui/views/viewmarks.h"
#include "ui/views/zoom.h"

namespace qm {

namespace {
// Setting a line's formats reports a change of twice the line's length, which the plain layout
// takes for a change of several lines: it forgets the next lines' layouts and repaints the whole
// view on every keystroke. A change that stays inside one line is handed on as that line's.
class LineLayout : public QPlainTextDocumentLayout {
public:
    explicit LineLayout(QTextDocument* doc) : QPlainTextDocumentLayout(doc), m_blocks(doc->blockCount()) {}

protected:
    void documentChanged(int from, int removed, int added) override {
        const int blocks = document()->blockCount();
        const QTextBlock block = document()->findBlock(from);
        const bool oneLine = blocks == m_blocks && block.isValid() && from + added <= block.position() + block.length();
        m_blocks = blocks;
        if (oneLine) QPlainTextDocumentLayout::documentChanged(block.position(), 0, 1);
        else QPlainTextDocumentLayout::documentChanged(from, removed, added);
    }

private:
    int m_blocks;
};

// Qt lays out and shapes every coloured range of a line as an item of its own, so a line of a
// megabyte with 200,000 ranges costs several times what the bare line does on each keystroke.
// A line longer than kLongLine is coloured only around the part each window shows (its span):
// a window's span follows its caret when the line changes and its scrolling when it paints.
// Each window keeps its own span, so windows showing different parts do not undo each other.
constexpr int kLongLine = 20000;
constexpr int kSpanMargin = 8000;  // characters coloured on either side of the shown part
constexpr size_t kSpansKept = 4;   // windows gone leave their spans until newer ones push them out

using Columns = std::pair<int, int>;  // [first, second)

struct ColouredSpans : QTextBlockUserData {
    std::vector<std::pair<const void*, Columns>> spans;  // by window, the latest last
};

bool IsLong(const QTextBlock& b) { return b.length() > kLongLine; }
ColouredSpans* SpansOf(const QTextBlock& b) { return static_cast<ColouredSpans*>(b.userData()); }
bool Covers(const QTextBlock& b, Columns shown) {
    if (const ColouredSpans* s = SpansOf(b))
        for (const auto& [window, span] : s->spans)
            if (span.first <= shown.first && shown.second <= span.second) return true;
    return false;
}
Columns Around(Columns shown, int length) {
    return {std::max(0, shown.first - kSpanMargin), std::min(length, shown.second + kSpanMargin)};
}
void SetSpan(QTextBlock b, const void* window, Columns span) {
    ColouredSpans* s = SpansOf(b);
    if (!s) b.setUserData(s = new ColouredSpans);
    std::erase_if(s->spans, [window](const auto& e) { return e.first == window; });
    if (s->spans.size() >= kSpansKept) s->spans.erase(s->spans.begin());
    s->spans.push_back({window, span});
}
// The spans of a line in order, overlapping ones joined, cut to the line's length.
std::vector<Columns> ColouredParts(const QTextBlock& b) {
    std::vector<Columns> parts;
    if (const ColouredSpans* s = SpansOf(b))
        for (const auto& e : s->spans) parts.push_back(e.second);
    std::sort(parts.begin(), parts.end());
    std::vector<Columns> joined;
    for (Columns p : parts) {
        p.second = std::min(p.second, b.length() - 1);
        if (!joined.empty() && p.first <= joined.back().second) joined.back().second = std::max(joined.back().second, p.second);
        else if (p.first < p.second) joined.push_back(p);
    }
    return joined;
}
}  // namespace

QColor FromColorRef(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

CEditView::CEditView(QWidget* parent) : QPlainTextEdit(parent) {
    auto* doc = new QTextDocument(this);
    doc->setDocumentLayout(new LineLayout(doc));
    setDocument(doc);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    if (CMainFrame* main = theApp.GetMainFrame()) {
        // Colours are fixed when the view is made: a changed setting reaches only later views.
        m_textColour = FromColorRef(main->m_textColour);
        m_remarkColour = FromColorRef(main->m_remarkColour);
        m_commandColour = FromColorRef(main->m_commandColour);
        m_itemColour = FromColorRef(main->m_itemColour);
        m_programmingColour = FromColorRef(main->m_programmingColour);
        m_variableColour = FromColorRef(main->m_variableColour);
        m_backgroundColour = FromColorRef(main->m_backgroundColour);
        m_openMaximized = main->m_docMax == 1;
    }
    m_lineNumbers = new CLineNumberArea(this);
    ShowLineNumbers(!theApp.GetMainFrame() || theApp.GetMainFrame()->m_lineNumbers == 1);
    m_marks = new CViewMarks(this);
    TrackChanges();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_busy) OnChange();
    });
}

void CEditView::TrackChanges() {
    connect(document(), &QTextDocument::contentsChange, this, [this](int pos, int, int added) {
        if (m_loading) return;  // the load reads its text once when it ends
        const int blocks = document()->blockCount();
        QTextBlock first = document()->findBlock(pos);
        QTextBlock last = document()->findBlock(pos + added);
        if (!first.isValid()) first = document()->lastBlock();
        if (!last.isValid()) last = document()->lastBlock();
        const Change change{first.blockNumber(), last.blockNumber(), blocks - m_blockCount};
        m_blockCount = blocks;
        if (m_colouring) ColourChangedLines(first, last);
        OnContentsChange(change);
    });
}

void CEditView::ShareDocumentOf(CEditView* source) {
    QTextDocument* shared = source->document();
    // The text's own view answers every change of it (modified mark, colours, labels) once; a
    // second answer would move the labels below an added line twice.
    disconnect(document(), nullptr, this, nullptr);
    disconnect(this, &QPlainTextEdit::textChanged, this, nullptr);
    setDocument(shared);
    m_textOwner = source->m_textOwner ? source->m_textOwner : QPointer<CEditView>(source);
    std::erase_if(m_textOwner->m_furtherWindows, [](const QPointer<CEditView>& w) { return !w; });
    m_textOwner->m_furtherWindows.push_back(this);
    m_colouring = source->m_colouring;
    m_colouringRules = source->m_colouringRules;
    setLineWrapMode(source->lineWrapMode());
    setPalette(source->palette());
    ApplyEditorFont();
    m_busy = false;
}

CChildFrame* CEditView::GetParentFrame() const { return m_document ? m_document->GetFrame() : nullptr; }

void CEditView::LoadText(const QString& text) {
    BeginLoad();
    AppendLoadedText(text);
    EndLoad();
}

void CEditView::BeginLoad() {
    m_busyBeforeLoad = m_busy;
    m_busy = true;
    m_loading = true;
    document()->setUndoRedoEnabled(false);
    setPlainText(QString());
    OnLoad(LoadStep::Begin, QString());
}

void CEditView::AppendLoadedText(const QString& piece) {
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(piece);
    OnLoad(LoadStep::Piece, piece);
}

void CEditView::EndLoad() {
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
    m_blockCount = document()->blockCount();
    m_loading = false;
    m_busy = m_busyBeforeLoad;
    OnLoad(LoadStep::End, QString());
}

QString CEditView::GetText() const {
    // toPlainText() would turn no-break spaces into spaces; the raw text keeps every character.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return raw;
}

int CEditView::ReplaceUnmappable() {
    const QString text = document()->toRawText();
    std::vector<std::pair<int, int>> spans;  // position and length in UTF-16 units
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) continue;
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t cp = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
        if (c != QChar::ParagraphSeparator && c != QChar::LineSeparator && !HasAnsiByte(cp))
            spans.push_back({i, pair ? 2 : 1});
        if (pair) ++i;
    }
    if (spans.empty()) return 0;
    QTextCursor c(document());
    c.beginEditBlock();
    for (auto it = spans.rbegin(); it != spans.rend(); ++it) {
        c.setPosition(it->first);
        c.setPosition(it->first + it->second, QTextCursor::KeepAnchor);
        c.insertText(QStringLiteral("?"));
    }
    c.endEditBlock();
    return static_cast<int>(spans.size());
}

bool CEditView::IsControlModified() const { return document()->isModified(); }

void CEditView::SetControlModified(bool modified) {
    if (document()->isModified() != modified) document()->setModified(modified);
}

void CEditView::InsertNotUndoable(const QString& text) {
    const bool wasBusy = m_busy;
    m_busy = true;
    // Turning undo off and on empties the history: do it only when there is nothing to keep.
    if (document()->isUndoAvailable() || document()->isRedoAvailable()) {
        textCursor().insertText(text);
    } else {
        document()->setUndoRedoEnabled(false);
        textCursor().insertText(text);
        document()->setUndoRedoEnabled(true);
    }
    m_busy = wasBusy;
}

int CEditView::LineOfPosition(int position) const { return document()->findBlock(position).blockNumber(); }

int CEditView::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void CEditView::ScrollToFirstVisibleLine(int line) {
    if (verticalScrollBar()->value() != line) verticalScrollBar()->setValue(line);
}

std::vector<ColourRun> CEditView::LineRuns(const QString&) const { return {}; }

QColor CEditView::RoleColour(ColourRole role) const {
    switch (role) {
        case ColourRole::Text: return m_textColour;
        case ColourRole::Remark: return m_remarkColour;
        case ColourRole::Command: return m_commandColour;
        case ColourRole::Item: return m_itemColour;
        case ColourRole::Programming: return m_programmingColour;
        case ColourRole::Variable: return m_variableColour;
    }
    return m_textColour;
}

void CEditView::ApplyRuns(QTextBlock block, const std::vector<ColourRun>& runs) {
    std::vector<Columns> parts;
    if (IsLong(block)) parts = ColouredParts(block);
    else if (block.userData()) block.setUserData(nullptr);
    QList<QTextLayout::FormatRange> ranges;
    const auto add = [&](const ColourRun& r, int from, int to) {
        QTextLayout::FormatRange range;
        range.start = from;
        range.length = to - from;
        range.format.setForeground(RoleColour(r.role));
        if (r.bold) range.format.setFontWeight(QFont::Bold);
        ranges.append(range);
    };
    if (parts.empty()) {
        ranges.reserve(static_cast<qsizetype>(runs.size()));
        for (const ColourRun& r : runs) add(r, r.start, r.start + r.length);
    } else {
        // Runs and parts are both in order: walk them side by side.
        size_t p = 0;
        for (const ColourRun& r : runs) {
            while (p < parts.size() && parts[p].second <= r.start) ++p;
            for (size_t q = p; q < parts.size() && parts[q].first < r.start + r.length; ++q)
                add(r, std::max(r.start, parts[q].first), std::min(r.start + r.length, parts[q].second));
            if (p == parts.size()) break;
        }
    }
    // The layout forgets its lines and the document records the block as changed: the caller
    // makes the document lay it out again (markContentsDirty), unless a change is under way.
    block.layout()->setFormats(ranges);
    block.setUserState(ColourEpoch());
}

Columns CEditView::ShownColumns(const QTextBlock& block) const {
    const int length = block.length() - 1;
    // Laid out now if it is not yet (the paint would do it next): then the columns are exact.
    const QPointF at = blockBoundingGeometry(block).translated(contentOffset()).topLeft();
    const QTextLayout* layout = block.layout();
    int from = length, to = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const double top = at.y() + line.y();
        if (top + line.height() < 0 || top > viewport()->height()) continue;
        const double left = -at.x();  // the viewport's edges in the layout's own x
        from = std::min(from, line.xToCursor(left));
        to = std::max(to, line.xToCursor(left + viewport()->width()) + 1);
    }
    if (from > to) return {0, 0};  // not in the window
    return {from, std::min(length, to)};
}

void CEditView::FollowCaret(const QTextBlock& block) {
    // The caret is where the user types, and the window keeps it in view.
    const int caret = textCursor().position() - block.position();
    if (caret >= 0 && caret < block.length()) SetSpan(block, this, Around({caret, caret}, block.length() - 1));
    else if (!SpansOf(block)) SetSpan(block, this, Around({0, 0}, block.length() - 1));
}

void CEditView::FollowCarets(const QTextBlock& block) {
    FollowCaret(block);
    for (const QPointer<CEditView>& w : m_furtherWindows)
        if (w) w->FollowCaret(block);
}

void CEditView::ColourLine(int line) {
    if (line < 0 || line >= document()->blockCount()) return;
    QTextBlock block = document()->findBlockByNumber(line);
    if (block.length() <= 1 && block.layout()->formats().isEmpty()) {  // empty lines cost nothing
        block.setUserState(ColourEpoch());
        return;
    }
    const bool wasBusy = m_busy;
    m_busy = true;
    if (IsLong(block)) FollowCaret(block);  // a paint widens it to what the window shows
    ApplyRuns(block, LineRuns(block.text()));
    document()->markContentsDirty(block.position(), block.length());
    m_busy = wasBusy;
}

QList<QTextLayout::FormatRange> CEditView::ShownFormats(int line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) return {};
    if (m_colouring && block.userState() != ColourEpoch()) ColourLine(line);
    return block.layout()->formats();
}

void CEditView::ColourChangedLines(QTextBlock first, const QTextBlock& last) {
    // Inside the document's change: the layout has not yet seen it, so formats set now are laid
    // out once with the new text. A long change only marks its lines; they are coloured when shown.
    constexpr int colourNow = 64;
    const int count = last.blockNumber() - first.blockNumber() + 1;
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        if (count <= colourNow && IsLong(b)) FollowCarets(b);
        if (count <= colourNow) ApplyRuns(b, LineRuns(b.text()));
        else b.setUserState(-1);
        if (b == last) break;
    }
}

void CEditView::ColourShownLines() {
    const int rows = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 2;
    const int epoch = ColourEpoch();
    int from = -1, to = -1;
    QTextBlock b = firstVisibleBlock();
    for (int i = 0; i < rows && b.isValid(); ++i, b = b.next()) {
        bool recolour = b.userState() != epoch && (b.length() > 1 || !b.layout()->formats().isEmpty());
        if (IsLong(b)) {
            const Columns shown = ShownColumns(b);
            if (b.userState() != epoch || !Covers(b, shown)) {
                SetSpan(b, this, Around(shown, b.length() - 1));
                recolour = true;
            }
        }
        if (recolour) {
            ApplyRuns(b, LineRuns(b.text()));
            if (from < 0) from = b.position();
            to = b.position() + b.length();
        }
        b.setUserState(epoch);
    }
    if (from >= 0) document()->markContentsDirty(from, to - from);
}

void CEditView::paintEvent(QPaintEvent* event) {
    if (m_colouring) {
        const bool wasBusy = m_busy;
        m_busy = true;
        ColourShownLines();
        m_busy = wasBusy;
    }
    QPlainTextEdit::paintEvent(event);
}

// Kept with the text, so that every window on a shared text agrees which lines are current.
int CEditView::ColourEpoch() const { return document()->property("colourEpoch").toInt(); }

void CEditView::RecolourAll() {
    if (!m_colouring) return;
    document()->setProperty("colourEpoch", ColourEpoch() + 1);
    const bool wasBusy = m_busy;
    m_busy = true;
    ColourShownLines();
    m_busy = wasBusy;
    viewport()->update();
}

void CEditView::StartColouring() {
    QPalette p = palette();
    p.setColor(QPalette::Base, m_backgroundColour);
    p.setColor(QPalette::Text, m_textColour);
    setPalette(p);
    RecolourAll();
}

void CEditView::OnInitialUpdate() {
    ApplyEditorFont();
    m_busy = false;
    SetControlModified(false);
    if (m_document) m_document->SetModifiedFlag(false);
}

void CEditView::OnChange() {
    if (m_document) m_document->SetModifiedFlag(IsControlModified());
}

void CEditView::ApplyEditorFont() {
    CMainFrame* main = theApp.GetMainFrame();
    if (main) setFont(ZoomedEditorFont(*main));
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * (main ? main->m_tabWidth : 8));
    PlaceLineNumbers();
}

void CEditView::ShowLineNumbers(bool show) {
    m_lineNumbers->setVisible(show);
    PlaceLineNumbers();
}

bool CEditView::LineNumbersShown() const { return !m_lineNumbers->isHidden(); }

void CEditView::SetTopStrip(int height) {
    m_topStrip = height;
    PlaceLineNumbers();
}

void CEditView::PlaceLineNumbers() {
    const int width = LineNumbersShown() ? m_lineNumbers->AreaWidth() : 0;
    const QMargins margins(width, m_topStrip, 0, 0);
    if (viewportMargins() != margins) setViewportMargins(margins);
    m_lineNumbers->Place();
    m_lineNumbers->update();
}

std::vector<std::pair<int, int>> CEditView::ShownLineTops() const {
    std::vector<std::pair<int, int>> tops;
    QTextBlock block = firstVisibleBlock();
    const QPointF offset = contentOffset();
    const int height = viewport()->height();
    for (; block.isValid(); block = block.next()) {
        const int top = qRound(blockBoundingGeometry(block).translated(offset).top());
        if (top > height) break;
        if (block.isVisible()) tops.push_back({block.blockNumber(), top});
    }
    return tops;
}

std::optional<std::array<int, 4>> CEditView::ShownLinesKey() const {
    if (lineWrapMode() != NoWrap) return std::nullopt;
    return std::array<int, 4>{firstVisibleBlock().blockNumber(), qRound(contentOffset().y()), blockCount(),
                              viewport()->height()};
}

void CEditView::GoToLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 0, document()->blockCount() - 1));
    QTextCursor c(block);
    setTextCursor(c);
    centerCursor();
}

void CEditView::InsertHeaderIfEmpty(const std::string& header) {
    if (!document()->isEmpty()) return;
    moveCursor(QTextCursor::Start);
    QString text = QString::fromStdString(header + "\r\n");
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    InsertNotUndoable(text);
    document()->setModified(false);
    if (m_document) m_document->SetModifiedFlag(false);
}

void CEditView::MaximiseFrameIfWanted(bool wanted) {
    if (CChildFrame* frame = GetParentFrame(); frame && wanted) frame->m_maximiseOnShow = true;
}

void CEditView::keyPressEvent(QKeyEvent* event) {
    // Tab and Shift+Tab on a selection of several lines indent and outdent them.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !isReadOnly()) {
        const LineRange lines = SelectedLines(textCursor());
        if (lines.last > lines.first) {
            CMainFrame* main = theApp.GetMainFrame();
            const bool outdent = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
            EditLines(*this, lines, [&](const std::vector<std::u16string>& text) {
                return IndentLines(text, outdent, main ? main->m_tabWidth : 8);
            });
            event->accept();
            return;
        }
    }
    // Shift+Enter would insert a soft line break: saved as a line, but neither coloured nor
    // listed as one. Every line break typed is a real line.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text(),
                        event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CEditView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    m_lineNumbers->Place();
}

void CEditView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        // Whole notches only; a touchpad's small steps add up until one is complete.
        m_wheelZoom += event->angleDelta().y();
        const int steps = m_wheelZoom / 120;
        m_wheelZoom -= steps * 120;
        if (CMainFrame* main = theApp.GetMainFrame(); main && steps) ZoomViews(*main, steps);
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

void CEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // A right-click inside the selection keeps it for the context menu.
        const int p = cursorForPosition(event->position().toPoint()).position();
        const QTextCursor c = textCursor();
        if (!(c.hasSelection() && c.selectionStart() <= p && p < c.selectionEnd())) {
            QTextCursor at(document());
            at.setPosition(p);
            setTextCursor(at);
        }
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void CEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        return;
    }
    const int p = textCursor().selectionStart();
    const QTextBlock block = document()->findBlock(p);
    const std::u16string line = block.text().toStdU16String();
    const auto [a, b] = DoubleClickSelection(line, p - block.position(), DoubleClickTakesUnderscore());
    if (a == b) return;
    QTextCursor c(document());
    c.setPosition(block.position() + a);
    c.setPosition(block.position() + b, QTextCursor::KeepAnchor);
    setTextCursor(c);
    event->accept();
}

void CEditView::contextMenuEvent(QContextMenuEvent* event) {
    CMainFrame* main = theApp.GetMainFrame();
    QMenu* menu = main ? main->ShownMenu(QStringLiteral("CONTEXT")) : nullptr;
    if (!menu) return;
    main->UpdateCommandStates();
    menu->exec(event->globalPos());
}

bool CEditView::canInsertFromMimeData(const QMimeData* source) const { return CanPasteFrom(source); }

void CEditView::insertFromMimeData(const QMimeData* source) {
    const QString text = PastedText(source);
    if (text.isEmpty()) return;
    textCursor().insertText(text);
    ensureCursorVisible();
}

void CEditView::OnEditPaste() { paste(); }

void CEditView::OnEditUndo() {
    // Colours are not edits here, so one step is the user's last action.
    undo();
}

}  // namespace qm
