#include "ui/app/quillmark.h"

#include "core/tools/lastsession.h"
#include "ui/tools/lastsessioncommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <ctime>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>

#include "core/app/userdata.h"
#include "core/options/filetypes.h"
#include "core/options/settingstable.h"
#include "ui/app/aboutdlg.h"
#include "ui/app/doctemplate.h"
#include "ui/app/prompter.h"
#include "ui/app/qtprompter.h"
#include "ui/app/singleinstance.h"
#include "ui/doc/diskwatcher.h"
#include "ui/doc/recoveryjournal.h"
#include "ui/doc/scriptdoc.h"
#include "platform/shell.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/screenplacement.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"
#include "ui/views/printing.h"
#include "ui/wizards/wizardfactory.h"

namespace qm {

CQuillmarkApp theApp;

namespace {
QtPrompter& DefaultPrompter() {
    static QtPrompter p;
    return p;
}
std::vector<std::string> ToStd(const QStringList& args) {
    std::vector<std::string> out;
    for (const auto& a : args) out.push_back(a.toStdString());
    return out;
}
}  // namespace

CQuillmarkApp::CQuillmarkApp() = default;
CQuillmarkApp::~CQuillmarkApp() = default;

bool CQuillmarkApp::InitInstance(const QStringList& args) {
    // The registry root: the caller's back end, else one held in memory.
    if (!m_registry) m_registry = &m_fallbackRegistry;
    if (!m_prompter) m_prompter = &DefaultPrompter();
    const std::vector<std::string> stdArgs = ToStd(args);
    if (HandOffToRunningEditor(stdArgs)) return false;

    AppProfile profile = Profile();
    // Out of range reads as the default; the main frame writes the default back when it closes.
    m_appMax = ReadSettingInt(profile, "AppMax");
    m_newFileMode = ReadSettingInt(profile, "NewFile");
    m_expansionEdition = ReadSettingInt(profile, "Resistance");
    m_customMenus = ReadSettingInt(profile, "CustomMenus");

    m_recentFiles = RecentFileList(m_customMenus == 1 ? 16 : 4);
    m_recentFiles.ReadList(profile);

    m_version = QStringLiteral("Version 3.0.1000");

    QString folder = m_programFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                                        : m_programFolderOverride;
    m_programFolder = QString::fromStdString(WithTrailingSeparator(QDir::toNativeSeparators(folder).toStdString()));
    ChooseDataFolder();

    ReportDataLoad();

    if (WizardKind kind = MatchWizardSwitch(stdArgs); kind != WizardKind::None) return RunWizardAlone(kind);

    m_templates.clear();
    for (const auto& k : DocKinds()) m_templates.push_back(std::make_unique<CDocTemplate>(k.kind));

    m_pMainWnd = new CMainFrame();
    if (!m_pMainWnd->LoadFrame()) {
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
        return false;
    }

    if (IsUnregisterSwitch(stdArgs)) {
        for (const auto& t : FileTypesToUnregister(*m_pMainWnd))
            m_pMainWnd->SetFileTypeAssociation(t, false);
        return false;
    }

    m_pMainWnd->setAcceptDrops(true);
    StartJournal();
    // A file to open is read into a shown, painted window: a large one takes a while and shows its
    // progress in the status bar.
    if (ParseShellCommand(stdArgs).kind == ShellCommand::FileOpen) ShowMainWindow(true);
    if (!ProcessShellCommand(args)) return false;

    if (!m_pMainWnd->isVisible()) ShowMainWindow(false);
    OfferRecovery();
    if (m_instance) m_instance->Listen();
    return true;
}

void CQuillmarkApp::ShowMainWindow(bool painted) {
    if (m_appMax == 1) m_pMainWnd->showMaximized();
    else m_pMainWnd->show();
    // The stored placement was clamped to the screen; the window system's frame adds to it.
    if (m_appMax != 1) KeepWindowOnScreen(*m_pMainWnd);
    if (!painted) return;
    // Until the window system has mapped the window there is nothing to paint (at most a moment).
    QEventLoop wait;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        QWindow* window = m_pMainWnd->windowHandle();
        if ((window && window->isExposed()) || clock.elapsed() > 1000) wait.quit();
    });
    poll.start(5);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CQuillmarkApp::HandOffToRunningEditor(const std::vector<std::string>& args) {
    m_instance.reset();
    if (!m_singleInstance || MatchWizardSwitch(args) != WizardKind::None || IsUnregisterSwitch(args)) return false;
    const ShellCommand cmd = ParseShellCommand(args);
    if (cmd.kind == ShellCommand::FilePrint) return false;
    QStringList files;
    for (const auto& name : FileArguments(args)) files << QFileInfo(QString::fromStdString(name)).absoluteFilePath();
    m_instance = std::make_unique<CSingleInstance>(CSingleInstance::DefaultSocketPath());
    if (m_instance->HandOff(files)) {
        m_instance.reset();
        return true;
    }
    QObject::connect(m_instance.get(), &CSingleInstance::filesRequested, m_instance.get(),
                     [this](const QStringList& files) { OnFilesRequested(files); });
    return false;
}

void CQuillmarkApp::OnFilesRequested(const QStringList& files) {
    if (!m_pMainWnd) return;
    for (const auto& f : files) OpenDocumentFile(f);
    if (m_pMainWnd->isMinimized()) m_pMainWnd->showNormal();
    m_pMainWnd->raise();
    m_pMainWnd->activateWindow();
}

void CQuillmarkApp::ChooseDataFolder() {
    std::optional<std::string> xdg;
    if (qEnvironmentVariableIsSet("XDG_DATA_HOME")) xdg = qEnvironmentVariable("XDG_DATA_HOME").toStdString();
    const std::string perUser = PerUserDataFolder(xdg, QDir::homePath().toStdString());
    const DataFolderChoice choice =
        qm::ChooseDataFolder(m_programFolder.toStdString(), QFileInfo(m_programFolder).isWritable(), perUser);
    m_dataFolder = QString::fromStdString(choice.folder);
    m_perUserData = choice.perUser;
}

void CQuillmarkApp::ExitInstance() {
    m_instance.reset();
    if (m_pMainWnd) {
        m_pMainWnd->CloseAllDocumentsWithoutAsking();
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
    }
    // A normal end: the copies of unsaved work go with the documents.
    if (m_journal) m_journal->Stop();
    m_journal.reset();
    m_diskWatcher.reset();
    m_templates.clear();
}

bool CQuillmarkApp::RunWizardAlone(WizardKind kind) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));  // the unit and crate wizards draw names
    std::unique_ptr<CWizardDlg> dlg = CreateWizardDialog(kind, nullptr);
    if (!dlg) return false;
    dlg->m_editorAvailable = 0;
    dlg->UpdateEditorAvailable();
    dlg->exec();
    return false;
}

bool CQuillmarkApp::ProcessShellCommand(const QStringList& args) {
    const ShellCommand cmd = ParseShellCommand(ToStd(args));
    switch (cmd.kind) {
        case ShellCommand::FileNew:
            if (m_pMainWnd && m_pMainWnd->m_reopenLast == 1) {
                // Large files show their progress in a shown window.
                if (!ReadLastSession(Profile()).empty()) ShowMainWindow(true);
                ReopenLastSession(*m_pMainWnd);
            }
            OnFileNew();
            return true;
        case ShellCommand::FileOpen: {
            if (!OpenDocumentFile(QString::fromStdString(cmd.fileName))) return false;
            // A desktop that passes several files at once gets them all.
            const std::vector<std::string> names = FileArguments(ToStd(args));
            for (size_t i = 1; i < names.size(); ++i) OpenDocumentFile(QString::fromStdString(names[i]));
            return true;
        }
        case ShellCommand::FilePrint: {
            // The shell's print request: print to the default printer, then end.
            CScriptDoc* doc = OpenDocumentFile(QString::fromStdString(cmd.fileName));
            if (doc && doc->GetView()) OnFilePrintDirect(*doc->GetView());
            else if (doc && doc->GetLargeView()) OnFilePrintDirect(*doc->GetLargeView());
            return false;
        }
    }
    return true;
}

std::string CQuillmarkApp::GetDataPath(PathKind kind) const {
    AppFolders f;
    f.programFolder = m_programFolder.toStdString();
    f.dataFolder = m_dataFolder.toStdString();
    f.expansionEdition = m_expansionEdition;
    if (qEnvironmentVariableIsSet("SystemDrive")) f.systemDrive = qEnvironmentVariable("SystemDrive").toStdString();
    f.homeFolder = WithTrailingSeparator(QDir::toNativeSeparators(QDir::homePath()).toStdString());
    return qm::GetDataPath(kind, f);
}

bool CQuillmarkApp::LoadDataFiles() {
    DataFilePaths paths{GetDataPath(PATH_COMMANDS), GetDataPath(PATH_DATA), GetDataPath(PATH_UNIT),
                        GetDataPath(PATH_SYNTAX), GetDataPath(PATH_HEADER)};
    return m_catalogue.LoadDataFiles(paths);
}

void CQuillmarkApp::ReportDataLoad() {
    if (LoadDataFiles()) return;
    ++m_dataLoadReports;
    GetPrompter().MessageBox(QString(kLoadErrorMessage) + kDownloadAddress, {}, MbButtons::Ok, MbIcon::None);
}

void CQuillmarkApp::UpdateApplicationData() {
    ReportDataLoad();
    // Hooks filled as the parts arrive: the command bar's tree, then the unit, crate and
    // description wizards' ResetWizard.
    if (m_pMainWnd) m_pMainWnd->OnCatalogueReloaded();
}

void CQuillmarkApp::OnFileNew() {
    switch (m_newFileMode) {
        case 0:
            return;
        case 2: {
            const std::string recent = Profile().GetProfileString(kRecentFileSection, "File1");
            if (!recent.empty()) OpenDocumentFile(QString::fromStdString(recent));
            return;
        }
        default:
            m_templates.front()->OpenDocumentFile(QString());
    }
}

void CQuillmarkApp::OnFileOpen() {
    std::string filter;
    for (const auto& k : DocKinds()) filter += std::string(k.filterName) + "|*" + k.extension + "|";
    filter += "All Files (*.*)|*.*||";
    FileDialogRequest req{QStringLiteral("Open"), filter, {}, {}, {}};
    const QStringList files = GetPrompter().GetOpenFileNames(req);
    for (const auto& f : files) OpenDocumentFile(f);
}

void CQuillmarkApp::OnHelp() {
    const QString page = m_programFolder + QStringLiteral("help") + QDir::separator() + QStringLiteral("quillmark.html");
    if (!QFileInfo::exists(page) || !ShellOpen(page))
        GetPrompter().MessageBox(QStringLiteral("The help file \"%1\" cannot be opened.").arg(page), {}, MbButtons::Ok,
                                 MbIcon::Warning);
}

void CQuillmarkApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd);
    dlg.exec();
}

CScriptDoc* CQuillmarkApp::OpenDocumentFile(const QString& path) {
    if (m_templates.empty() || path.isEmpty()) return nullptr;
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CScriptDoc* doc : Documents()) {
        if (doc->LoadingPathName() == full) return doc;  // it is shown when its load ends
        if (doc->GetPathName() == full) {
            doc->ActivateFrame();
            return doc;
        }
    }
    return Template(KindForPath(full.toStdString()))->OpenDocumentFile(full);
}

void CQuillmarkApp::AddToRecentFileList(const QString& path) {
    m_recentFiles.Add(path.toStdString());
    AppProfile profile = Profile();
    m_recentFiles.WriteList(profile);
}

CDocTemplate* CQuillmarkApp::Template(DocKind kind) const {
    for (const auto& t : m_templates)
        if (t->Kind() == kind) return t.get();
    return nullptr;
}

std::vector<CScriptDoc*> CQuillmarkApp::Documents() const {
    std::vector<CScriptDoc*> docs;
    for (const auto& t : m_templates)
        for (CScriptDoc* d : t->Documents()) docs.push_back(d);
    return docs;
}

}  // namespace qm
