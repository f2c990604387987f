#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/app/appprofile.h"
#include "core/app/catalogue.h"
#include "core/app/commandline.h"
#include "core/app/datapaths.h"
#include "core/app/recentfiles.h"
#include "core/doc/dockinds.h"
#include "core/platform/memoryregistry.h"

namespace qm {

class CDiskWatcher;
class CDocTemplate;
class CRecoveryJournal;
class CMainFrame;
class CScriptDoc;
class CSingleInstance;
class Prompter;
class XdgFileTypes;
struct RecoveryEntry;

inline const char* const kLoadErrorMessage =
    "There were some errors while loading the data files.\n"
    "The application is not going to function properly.\n"
    "Please reinstall the application or undo your latest\n"
    "data file changes to repair.\n\n"
    "Download the latest version at:\n";
inline const char* const kDownloadAddress = "https://quillmark.tarnwell.example/download";

// The program's root: start-up, folders, the catalogue, the document templates.
class CQuillmarkApp {
public:
    CQuillmarkApp();
    ~CQuillmarkApp();

    // Start-up. False ends the program without entering the event loop.
    bool InitInstance(const QStringList& args);
    // Closes the main window and every document without asking; used at exit and between tests.
    void ExitInstance();

    std::string GetDataPath(PathKind kind) const;
    bool LoadDataFiles();
    void ReportDataLoad();
    // Reloads the catalogue and refreshes everything that copies from it.
    void UpdateApplicationData();

    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    // Opens the help page beside the program.
    void OnHelp();

    // Opens a file as a document, or activates it when it is open already. Null on failure.
    CScriptDoc* OpenDocumentFile(const QString& path);
    void AddToRecentFileList(const QString& path);

    CDocTemplate* Template(DocKind kind) const;
    std::vector<CScriptDoc*> Documents() const;  // in template order
    CMainFrame* GetMainFrame() const { return m_pMainWnd; }
    AppProfile Profile() const { return AppProfile(*m_registry); }
    Registry& GetRegistry() const { return *m_registry; }
    Prompter& GetPrompter() const { return *m_prompter; }

    // Set by main() (or a test) before InitInstance.
    Registry* m_registry = nullptr;
    Prompter* m_prompter = nullptr;
    // Mirrors file-type associations onto the Linux desktop; none in tests unless one is given.
    XdgFileTypes* m_desktopFileTypes = nullptr;
    QString m_programFolderOverride;  // tests point the data folders elsewhere
    bool m_singleInstance = false;    // main() sets it: a later start hands its files to this editor
    // Where unsaved work is kept for recovery; main() sets it. Empty: none is kept (tests set their own).
    QString m_recoveryFolder;
    std::unique_ptr<CRecoveryJournal> m_journal;
    std::unique_ptr<CDiskWatcher> m_diskWatcher;

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;  // Script, Description, StringTable, Briefing, Function, Text
    int m_newFileMode = 1;
    int m_appMax = 0;
    int m_expansionEdition = 1;
    int m_customMenus = 1;
    QString m_programFolder;
    // Where data/, snippets/ and scripts/ are: the program folder, or for an installed copy the
    // user's own copy of them (m_perUserData).
    QString m_dataFolder;
    bool m_perUserData = false;
    QString m_version;
    Catalogue m_catalogue;
    RecentFileList m_recentFiles;
    int m_dataLoadReports = 0;  // how often the load-error message was shown

private:
    bool RunWizardAlone(WizardKind kind);
    bool ProcessShellCommand(const QStringList& args);
    // True when a running editor took this start's files.
    bool HandOffToRunningEditor(const std::vector<std::string>& args);
    void OnFilesRequested(const QStringList& files);
    void ChooseDataFolder();
    // Shows the main window as the settings say; painted: returns once it is on the screen, painted.
    void ShowMainWindow(bool painted);
    // Unsaved work (recoverystart.cpp): takes the recovery folder for this process, then offers what
    // an earlier process left there.
    void StartJournal();
    void OfferRecovery();
    void RecoverDocument(const RecoveryEntry& entry, const QString& name);

    CMainFrame* m_pMainWnd = nullptr;
    MemoryRegistry m_fallbackRegistry;
    std::unique_ptr<CSingleInstance> m_instance;
};

extern CQuillmarkApp theApp;

}  // namespace qm
