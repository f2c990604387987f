#include "ui/wizards/editbriefing.h"

#include <QTextDocument>

#include "core/wizards/briefingreader.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/wizards/briefingdlg.h"

namespace qm {

bool CanEditBriefing(const CScriptDoc* doc) {
    if (!doc || !IsBriefingTitle(doc->GetTitle().toStdString())) return false;
    const CEditView* view = doc->GetView();
    if (!view) return false;
    // A plain search of a copy: QTextDocument::find took half a second per keystroke on a 10 MB page.
    const QString marker = QString::fromUtf8(kBriefingWizardMarker.data(), kBriefingWizardMarker.size());
    return view->document()->toPlainText().contains(marker);
}

void OnEditBriefing(CMainFrame& frame) {
    CScriptDoc* doc = frame.ActiveDocument();
    CEditView* view = doc ? doc->GetView() : nullptr;
    if (!view) return;
    const QString text = view->GetText();
    auto* dlg = dynamic_cast<CBriefingDlg*>(frame.Wizard(ID_WIZARD_BRIEFING));
    if (text.isEmpty() || !dlg) return;
    dlg->OpenBriefing(text);
    frame.ShowWizard(dlg);
}

}  // namespace qm
