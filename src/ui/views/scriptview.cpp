#include "ui/views/scriptview.h"

#include "core/app/casefold.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/problemchecker.h"

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

}  // namespace qm
