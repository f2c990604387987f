// CMainFrame: the Quick Scripts menu and its commands.
#include <QAction>
#include <QDir>
#include <QMenu>

#include "core/app/filefilter.h"
#include "core/menus/custommenus.h"
#include "core/tools/quickscripts.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/menus/custommenus.h"
#include "ui/menus/iconmenu.h"
#include "ui/tools/removedlg.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"

namespace qm {

namespace {
QString ScriptsFolder() { return QString::fromStdString(theApp.GetDataPath(PATH_SCRIPTS)); }

void ReportQuickScriptError() {
    theApp.GetPrompter().MessageBox(QString::fromLatin1(kQuickScriptError), QStringLiteral("FILE ERROR"));
}
}  // namespace

void CMainFrame::RebuildQuickScripts() {
    for (auto& n : m_quickScriptNames) n.clear();
    m_quickScriptCount = 0;
    for (const std::string& name : ListQuickScripts(ScriptsFolder().toStdString()))
        m_quickScriptNames[m_quickScriptCount++] = QString::fromStdString(name);
    RefillQuickScriptsMenu(*this);  // the owner-drawn menu (AppendQuickScriptItems)
    UpdateCommandStates();
}

void CMainFrame::AppendQuickScriptItems(CIconMenu& menu) {
    for (int index = 0; index < m_quickScriptCount; ++index) {
        QAction* a = menu.AppendListItem(kFirstQuickScriptCommand + index, kQuickScriptPicture,
                                         m_quickScriptNames[index], QStringLiteral("Open this script"));
        connect(a, &QAction::triggered, this, [this, index] { OnQuickScript(index); });
    }
}

void CMainFrame::OnQuickScript(int index) {
    if (index < 0 || index >= m_quickScriptCount) return;
    // The open reports a file that has gone; the menu then shows the folder as it is.
    if (!theApp.OpenDocumentFile(ScriptsFolder() + m_quickScriptNames[index])) RebuildQuickScripts();
}

void CMainFrame::OnAddQuickScript() {
    FileDialogRequest req{QStringLiteral("Open"), BuildFileFilter(true), {}, {}, {}};
    const std::optional<QString> chosen = theApp.GetPrompter().GetOpenFileName(req);
    if (!chosen || chosen->isEmpty()) return;
    if (!theApp.OpenDocumentFile(*chosen)) return;
    if (!AddQuickScriptCopy(QDir::toNativeSeparators(*chosen).toStdString(), ScriptsFolder().toStdString()).ok) {
        ReportQuickScriptError();
        return;
    }
    RebuildQuickScripts();
}

void CMainFrame::OnAddActiveQuickScript() {
    CScriptDoc* doc = ActiveDocument();
    CEditView* view = ActiveView();
    CLargeTextView* large = ActiveLargeView();
    if (!doc || (!view && !large) || doc->GetPathName().isEmpty()) return;
    const std::string path = QDir::toNativeSeparators(doc->GetPathName()).toStdString();
    // The text as it stands in the window, unsaved edits included.
    const std::string text = view ? view->GetText().toStdString() : large->Text()->Table().WholeText();
    if (!WriteQuickScript(path, text, ScriptsFolder().toStdString()).ok) {
        ReportQuickScriptError();
        return;
    }
    RebuildQuickScripts();
}

void CMainFrame::OnDeleteQuickScripts() {
    CRemoveDlg dlg(ScriptsFolder(), this);
    dlg.exec();
    RebuildQuickScripts();
}

}  // namespace qm
