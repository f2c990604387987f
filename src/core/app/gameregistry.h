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

// "Open <player>'s Missions..." and "Save In <player>'s Missions..."; both empty without a player.
struct MissionCaptions {
    std::string open, saveIn;
};
MissionCaptions MakeMissionCaptions(const std::string& player);

}  // namespace qm
