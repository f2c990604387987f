// CMainFrame: the commands and menus of the quick scripts, project files, recent files, window
// list and data files. The lists are appended to the owner-drawn menus when those are refilled.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QTreeWidget>

#include "core/tools/projectslots.h"
#include "core/tools/quickscripts.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"

namespace qm {

void CMainFrame::CreateListActions() {
    const std::pair<int, void (CMainFrame::*)()> commands[] = {
        {ID_ADD_QUICK_SCRIPT, &CMainFrame::OnAddQuickScript},
        {ID_ADD_ACTIVE_QUICK_SCRIPT, &CMainFrame::OnAddActiveQuickScript},
        {ID_DELETE_QUICK_SCRIPTS, &CMainFrame::OnDeleteQuickScripts},
        {ID_ADD_PROJECT_FILE, &CMainFrame::OnAddProjectFile},
        {ID_ADD_ACTIVE_PROJECT_FILE, &CMainFrame::OnAddActiveProjectFile},
        {ID_REMOVE_PROJECT_FILE, &CMainFrame::OnRemoveProjectFile},
        {ID_CLEAR_PROJECT_FILES, &CMainFrame::OnClearProjectFiles},
        {ID_BACKUP_DATA, &CMainFrame::OnBackupData},
        {ID_RESTORE_DATA, &CMainFrame::OnRestoreData},
    };
    for (const auto& [id, handler] : commands)
        if (QAction* a = Action(id)) connect(a, &QAction::triggered, this, handler);
    const std::pair<int, PathKind> dataFiles[] = {
        {ID_EDIT_COMMANDS_DATA, PATH_COMMANDS}, {ID_EDIT_WEAPONS_DATA, PATH_DATA}, {ID_EDIT_UNIT_DATA, PATH_UNIT},
        {ID_EDIT_SYNTAX_DATA, PATH_SYNTAX},     {ID_EDIT_HEADER_DATA, PATH_HEADER},
    };
    for (const auto& [id, kind] : dataFiles) {
        const PathKind k = kind;
        if (QAction* a = Action(id)) connect(a, &QAction::triggered, this, [this, k] { OnEditDataFile(k); });
    }
}

void CMainFrame::BuildListMenus() {
    // The standard File menus show the framework's recent files; the owner-drawn menus hold the
    // quick scripts, the custom recent files and the window list (AppendQuickScriptItems and the others).
    for (const char* name : {"File (no document)", "File (document)"})
        if (QMenu* file = PopupMenu(QString::fromLatin1(name)))
            connect(file, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentFiles);
    if (m_wndCommandBar && m_wndCommandBar->Tree())
        connect(m_wndCommandBar->Tree(), &QTreeWidget::itemSelectionChanged, this,
                &CMainFrame::UpdateListCommandStates);
    RebuildQuickScripts();
    RebuildRecentFiles();
}

void CMainFrame::UpdateListCommandStates() {
    CScriptDoc* doc = ActiveDocument();
    const bool named = doc && !doc->GetPathName().isEmpty();
    const bool roomForScripts = m_quickScriptCount < kMaxQuickScripts;
    const bool freeSlot = FirstFreeSlot(m_projectFiles) >= 0;
    const std::pair<int, bool> states[] = {
        {ID_ADD_QUICK_SCRIPT, roomForScripts},
        {ID_ADD_ACTIVE_QUICK_SCRIPT, named && roomForScripts},
        {ID_ADD_PROJECT_FILE, freeSlot},
        {ID_ADD_ACTIVE_PROJECT_FILE, named && freeSlot},
        {ID_REMOVE_PROJECT_FILE, SelectedProjectSlot() >= 0},
    };
    for (const auto& [id, enabled] : states)
        if (QAction* a = Action(id)) a->setEnabled(enabled);
}

}  // namespace qm
