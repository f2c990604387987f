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
// leaves the old file whole. The new file keeps the old one's owner, group and permission bits.
// A file with more than one hard link, or whose owner cannot be kept, is rewritten in place after
// a copy of it is made beside it (removed after success), so every name sees the new text.
// A read-only target is refused, not replaced.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace qm
