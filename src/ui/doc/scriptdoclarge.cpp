// The document of a very large file: its text is a table shown by windows of their own.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/doc/textfile.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"

namespace qm {

void CScriptDoc::SaveLarge(const QString& path, TextSaveReport& report) {
    // Stretch by stretch from the table: the text is never held twice, however large it is.
    const PieceTable& table = m_large->Table();
    report = SaveTextFile(path.toStdString(), [&table](const ByteSink& write) {
        bool ok = true;
        table.ForEachSpan(0, table.Size(), [&](std::string_view span) { return ok = write(span); });
        return ok;
    });
}

void CScriptDoc::ReloadLarge(std::string text) {
    struct Place {
        CLargeTextView* view;
        int line, column, top;
    };
    std::vector<Place> places;
    for (CLargeTextView* v : LargeViews()) places.push_back({v, v->CaretLine(), v->CaretColumn(), v->FirstVisibleLine()});
    m_large->Reset(std::move(text));
    for (const Place& p : places) p.view->RestorePlace(p.line, p.column, p.top);
}

void CScriptDoc::OnLargeTextChanged() { ShowModifiedMark(); }

QList<CLargeTextView*> CScriptDoc::LargeViews() const {
    QList<CLargeTextView*> views;
    if (m_largeView) views << m_largeView.data();
    CMainFrame* main = theApp.GetMainFrame();
    if (!main || !main->MdiArea()) return views;
    for (QMdiSubWindow* w : main->MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(w);
        if (frame && frame->GetDocument() == this && frame->GetLargeView() && !views.contains(frame->GetLargeView()))
            views << frame->GetLargeView();
    }
    return views;
}

}  // namespace qm
