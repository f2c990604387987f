#pragma once
#include <string>

#include "core/app/gameregistry.h"

namespace qm {

// "-nosplash -window", "-nosplash", "-window" or nothing, from the "Nosplash" and "Window" settings.
std::string GameParameters(int nosplash, int window);
// The executable of the edition in use, started from the game folder.
std::string GameExecutable(int expansionEdition);
// Game folder + "Users" + player + "Missions", with a separator after each.
std::string MissionFolder(const std::string& gameFolder, const std::string& player);
// The mission folder of a located game; empty for a player name that is no folder name, and for
// a game in a Wine prefix when the folder would lie outside the prefix.
std::string GameMissionFolder(const GameLocation& game);

}  // namespace qm
