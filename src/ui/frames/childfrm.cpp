#include "ui/frames/childfrm.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"

namespace qm {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);  // the document deletes its frame
}

void CChildFrame::SetView(CEditView* view) {
    m_view = view;
    setWidget(view);
}

void CChildFrame::ShowInitial() {
    show();
    Activate();
}

void CChildFrame::Activate() {
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
    if (m_view) m_view->setFocus();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_document) {
        if (!m_document->SaveModified()) {
            event->ignore();
            return;
        }
        CScriptDoc* doc = m_document;
        m_document = nullptr;
        doc->OnCloseDocument();
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace qm
