#include "ui/frames/gamecommands.h"

#include <QDir>

#include "core/app/datapaths.h"
#include "core/app/filefilter.h"
#include "core/app/gameregistry.h"
#include "core/app/wineprefix.h"
#include "core/frames/gamelaunch.h"
#include "platform/shell.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/mainfrm.h"

namespace qm {

namespace {
ShellOpener& Opener() {
    static ShellOpener opener;
    return opener;
}
void Open(const QString& what) {
    if (Opener()) Opener()(what);
    else ShellOpen(what);
}
QString MissionsFolder() {
    const GameLocation game = CurrentGame();
    return QString::fromStdString(GameMissionFolder(game));
}
}  // namespace

GameLocation CurrentGame(GameValues wanted) {
    std::optional<std::string> winePrefix;
    if (qEnvironmentVariableIsSet("WINEPREFIX")) winePrefix = qEnvironmentVariable("WINEPREFIX").toStdString();
    const std::string prefix = WinePrefixFolder(winePrefix, QDir::homePath().toStdString());
    return LocateGame(theApp.GetRegistry(), prefix, wanted);
}

void SetShellOpener(ShellOpener opener) { Opener() = std::move(opener); }

void OnCommandReference(const CMainFrame& main) { Open(QString::fromStdString(main.m_comRefPath)); }

void OnOpenWebPage(const char* address) { Open(QString::fromLatin1(address)); }

void OnRunGame(const CMainFrame& main) {
    const QString parameters = QString::fromStdString(GameParameters(main.m_nosplash, main.m_window));
    const GameLocation game = CurrentGame(kGameFolder);
    const QString folder = QString::fromStdString(game.folder);
    const QString exe = QString::fromStdString(GameExecutable(theApp.m_expansionEdition));
    // The shell finds the program in the folder it starts it in; a process start needs the path.
    const QString program = folder.isEmpty() ? exe : QDir(folder).filePath(exe);
    QStringList arguments = parameters.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (game.winePrefix.empty()) {
        StartProgram(program, arguments, folder);
        return;
    }
    // A game found in a Wine prefix runs under Wine, in that prefix.
    arguments.prepend(program);
    StartProgram(QStringLiteral("wine"), arguments, folder,
                 {{QStringLiteral("WINEPREFIX"), QString::fromStdString(game.winePrefix)}});
}

void OnOpenMissions() {
    FileDialogRequest req{QStringLiteral("Open"), BuildFileFilter(true), {}, {}, MissionsFolder()};
    if (auto chosen = theApp.GetPrompter().GetOpenFileName(req)) theApp.OpenDocumentFile(*chosen);
}

void OnSaveInMissions(CMainFrame& main) {
    CScriptDoc* doc = main.ActiveDocument();
    if (!doc) return;
    QString proposed = doc->GetTitle();
    while (proposed.endsWith(QLatin1Char('*'))) proposed.chop(1);
    FileDialogRequest req{QStringLiteral("Save As"), BuildFileFilter(false), QStringLiteral("sqs"), proposed,
                          MissionsFolder()};
    const auto chosen = theApp.GetPrompter().GetSaveFileName(req);
    if (!chosen) return;
    if (!doc->DoSave(*chosen, true))
        theApp.GetPrompter().MessageBox(QStringLiteral("Error saving file."), QStringLiteral("FILE ERROR"),
                                        MbButtons::Ok, MbIcon::Error);
}

}  // namespace qm
