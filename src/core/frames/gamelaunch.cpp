#include "core/frames/gamelaunch.h"

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

}  // namespace qm
