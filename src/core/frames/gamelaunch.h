#pragma once
#include <string>

namespace qm {

// "-nosplash -window", "-nosplash", "-window" or nothing, from the "Nosplash" and "Window" settings.
std::string GameParameters(int nosplash, int window);
// The executable of the edition in use, started from the game folder.
std::string GameExecutable(int expansionEdition);
// Game folder + "Users" + player + "Missions", with a separator after each.
std::string MissionFolder(const std::string& gameFolder, const std::string& player);

}  // namespace qm
