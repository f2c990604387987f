#pragma once
#include <QString>
#include <functional>

#include "core/app/gameregistry.h"

namespace qm {

class CMainFrame;

// The addresses of Help > Helpful Links.
inline const char* const kHomePageAddress = "https://quillmark.tarnwell.example/varnholt/latest-patch";
inline const char* const kEditingCenterAddress = "https://quillmark.tarnwell.example/editing-center";
inline const char* const kUpdatesAddress = "https://quillmark.tarnwell.example/updates";

// Hands a page or file to the desktop; tests replace it to see what would be opened.
using ShellOpener = std::function<void(const QString&)>;
void SetShellOpener(ShellOpener opener);  // an empty function restores the desktop's

// The game as found now: our registry, else the Wine prefix ($WINEPREFIX or ~/.wine).
GameLocation CurrentGame(GameValues wanted = kGameFolderAndPlayer);

// Opens the "ComRefDir" page, or a web page, through the desktop; nothing is reported.
void OnCommandReference(const CMainFrame& main);
void OnOpenWebPage(const char* address);
// Starts the edition's executable in the game folder with the "Nosplash"/"Window" parameters;
// through "wine" when the game was found in a Wine prefix.
void OnRunGame(const CMainFrame& main);
// Open a file from, or save the active document into, the current player's mission folder.
void OnOpenMissions();
void OnSaveInMissions(CMainFrame& main);

}  // namespace qm
