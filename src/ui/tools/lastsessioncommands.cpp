#include "ui/tools/lastsessioncommands.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"

namespace qm {

std::vector<SessionEntry> OpenSession(const CMainFrame& main) {
    std::vector<SessionEntry> open;
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        CEditView* view = frame ? frame->GetView() : nullptr;
        CScriptDoc* doc = view ? view->GetDocument() : nullptr;
        if (doc) open.push_back({doc->GetPathName().toStdString(), view->textCursor().blockNumber()});
    }
    return open;
}

bool ReopenLastSession(CMainFrame&) {
    const std::vector<SessionEntry> last = ReadLastSession(theApp.Profile());
    for (const SessionEntry& e : last) {
        const QString path = QString::fromStdString(e.path);
        // A file gone since is no error worth a message at start-up.
        if (!QFileInfo(path).isFile()) continue;
        if (CScriptDoc* doc = theApp.OpenDocumentFile(path); doc && doc->GetView()) doc->GetView()->GoToLine(e.line);
    }
    return !last.empty();
}

}  // namespace qm
