#include "ui/frames/windowcommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/app/doctemplate.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/descriptview.h"
#include "ui/views/problemchecker.h"
#include "ui/views/scriptview.h"
#include "ui/views/textview.h"
#include "ui/views/largetextview.h"
#include "ui/views/largeviewsetup.h"

namespace qm {

namespace {
CEditView* ViewLike(const CEditView* source) {
    if (qobject_cast<const CScriptView*>(source)) return new CScriptView();
    if (qobject_cast<const CDescriptView*>(source)) return new CDescriptView();
    return new CTextView();
}

// A further window on a very large text: a view of its own over the document's table.
CChildFrame* OpenNewLargeWindow(CMainFrame& main, CChildFrame& active) {
    CScriptDoc* doc = active.GetDocument();
    CLargeTextView* source = active.GetLargeView();
    auto* frame = new CChildFrame();
    frame->m_extraWindow = true;
    auto* view = new CLargeTextView();
    frame->SetLargeView(view);
    frame->SetDocument(doc);
    view->SetText(doc->GetLargeText());
    SetUpLargeView(*view, *doc);
    frame->setWindowIcon(active.windowIcon());
    frame->setWindowTitle(doc->GetTitle());
    QObject::connect(doc, &CScriptDoc::TitleChanged, frame, &QWidget::setWindowTitle);
    QObject::connect(doc, &QObject::destroyed, frame, [frame] { delete frame; });
    main.AddDocumentFrame(frame);
    frame->show();
    frame->Activate();
    view->SetCaret(source->CaretOffset());
    return frame;
}
}  // namespace

CChildFrame* OpenNewWindow(CMainFrame& main) {
    auto* active = qobject_cast<CChildFrame*>(main.MdiArea()->activeSubWindow());
    CScriptDoc* doc = active ? active->GetDocument() : nullptr;
    CEditView* source = active ? active->GetView() : nullptr;
    if (doc && active->GetLargeView()) return OpenNewLargeWindow(main, *active);
    if (!doc || !source) return nullptr;

    // The text now belongs to the document, so it outlives whichever of its windows closes first;
    // the further windows go before it does.
    source->document()->setParent(doc);
    auto* frame = new CChildFrame();
    frame->m_extraWindow = true;
    CEditView* view = ViewLike(source);
    frame->SetView(view);
    frame->SetDocument(doc);
    view->SetDocument(doc);
    view->ShareDocumentOf(source);
    ShowProblemsIn(view);
    frame->setWindowIcon(active->windowIcon());
    frame->setWindowTitle(doc->GetTitle());
    QObject::connect(doc, &CScriptDoc::TitleChanged, frame, &QWidget::setWindowTitle);
    QObject::connect(doc, &QObject::destroyed, frame, [frame] { delete frame; });

    main.AddDocumentFrame(frame);
    view->setTextCursor(source->textCursor());
    frame->show();
    frame->Activate();
    return frame;
}

bool CanSwitchDocuments(const QMdiArea* area) { return area && area->subWindowList().size() > 1; }

}  // namespace qm
