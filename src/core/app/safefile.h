#pragma once
#include <string>
#include <string_view>

namespace qm {

struct FileResult {
    bool ok = false;
    std::string error;  // a sentence for the user when !ok
};

// True when the file exists and nobody may write it (no write permission bits).
// Checked explicitly because the operating system does not refuse the superuser.
bool IsReadOnlyFile(const std::string& path);

// Reads a whole file as bytes.
FileResult ReadFileBytes(const std::string& path, std::string& bytes);

// Writes bytes to path through a temporary file beside it and a rename, so a failed write
// leaves the old file whole. A read-only target is refused, not replaced.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace qm
