#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace qm {

// What is known of a document's file on disk: enough to tell another program's change from a mere
// touch. hash is over the file's bytes; hasHash is false when it was not read.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
    std::uint64_t hash = 0;
    bool hasHash = false;
};

std::uint64_t HashBytes(const char* data, std::size_t size, std::uint64_t seed = 0);

// The file's size and time; withHash also reads it for its hash (a file that cannot be read has none).
FileStamp ReadFileStamp(const std::string& path, bool withHash = true);

enum class DiskChange { None, Changed, Deleted };

// How the file now on disk differs from the one known. Same size and time: unchanged. Otherwise the
// bytes decide (hashNow reads them), so a file touched or written back with the same bytes is no
// change. A file that was not there and still is not is no change either.
DiskChange CompareFileStamps(const FileStamp& known, const FileStamp& now,
                             const std::function<FileStamp()>& withHashNow);

}  // namespace qm
