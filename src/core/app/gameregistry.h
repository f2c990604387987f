#pragma once
#include <string>

#include "core/platform/registry.h"

namespace qm {

inline constexpr const char* kGameRegistryKey = "Software\\Pellgrave\\Varnholt";

// The game's install folder ("MAIN" under HKEY_LOCAL_MACHINE) and current player
// ("Player Name" under HKEY_CURRENT_USER); empty when the game is not installed.
// Values are cut to the 259 characters the game's buffers hold.
std::string GetGameFolder(const Registry& registry);
std::string GetPlayerName(const Registry& registry);

// The game's values to look for; one not asked for stays empty and costs nothing (the Wine
// prefix's system.reg, often many megabytes, holds only the folder; user.reg only the player).
using GameValues = unsigned;
inline constexpr GameValues kGameFolder = 1, kGamePlayer = 2, kGameFolderAndPlayer = kGameFolder | kGamePlayer;

// Where the game is: from our own registry, or else from the Wine prefix's registry files, with
// the folder mapped into the prefix (the game then runs under Wine). Each value falls back on its
// own; an empty prefix folder looks in no prefix.
struct GameLocation {
    std::string folder;      // the install folder as this system names it, without a trailing separator
    std::string player;
    std::string winePrefix;  // set when the folder came from the prefix
};
// The player's missions lie in a folder named after the player, so a name that is not one path
// component ("..\\..", "a/b", "C:x") names no player: it would lead the mission folder elsewhere.
bool IsPlayerFolderName(const std::string& player);

GameLocation LocateGame(const Registry& registry, const std::string& winePrefixFolder,
                        GameValues wanted = kGameFolderAndPlayer);

// "Open <player>'s Missions..." and "Save In <player>'s Missions..."; both empty without a player.
struct MissionCaptions {
    std::string open, saveIn;
};
MissionCaptions MakeMissionCaptions(const std::string& player);

}  // namespace qm
