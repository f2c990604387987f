#pragma once
#include <cstdint>
#include <functional>
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

// The largest file the program reads: what the memory the process may still take allows
// (FileLimitFor: the machine's memory, the room left in its memory control groups and under its
// address-space and data limits). A test may set another limit; 0 goes back to the process's own.
std::uint64_t ReadableFileLimit();
void SetReadableFileLimit(std::uint64_t bytes);
// A twentieth of the machine's memory, since an editor holds many times a file's size; 0 counts as unknown.
std::uint64_t LimitForMemory(std::uint64_t physicalBytes);

// "5.5 MB", "1.2 GB": a size for a message.
std::string FormatFileSize(std::uint64_t bytes);

// Checks, without opening it, that path is a regular file (not a folder, pipe, socket or device,
// which could block a read or never end) within ReadableFileLimit(). Gives the size on success.
FileResult CheckReadableFile(const std::string& path, std::uint64_t* size = nullptr);

// Opens path for reading after CheckReadableFile, and checks the opened file again: something put
// in the file's place in between (a pipe, a device) neither blocks the open nor is read, and the
// size given is the opened file's. limit: the largest size accepted. -1 with result.error when refused.
int OpenReadableFile(const std::string& path, std::uint64_t limit, FileResult& result, std::uint64_t* size = nullptr);

// Reads a whole file as bytes, after CheckReadableFile.
FileResult ReadFileBytes(const std::string& path, std::string& bytes);

// Writes bytes to path through a temporary file beside it and a rename, so a failed write
// leaves the old file whole. The new file keeps the old one's owner, group, permission bits and
// extended attributes (its access control list among them). A file with more than one hard link,
// or whose owner or attributes cannot be kept, is rewritten in place after a copy of it is made
// beside it (removed after success), so every name sees the new text; one this user may not
// write is refused before any copy is made. A read-only target is refused, not replaced.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Bytes handed over stretch by stretch to `write`, so a large text is written without a whole
// copy of it; false when a write failed (the source stops then).
using ByteSink = std::function<bool(std::string_view)>;
using ByteSource = std::function<bool(const ByteSink& write)>;
// The same from a source; it may be asked for its bytes once more should the first write fail.
FileResult WriteFileAtomically(const std::string& path, const ByteSource& source);

}  // namespace qm
