#pragma once
#include <string>
#include <vector>

#include "core/app/safefile.h"

namespace qm {

// File operations shared by the quick scripts and the data-file backup. Every check that the
// operating system would skip for the superuser (read-only files, folders without write
// permission) is made here explicitly.

// True when the folder exists and has a write permission bit.
bool IsWritableFolder(const std::string& folder);

// The folder part of a path (without a trailing separator), "." for a bare name.
std::string FolderOf(const std::string& path);

// Copies a file's bytes to a new name. With overwrite false an existing target is refused; a
// read-only target or a folder without write permission is always refused. The old target
// stays whole when the write fails.
FileResult CopyFileTo(const std::string& from, const std::string& to, bool overwrite);

// Takes every write permission bit away (read-only) or gives the owner write permission back.
bool SetReadOnly(const std::string& path, bool readOnly);

// The regular files of a folder (no folders), sorted without regard to letter case. With an
// extension (".txt") only the files whose names end with it, letter case ignored.
std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& extension = {});

}  // namespace qm
