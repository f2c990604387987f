#include "ui/frames/childfrm.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);  // the document deletes its frame
}

void CChildFrame::SetView(CEditView* view) {
    m_view = view;
    setWidget(view);
}

void CChildFrame::SetLargeView(CLargeTextView* view) {
    m_largeView = view;
    setWidget(view);
}

QWidget* CChildFrame::ViewWidget() const {
    if (m_view) return m_view;
    return m_largeView;
}

void CChildFrame::ShowInitial() {
    if (m_maximiseOnShow) showMaximized();
    else show();
    Activate();
}

void CChildFrame::Activate() {
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
    if (QWidget* view = ViewWidget()) view->setFocus();
}

void CChildFrame::RecordDocMax() {
    if (!isVisible()) return;
    if (CMainFrame* main = theApp.GetMainFrame()) main->m_docMax = isMaximized() ? 1 : 0;
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) RecordDocMax();
}

void CChildFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    RecordDocMax();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_extraWindow) {
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted()) deleteLater();
        return;
    }
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
