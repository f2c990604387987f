#include "core/frames/gamelaunch.h"

#include <filesystem>

#include "core/app/datapaths.h"

namespace qm {

std::string GameParameters(int nosplash, int window) {
    if (nosplash == 1 && window == 1) return "-nosplash -window";
    if (nosplash == 1) return "-nosplash";
    if (window == 1) return "-window";
    return {};
}

std::string GameExecutable(int expansionEdition) {
    return expansionEdition == 1 ? "VarnholtResistance.exe" : "Varnholt.exe";
}

std::string MissionFolder(const std::string& gameFolder, const std::string& player) {
    const std::string sep(1, kPathSep);
    return gameFolder + sep + "Users" + sep + player + sep + "Missions" + sep;
}

std::string GameMissionFolder(const GameLocation& game) {
    namespace fs = std::filesystem;
    if (!game.player.empty() && !IsPlayerFolderName(game.player)) return {};
    std::string folder = MissionFolder(game.folder, game.player);
    if (game.winePrefix.empty()) return folder;
    const fs::path inside = fs::path(folder).lexically_normal().lexically_relative(
        fs::path(game.winePrefix).lexically_normal());
    if (inside.empty() || *inside.begin() == "..") return {};
    return folder;
}

}  // namespace qm
