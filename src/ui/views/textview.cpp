#include "ui/views/textview.h"

namespace qm {

void CTextView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    moveCursor(QTextCursor::Start);
    CEditView::OnInitialUpdate();
}

}  // namespace qm
