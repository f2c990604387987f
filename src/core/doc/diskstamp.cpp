#include "core/doc/diskstamp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/app/safefile.h"

namespace qm {

std::uint64_t HashBytes(const char* data, std::size_t size, std::uint64_t seed) {
    // Eight bytes at a time: a 50 MB file hashes in a few tens of milliseconds.
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = seed ^ (size * kMul);
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, data + i, 8);
        h = (h ^ (w * kMul)) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, data + i, size - i);
    h = (h ^ (tail * kMul) ^ (size - i)) * 0x94D049BB133111EBull;
    return h ^ (h >> 29);
}

FileStamp ReadFileStamp(const std::string& path, bool withHash) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    if (!withHash) return stamp;
    // Opened as every read of a document's file is, so a pipe put in the file's place by the other
    // program never blocks the window that watches it.
    FileResult opened;
    const int fd = OpenReadableFile(path, UINT64_MAX, opened);
    if (fd < 0) return stamp;
    // The hash runs over pieces, chaining each piece's hash into the next, so the whole file is
    // never held at once.
    std::vector<char> buffer(std::size_t{1} << 20);
    std::uint64_t h = 0, total = 0;
    ssize_t got;
    while ((got = ::read(fd, buffer.data(), buffer.size())) > 0 || (got < 0 && errno == EINTR)) {
        if (got < 0) continue;
        h = HashBytes(buffer.data(), static_cast<std::size_t>(got), h);
        total += static_cast<std::uint64_t>(got);
    }
    ::close(fd);
    if (got < 0) return stamp;
    stamp.size = total;  // what was hashed
    stamp.hash = h;
    stamp.hasHash = true;
    return stamp;
}

DiskChange CompareFileStamps(const FileStamp& known, const FileStamp& now,
                             const std::function<FileStamp()>& withHashNow) {
    if (!now.exists) return known.exists ? DiskChange::Deleted : DiskChange::None;
    if (!known.exists) return DiskChange::Changed;  // a file appeared where there was none
    if (known.size != now.size) return DiskChange::Changed;
    if (known.modifiedNs == now.modifiedNs) return DiskChange::None;
    if (!known.hasHash) return DiskChange::Changed;
    const FileStamp read = withHashNow ? withHashNow() : now;
    if (!read.hasHash) return DiskChange::Changed;
    return read.size == known.size && read.hash == known.hash ? DiskChange::None : DiskChange::Changed;
}

}  // namespace qm
