#include "core/app/gameregistry.h"

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

MissionCaptions MakeMissionCaptions(const std::string& player) {
    if (player.empty()) return {};
    return {"Open " + player + "'s Missions...", "Save In " + player + "'s Missions..."};
}

}  // namespace qm
