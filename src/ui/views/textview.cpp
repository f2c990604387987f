#include "ui/views/textview.h"

#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

void CTextView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    CMainFrame* main = theApp.GetMainFrame();
    MaximiseFrameIfWanted(main && main->m_docMax == 1);
    CEditView::OnInitialUpdate();
}

}  // namespace qm
