#include "ui/views/largeviewsetup.h"

#include <QMenu>

#include "core/views/colouring.h"
#include "ui/app/doctemplate.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"
#include "ui/views/zoom.h"

namespace qm {

namespace {
// Scripts are coloured when their file is a script (or a new one is named as one); description
// files always; other kinds never. As the editor windows of those kinds decide.
bool Coloured(const CScriptDoc& doc, ViewKind kind) {
    if (kind == ViewKind::Description) return true;
    if (kind != ViewKind::Script) return false;
    const QString path = doc.GetPathName().toLower();
    return path.endsWith(QLatin1String("sqs")) || path.endsWith(QLatin1String("sqf"));
}
}  // namespace

void ApplyEditorFont(CLargeTextView& view) {
    CMainFrame* main = theApp.GetMainFrame();
    if (!main) return;
    view.setFont(ZoomedEditorFont(*main));
    view.SetTabWidth(main->m_tabWidth);
    view.RecolourAll();
}

void SetUpLargeView(CLargeTextView& view, const CScriptDoc& doc) {
    CMainFrame* main = theApp.GetMainFrame();
    if (!main) return;
    ApplyEditorFont(view);
    view.ShowLineNumbers(main->m_lineNumbers == 1);
    view.onZoom = [](int steps) {
        if (CMainFrame* m = theApp.GetMainFrame()) ZoomViews(*m, steps);
    };
    view.onContextMenu = [](const QPoint& at) {
        CMainFrame* m = theApp.GetMainFrame();
        QMenu* menu = m ? m->ShownMenu(QStringLiteral("CONTEXT")) : nullptr;
        if (!menu) return;
        m->UpdateCommandStates();
        menu->exec(at);
    };
    const ViewKind kind = doc.GetDocTemplate()->Info().view;
    if (main->m_format != 1 || !Coloured(doc, kind)) return;
    // Colours are fixed when the window is made, as in the other editor windows.
    const QColor colours[] = {FromColorRef(main->m_textColour),        FromColorRef(main->m_remarkColour),
                              FromColorRef(main->m_commandColour),     FromColorRef(main->m_itemColour),
                              FromColorRef(main->m_programmingColour), FromColorRef(main->m_variableColour)};
    view.roleColour = [colours](ColourRole role) {
        switch (role) {
            case ColourRole::Text: return colours[0];
            case ColourRole::Remark: return colours[1];
            case ColourRole::Command: return colours[2];
            case ColourRole::Item: return colours[3];
            case ColourRole::Programming: return colours[4];
            case ColourRole::Variable: return colours[5];
        }
        return colours[0];
    };
    if (kind == ViewKind::Script)
        view.lineRuns = [](const QString& line) { return ColourScriptLine(line.toStdU16String(), theApp.m_catalogue); };
    else
        view.lineRuns = [](const QString& line) { return ColourDescriptionLine(line.toStdU16String()); };
    QPalette p = view.palette();
    p.setColor(QPalette::Base, FromColorRef(main->m_backgroundColour));
    p.setColor(QPalette::Text, colours[0]);
    view.setPalette(p);
    view.RecolourAll();
}

}  // namespace qm
