#pragma once
#include <optional>
#include <string>

namespace qm {

// The installation leaves this file beside the program; a copy run where it was built has none.
inline constexpr const char* kInstalledMarker = "quillmark.installed";
// Written last into the per-user folder, once the installed files were copied there.
inline constexpr const char* kUserCopyMarker = "quillmark-user-copy.txt";

// $XDG_DATA_HOME/quillmark/ (an absolute value only), else ~/.local/share/quillmark/.
std::string PerUserDataFolder(const std::optional<std::string>& xdgDataHome, const std::string& homeFolder);

// Where data/, snippets/ and scripts/ are read and edited. An installed copy (the marker beside
// it, or a program folder this user cannot write) keeps the user's files in the per-user folder,
// which is filled from the installed files the first time and never overwritten after: an
// upgrade replaces the installed files only. Anything else uses the program folder itself.
struct DataFolderChoice {
    std::string folder;    // ends with a separator
    bool perUser = false;
    std::string error;     // why the per-user folder could not be made (the program folder is used)
};
DataFolderChoice ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                                  const std::string& perUserFolder);

// Copies the installed data/, snippets/ and scripts/ into the user's folder, keeping every file
// that is there already. Does nothing once the copy's marker exists. False with a reason on failure.
bool SeedUserData(const std::string& programFolder, const std::string& userFolder, std::string& error);

}  // namespace qm
