// CMainFrame: the Edit Data Files menu: open a data file, back up, restore.
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "core/tools/datamaintenance.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
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
    return main.m_snippetFolder.toStdString();
}

// Windows still showing a data file or snippet from before the restore would write the old text
// back on their next save: unchanged ones are opened again from disk; ones with unsaved edits stay.
void ReopenRestoredFiles(const DataFilePathSet& dataFiles, const std::string& snippetFolder) {
    QStringList restored;
    for (const auto& f : dataFiles) restored << QFileInfo(QString::fromStdString(f)).absoluteFilePath();
    const QString snippets = QDir(QString::fromStdString(snippetFolder)).absolutePath();
    CMainFrame* main = theApp.GetMainFrame();
    CScriptDoc* active = main ? main->ActiveDocument() : nullptr;
    const QString activePath = active ? active->GetPathName() : QString();  // untitled ones are never closed
    QStringList reopen;
    for (CScriptDoc* doc : theApp.Documents()) {
        const QFileInfo file(doc->GetPathName());
        if (doc->GetPathName().isEmpty() || doc->IsModified() || !file.exists()) continue;
        const bool snippet = !snippetFolder.empty() && file.absolutePath() == snippets &&
                             file.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
        if (!restored.contains(file.absoluteFilePath()) && !snippet) continue;
        reopen << doc->GetPathName();
        doc->OnCloseDocument();
    }
    for (const QString& path : reopen) theApp.OpenDocumentFile(path);
    // The window the user was in stays the active one.
    for (CScriptDoc* doc : theApp.Documents())
        if (active && (activePath.isEmpty() ? doc == active : doc->GetPathName() == activePath)) doc->ActivateFrame();
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
    ReopenRestoredFiles(CurrentDataFiles(), SnippetFolder(*this));
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
