#include "ui/views/scriptview.h"

#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

void CScriptView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    moveCursor(QTextCursor::Start);
    CMainFrame* main = theApp.GetMainFrame();
    if (main && main->m_addHeader == 1) InsertHeaderIfEmpty(theApp.m_catalogue.m_scriptHeader);
    CEditView::OnInitialUpdate();
}

}  // namespace qm
