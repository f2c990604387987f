#include "ui/views/scriptview.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QToolTip>

#include "core/app/casefold.h"
#include "core/views/scriptcontext.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/problemchecker.h"
#include "ui/views/completionpopup.h"
#include "ui/views/scriptassist.h"

namespace qm {

CScriptView::CScriptView(QWidget* parent) : CEditView(parent) { m_colouringRules = true; }

std::vector<ColourRun> CScriptView::LineRuns(const QString& line) const {
    return ColourScriptLine(line.toStdU16String(), theApp.m_catalogue);
}

namespace {
// A script view colours a .sqs or .sqf file, or a new Script or Function document.
bool WantsColour(const CScriptDoc* doc) {
    if (!doc) return false;
    const QString path = doc->GetPathName().toLower();
    if (!path.isEmpty()) return path.endsWith(QLatin1String("sqs")) || path.endsWith(QLatin1String("sqf"));
    return doc->GetTitle().startsWith(QLatin1String("Script")) || doc->GetTitle().startsWith(QLatin1String("Function"));
}
}  // namespace

void CScriptView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    MaximiseFrameIfWanted(m_openMaximized);
    ApplyEditorFont();
    CMainFrame* main = theApp.GetMainFrame();
    m_colouring = main && main->m_format == 1 && WantsColour(m_document);
    moveCursor(QTextCursor::Start);
    if (main && main->m_addHeader == 1) InsertHeaderIfEmpty(theApp.m_catalogue.m_scriptHeader);
    if (m_colouring) StartColouring();
    if (auto* frame = qobject_cast<CScriptFrame*>(GetParentFrame())) frame->RebuildLabels();
    AttachProblemChecker(this);
    CEditView::OnInitialUpdate();
}

void CScriptView::OnContentsChange(const Change& change) {
    if (auto* frame = qobject_cast<CScriptFrame*>(GetParentFrame())) frame->OnTextChanged(change);
}

void CScriptView::OnLoad(LoadStep step, const QString& piece) {
    auto* frame = qobject_cast<CScriptFrame*>(GetParentFrame());
    if (!frame) return;
    switch (step) {
        case LoadStep::Begin: frame->BeginLabelScan(); break;
        case LoadStep::Piece: frame->ScanLabels(piece); break;
        case LoadStep::End: frame->EndLabelScan(); break;
    }
}

CCompletionPopup* CScriptView::Completion() {
    if (!m_completion) m_completion = new CCompletionPopup(this);
    return m_completion;
}

bool CScriptView::event(QEvent* event) {
    // Esc is the program's Exit: while the list is open the key is the list's alone.
    if (event->type() == QEvent::ShortcutOverride && m_completion &&
        m_completion->WantsKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return CEditView::event(event);
}

void CScriptView::keyPressEvent(QKeyEvent* event) {
    if (m_completion && m_completion->HandleKey(event)) {
        event->accept();
        return;
    }
    CEditView::keyPressEvent(event);
    if (event->text().size() == 1 && IsScriptNameChar(event->text().front().unicode())) Completion()->AfterTyping(event);
}

void CScriptView::focusOutEvent(QFocusEvent* event) {
    if (m_completion) m_completion->Close();
    CEditView::focusOutEvent(event);
}

void CScriptView::mousePressEvent(QMouseEvent* event) {
    if (m_completion) m_completion->Close();
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier &&
        GoToLabelAt(*this, cursorForPosition(event->position().toPoint()).position())) {
        event->accept();
        return;
    }
    CEditView::mousePressEvent(event);
}

bool CScriptView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return CEditView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QTextCursor at = cursorForPosition(help->pos());
    // Only over the line's text, not the empty room after its end.
    QTextCursor end(at.block());
    end.movePosition(QTextCursor::EndOfBlock);
    const QPoint global = help->globalPos();
    if (help->pos().x() > cursorRect(end).right() || !ShowSyntaxTip(*this, at.position(), &global)) {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

}  // namespace qm
