#include "ui/views/editview.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "core/app/ansicodec.h"
#include "core/views/wordbreak.h"
#include "ui/app/quillmark.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"

namespace qm {

QColor FromColorRef(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

CEditView::CEditView(QWidget* parent) : QPlainTextEdit(parent) {
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
    TrackChanges();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_busy) OnChange();
    });
}

void CEditView::TrackChanges() {
    connect(document(), &QTextDocument::contentsChange, this, [this](int pos, int removed, int added) {
        const int blocks = document()->blockCount();
        const QTextBlock first = document()->findBlock(pos);
        const QTextBlock last = document()->findBlock(pos + added);
        m_lastChange.firstLine = first.blockNumber();
        m_lastChange.lastLine = last.isValid() ? last.blockNumber() : blocks - 1;
        m_lastChange.withinOneLine = blocks == m_blockCount && m_lastChange.firstLine == m_lastChange.lastLine;
        m_blockCount = blocks;
        (void)removed;
    });
}

void CEditView::ShareDocumentOf(CEditView* source) {
    QTextDocument* shared = source->document();
    disconnect(document(), nullptr, this, nullptr);
    // The source view answers every change of the shared text (modified mark, colours, labels) once.
    disconnect(this, &QPlainTextEdit::textChanged, this, nullptr);
    setDocument(shared);
    TrackChanges();
    m_blockCount = shared->blockCount();
    m_colouring = source->m_colouring;
    m_colouringRules = source->m_colouringRules;
    setLineWrapMode(source->lineWrapMode());
    setPalette(source->palette());
    ApplyEditorFont();
    m_busy = false;
}

CChildFrame* CEditView::GetParentFrame() const { return m_document ? m_document->GetFrame() : nullptr; }

void CEditView::LoadText(const QString& text) {
    const bool wasBusy = m_busy;
    m_busy = true;
    document()->setUndoRedoEnabled(false);
    setPlainText(text);
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    m_blockCount = document()->blockCount();
    m_busy = wasBusy;
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

void CEditView::ApplyRuns(const QTextBlock& block, const std::vector<ColourRun>& runs, bool markDirty) {
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(static_cast<qsizetype>(runs.size()));
    for (const ColourRun& r : runs) {
        QTextLayout::FormatRange range;
        range.start = r.start;
        range.length = r.length;
        range.format.setForeground(RoleColour(r.role));
        if (r.bold) range.format.setFontWeight(QFont::Bold);
        ranges.append(range);
    }
    block.layout()->setFormats(ranges);
    if (markDirty) document()->markContentsDirty(block.position(), block.length());
}

void CEditView::ColourLine(int line) {
    if (line < 0 || line >= document()->blockCount()) return;
    const QTextBlock block = document()->findBlockByNumber(line);
    if (block.length() <= 1 && block.layout()->formats().isEmpty()) return;  // empty lines cost nothing
    const bool wasBusy = m_busy;
    m_busy = true;
    ApplyRuns(block, LineRuns(block.text()), true);
    m_busy = wasBusy;
}

void CEditView::ColourLines(int from, int to) {
    for (int line = std::min(from, to); line <= std::max(from, to); ++line) ColourLine(line);
}

void CEditView::RecolourAll() {
    if (!m_colouring) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool wasBusy = m_busy;
    m_busy = true;
    const int firstVisible = FirstVisibleLine();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) ApplyRuns(b, LineRuns(b.text()), false);
    document()->markContentsDirty(0, document()->characterCount());
    ScrollToFirstVisibleLine(firstVisible);
    m_busy = wasBusy;
    QApplication::restoreOverrideCursor();
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
    if (!m_colouring) return;
    const QTextCursor c = textCursor();
    const int a = LineOfPosition(c.selectionStart());
    const int b = LineOfPosition(c.selectionEnd());
    const int firstVisible = FirstVisibleLine();
    if (a >= 0 && b < document()->blockCount()) {
        ColourLine(a);
        if (b != a) ColourLine(b);
        if (a != m_lastStartLine) {
            if (m_lastStartLine != b) ColourLine(m_lastStartLine);
            m_lastStartLine = a;
        }
        if (b != m_lastEndLine) {
            if (m_lastEndLine != a) ColourLine(m_lastEndLine);
            m_lastEndLine = b;
        }
        // The lines the change itself touched, as after an Undo far from the caret.
        if (m_lastChange.lastLine - m_lastChange.firstLine < 10000)
            ColourLines(m_lastChange.firstLine, m_lastChange.lastLine);
    }
    ScrollToFirstVisibleLine(firstVisible);
}

void CEditView::ApplyEditorFont() {
    if (CMainFrame* main = theApp.GetMainFrame()) setFont(main->m_editorFont);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
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

void CEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_lastStartLine = LineOfPosition(textCursor().selectionStart());
    } else if (event->button() == Qt::RightButton) {
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

void CEditView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_lastEndLine = LineOfPosition(textCursor().selectionEnd());
    QPlainTextEdit::mouseReleaseEvent(event);
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
    QMenu* menu = main ? main->PopupMenu(QStringLiteral("CONTEXT")) : nullptr;
    if (!menu) return;
    main->UpdateCommandStates();
    menu->exec(event->globalPos());
}

void CEditView::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    const int firstVisible = FirstVisibleLine();
    const int before = textCursor().blockNumber();
    // Characters only, whatever the source's formatting; every kind of line break becomes a real line.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar c : {QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        text.replace(c, QLatin1Char('\n'));
    textCursor().insertText(text);
    ensureCursorVisible();
    if (m_colouring) {
        ColourLines(before, textCursor().blockNumber());
        ScrollToFirstVisibleLine(firstVisible);
    }
}

void CEditView::OnEditPaste() { paste(); }

void CEditView::OnEditUndo() {
    // Colours are not edits here, so one step is the user's last action.
    undo();
}

}  // namespace qm
