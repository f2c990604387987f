#pragma once
#include <string>
#include <vector>

#include "core/options/mimetypes.h"

namespace qm {

// The files an installation gives the desktop: the entry that starts the program (on PATH as
// "quillmark", with its icon), the MIME definitions of the game's own file kinds, and the
// AppStream description. The names come from the program's file-type table.
inline constexpr const char* kInstalledProgramName = "quillmark";
inline constexpr const char* kInstalledDesktopId = kDesktopEntryId;
// The AppStream component, named in reverse-domain form from the program's home page; its file
// is installed as "<id>.metainfo.xml". The desktop entry keeps its name, which users' lists of
// default programs hold.
inline constexpr const char* kMetainfoId = "example.tarnwell.quillmark";

std::string InstalledDesktopEntry();
std::string InstalledMimePackage();
// The release is dated (YYYY-MM-DD), as software centres and appstreamcli ask.
std::string InstalledMetainfo(const std::string& version, const std::string& releaseDate);

// Every MIME type the program opens, in the order of its document kinds.
std::vector<std::string> InstalledMimeTypes();

}  // namespace qm
