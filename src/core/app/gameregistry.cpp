#include "core/app/gameregistry.h"

#include "core/app/wineprefix.h"

namespace qm {

namespace {
std::string Cut(std::string s) {
    if (s.size() > 259) s.resize(259);
    return s;
}
}  // namespace

std::string GetGameFolder(const Registry& registry) {
    return Cut(registry.GetString(Hive::LocalMachine, kGameRegistryKey, "MAIN", ""));
}

std::string GetPlayerName(const Registry& registry) {
    return Cut(registry.GetString(Hive::CurrentUser, kGameRegistryKey, "Player Name", ""));
}

bool IsPlayerFolderName(const std::string& player) {
    return !player.empty() && player != "." && player != ".." &&
           player.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

GameLocation LocateGame(const Registry& registry, const std::string& winePrefixFolder, GameValues wanted) {
    GameLocation where;
    if (wanted & kGameFolder) where.folder = GetGameFolder(registry);
    if (wanted & kGamePlayer) where.player = GetPlayerName(registry);
    if (!IsPlayerFolderName(where.player)) where.player.clear();
    const GameValues missing = (where.folder.empty() ? wanted & kGameFolder : 0) |
                               (where.player.empty() ? wanted & kGamePlayer : 0);
    if (!missing || winePrefixFolder.empty()) return where;
    const WineGameKeys wine = ReadWineGameKeys(winePrefixFolder, missing);
    if (where.folder.empty() && !wine.folder.empty()) {
        where.folder = MapWindowsPath(Cut(wine.folder), winePrefixFolder);
        if (!where.folder.empty()) where.winePrefix = winePrefixFolder;
    }
    if (where.player.empty() && IsPlayerFolderName(Cut(wine.player))) where.player = Cut(wine.player);
    return where;
}

MissionCaptions MakeMissionCaptions(const std::string& player) {
    if (player.empty()) return {};
    return {"Open " + player + "'s Missions...", "Save In " + player + "'s Missions..."};
}

}  // namespace qm
