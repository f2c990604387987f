#include "ui/views/descriptview.h"

#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

void CDescriptView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    moveCursor(QTextCursor::Start);
    CMainFrame* main = theApp.GetMainFrame();
    if (main && main->m_addHeader == 1) InsertHeaderIfEmpty(theApp.m_catalogue.m_descriptionHeader);
    CEditView::OnInitialUpdate();
}

}  // namespace qm
