#include "ui/tools/lastsessioncommands.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

std::vector<SessionEntry> OpenSession(const CMainFrame& main) {
    std::vector<SessionEntry> open;
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        CScriptDoc* doc = frame ? frame->GetDocument() : nullptr;
        if (!doc) continue;
        if (CEditView* view = frame->GetView())
            open.push_back({doc->GetPathName().toStdString(), view->textCursor().blockNumber()});
        else if (CLargeTextView* large = frame->GetLargeView())
            open.push_back({doc->GetPathName().toStdString(), large->CaretLine()});
    }
    return open;
}

bool ReopenLastSession(CMainFrame&) {
    const std::vector<SessionEntry> last = ReadLastSession(theApp.Profile());
    for (const SessionEntry& e : last) {
        const QString path = QString::fromStdString(e.path);
        // A file gone since is no error worth a message at start-up.
        if (!QFileInfo(path).isFile()) continue;
        CScriptDoc* doc = theApp.OpenDocumentFile(path);
        if (doc && doc->GetView()) doc->GetView()->GoToLine(e.line);
        else if (doc && doc->GetLargeView()) doc->GetLargeView()->GoToLine(e.line);
    }
    return !last.empty();
}

}  // namespace qm
