// CMainFrame: the Project menu. The slots are written to the registry when the frame closes.
#include <QDir>
#include <QTreeWidget>

#include "core/app/filefilter.h"
#include "core/tools/projectslots.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/mainfrm.h"

namespace qm {

void CMainFrame::OnAddProjectFile() {
    FileDialogRequest req{QStringLiteral("Open"), BuildFileFilter(true), {}, {}, {}};
    const std::optional<QString> chosen = theApp.GetPrompter().GetOpenFileName(req);
    if (!chosen || chosen->isEmpty()) return;
    CScriptDoc* doc = theApp.OpenDocumentFile(*chosen);
    if (!doc) return;
    const int slot = AddProjectFile(m_projectFiles, QDir::toNativeSeparators(doc->GetPathName()).toStdString());
    if (slot >= 0) ProjectFilesChanged(slot);
    UpdateCommandStates();
}

void CMainFrame::OnAddActiveProjectFile() {
    CScriptDoc* doc = ActiveDocument();
    if (!doc || doc->GetPathName().isEmpty()) return;
    const int slot = AddProjectFile(m_projectFiles, QDir::toNativeSeparators(doc->GetPathName()).toStdString());
    if (slot >= 0) ProjectFilesChanged(slot);
    UpdateCommandStates();
}

void CMainFrame::OnRemoveProjectFile() {
    const int slot = SelectedProjectSlot();
    if (slot < 0) return;
    RemoveProjectFile(slot);  // the file stays open
    if (QTreeWidgetItem* root = m_wndCommandBar ? m_wndCommandBar->ProjectRoot() : nullptr)
        m_wndCommandBar->Tree()->setCurrentItem(root);
    UpdateCommandStates();
}

void CMainFrame::OnClearProjectFiles() {
    ClearProjectFiles(m_projectFiles);
    ProjectFilesChanged(-1);
    UpdateCommandStates();
}

}  // namespace qm
