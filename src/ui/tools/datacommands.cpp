// CMainFrame: the Edit Data Files menu: open a data file, back up, restore.
#include <QString>

#include "core/tools/datamaintenance.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/tools/snippetdlg.h"

namespace qm {

namespace {
DataFilePathSet CurrentDataFiles() {
    return {theApp.GetDataPath(PATH_COMMANDS), theApp.GetDataPath(PATH_DATA), theApp.GetDataPath(PATH_SYNTAX),
            theApp.GetDataPath(PATH_UNIT), theApp.GetDataPath(PATH_HEADER)};
}

// The folder My Snippets shows (the setting as it was at start-up).
std::string SnippetFolder(const CMainFrame& main) {
    return main.m_snippetDlg ? main.m_snippetDlg->m_folder.toStdString() : main.m_snippetDir;
}

void Tell(const std::string& text, const char* caption) {
    theApp.GetPrompter().MessageBox(QString::fromStdString(text), QString::fromLatin1(caption), MbButtons::Ok,
                                    MbIcon::None);
}
}  // namespace

void CMainFrame::OnEditDataFile(PathKind kind) {
    // A file already open is activated; a missing one is reported by the open.
    theApp.OpenDocumentFile(QString::fromStdString(theApp.GetDataPath(kind)));
}

void CMainFrame::OnBackupData() {
    const MaintenanceResult r = BackupDataFiles(CurrentDataFiles(), SnippetFolder(*this), m_backupDir);
    Tell(BackupMessage(r, m_backupDir), r.ok() ? "BACKUP COMPLETE" : "FILE ERROR");
}

void CMainFrame::OnRestoreData() {
    if (theApp.GetPrompter().MessageBox(QString::fromLatin1(kRestoreQuestion), QStringLiteral("RESTORE DATA"),
                                        MbButtons::YesNo, MbIcon::Question) != IDYES)
        return;
    const MaintenanceResult r = RestoreDataFiles(CurrentDataFiles(), SnippetFolder(*this), m_backupDir);
    if (!r.ok()) {
        Tell(RestoreMessage(r), "FILE ERROR");
        // A failed snippet copy comes after all five data files were restored: show them.
        if (r.status == MaintenanceStatus::SnippetFailed) {
            theApp.ReportDataLoad();
            RefreshAfterRestore();
        }
        return;
    }
    Tell(RestoreMessage(r), "RESTORE COMPLETE");
    // The wizards keep their lists until Update Application Data.
    theApp.ReportDataLoad();
    RefreshAfterRestore();
}

void CMainFrame::RefreshAfterRestore() {
    FillCommandTree();
    if (m_snippetDlg) m_snippetDlg->RefreshSnippets();
}

}  // namespace qm
