#include "ui/frames/windowcommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/app/doctemplate.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/descriptview.h"
#include "ui/views/scriptview.h"
#include "ui/views/textview.h"

namespace qm {

namespace {
CEditView* ViewLike(const CEditView* source) {
    if (qobject_cast<const CScriptView*>(source)) return new CScriptView();
    if (qobject_cast<const CDescriptView*>(source)) return new CDescriptView();
    return new CTextView();
}

QList<QMdiSubWindow*> Normal(const QMdiArea* area) {
    QList<QMdiSubWindow*> out;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized()) out << w;
    return out;
}
}  // namespace

CChildFrame* OpenNewWindow(CMainFrame& main) {
    auto* active = qobject_cast<CChildFrame*>(main.MdiArea()->activeSubWindow());
    CScriptDoc* doc = active ? active->GetDocument() : nullptr;
    CEditView* source = active ? active->GetView() : nullptr;
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

void TileDocumentWindows(QMdiArea* area, Qt::Orientation orientation) {
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isMaximized()) w->showNormal();
    const QList<QMdiSubWindow*> windows = Normal(area);
    if (windows.isEmpty()) return;
    const QRect r = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        if (orientation == Qt::Horizontal)
            windows[i]->setGeometry(0, r.height() * i / n, r.width(), r.height() * (i + 1) / n - r.height() * i / n);
        else
            windows[i]->setGeometry(r.width() * i / n, 0, r.width() * (i + 1) / n - r.width() * i / n, r.height());
    }
}

void ArrangeIcons(QMdiArea* area) {
    int x = 0;
    const int bottom = area->viewport()->height();
    for (QMdiSubWindow* w : area->subWindowList()) {
        if (!w->isMinimized()) continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

bool CanSwitchDocuments(const QMdiArea* area) { return area && area->subWindowList().size() > 1; }

}  // namespace qm
