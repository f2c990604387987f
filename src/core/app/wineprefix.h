#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/app/gameregistry.h"

namespace qm {

// The Wine prefix the game is looked for in: $WINEPREFIX when set, else ~/.wine. Ends with a separator.
std::string WinePrefixFolder(const std::optional<std::string>& winePrefixVariable, const std::string& homeFolder);

// A Windows path inside the prefix: "C:\Games\Varnholt" -> prefix + "drive_c/Games/Varnholt", other
// drives through the prefix's "dosdevices/d:" links. Empty for a path without a drive letter
// (relative, UNC). Components that exist in another letter case are taken as they exist.
std::string MapWindowsPath(const std::string& windowsPath, const std::string& prefixFolder);

// The game's two values as the prefix's registry holds them (the folder in its Windows form);
// each empty when not found. The 32-bit keys under Wow6432Node count too.
struct WineGameKeys {
    std::string folder;
    std::string player;
};
WineGameKeys WineGameKeysFromText(std::string_view systemReg, std::string_view userReg);
// The same from the prefix's system.reg and user.reg, each read only when its value is wanted;
// a missing or unreadable file finds nothing.
WineGameKeys ReadWineGameKeys(const std::string& prefixFolder, GameValues wanted = kGameFolderAndPlayer);

}  // namespace qm
