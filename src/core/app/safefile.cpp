#include "core/app/safefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <optional>
#include <new>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <io.h>
#endif
#ifdef __linux__
#include <sys/xattr.h>
#endif
#include <vector>

#include "core/app/memorylimit.h"

namespace qm {

namespace fs = std::filesystem;

bool IsReadOnlyFile(const std::string& path) {
    std::error_code ec;
    auto st = fs::status(path, ec);
    if (ec || !fs::exists(st) || fs::is_directory(st)) return false;
    constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & writeBits) == fs::perms::none;
}

namespace {
std::uint64_t g_limit = 0;
}  // namespace

std::uint64_t LimitForMemory(std::uint64_t usableBytes) {
    constexpr std::uint64_t unknown = 4ull << 30;  // as if the machine had 4 GB
    return (usableBytes ? usableBytes : unknown) / 20;
}

std::uint64_t ReadableFileLimit() {
    return g_limit ? g_limit : FileLimitFor(CurrentMemoryFacts());
}

void SetReadableFileLimit(std::uint64_t bytes) { g_limit = bytes; }

std::string FormatFileSize(std::uint64_t bytes) {
    if (bytes < 1000) return std::to_string(bytes) + " bytes";
    const char* unit = "KB";
    double v = bytes / 1e3;
    if (bytes >= 1000000000ull) v = bytes / 1e9, unit = "GB";
    else if (bytes >= 1000000ull) v = bytes / 1e6, unit = "MB";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", v, unit);
    return text;
}

namespace {
FileResult TooLarge(const std::string& path, std::uint64_t bytes, std::uint64_t limit) {
    return {false, "The file \"" + path + "\" is too large to open: it holds " + FormatFileSize(bytes) +
                       ", and files up to " + FormatFileSize(limit) + " can be edited on this computer."};
}

FileResult NotRegular(const std::string& path) {
    return {false, "\"" + path + "\" is not a regular file (it is a pipe, socket or device) and cannot be opened."};
}
}  // namespace

namespace {
FileResult CheckReadableFileAgainst(const std::string& path, std::uint64_t limit, std::uint64_t* size) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) return {false, "The file \"" + path + "\" cannot be found."};
    if (fs::is_directory(st)) return {false, "\"" + path + "\" is a folder, not a file."};
    if (!fs::is_regular_file(st)) return NotRegular(path);
    const std::uint64_t bytes = fs::file_size(path, ec);
    if (ec) return {false, "The file \"" + path + "\" cannot be read: " + ec.message() + "."};
    if (bytes > limit) return TooLarge(path, bytes, limit);
    if (size) *size = bytes;
    return {true, {}};
}
}  // namespace

FileResult CheckReadableFile(const std::string& path, std::uint64_t* size) {
    return CheckReadableFileAgainst(path, ReadableFileLimit(), size);
}

int OpenReadableFile(const std::string& path, std::uint64_t limit, FileResult& result, std::uint64_t* size) {
#ifndef _WIN32
    // Not blocking: a pipe put here since the check would wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result = {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) result = {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
    else if (S_ISDIR(st.st_mode)) result = {false, "\"" + path + "\" is a folder, not a file."};
    else if (!S_ISREG(st.st_mode)) result = NotRegular(path);
    else if (static_cast<std::uint64_t>(st.st_size) > limit) result = TooLarge(path, static_cast<std::uint64_t>(st.st_size), limit);
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        result = {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
    else {
        result = {true, {}};
        if (size) *size = static_cast<std::uint64_t>(st.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
#else
    std::uint64_t bytes = 0;
    result = CheckReadableFile(path, &bytes);
    if (!result.ok) return -1;
    if (bytes > limit) {
        result = TooLarge(path, bytes, limit);
        return -1;
    }
    const int fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) result = {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
    else if (size) *size = bytes;
    return fd;
#endif
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes) {
    // The limit reads the process's memory limits from /proc and the control groups: once a file.
    const std::uint64_t limit = ReadableFileLimit();
    if (FileResult checked = CheckReadableFileAgainst(path, limit, nullptr); !checked.ok) return checked;
    FileResult opened;
    std::uint64_t size = 0;
    const int fd = OpenReadableFile(path, limit, opened, &size);
    if (fd < 0) return opened;
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
    }
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        std::fclose(f);
        bytes.clear();
        return {false, "There is not enough memory to read \"" + path + "\" (" + FormatFileSize(size) + ")."};
    }
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    bytes.resize(got);  // a file that shrank meanwhile reads as what it holds now
    if (failed) return {false, "The file \"" + path + "\" could not be read completely."};
    return {true, {}};
}

namespace {
ByteSource FromBytes(std::string_view bytes) {
    return [bytes](const ByteSink& write) { return write(bytes); };
}

#ifndef _WIN32
// Writes all of the source's bytes to an open descriptor and makes them reach the disk.
bool WriteAll(int fd, const ByteSource& source, int& err) {
    const bool whole = source([&](std::string_view bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                err = n < 0 ? errno : EIO;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    });
    if (!whole) {
        if (err == 0) err = EIO;
        return false;
    }
    if (::fsync(fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

// Rewrites an open file from its start to hold exactly the source's bytes.
bool ReplaceContents(int fd, const ByteSource& source, int& err) {
    if (::lseek(fd, 0, SEEK_SET) != 0 || ::ftruncate(fd, 0) != 0) {
        err = errno;
        return false;
    }
    return WriteAll(fd, source, err);
}

#ifdef __linux__
// The names of a file's extended attributes (its access control list among them).
std::vector<std::string> AttributeNames(const char* path) {
    std::vector<std::string> names;
    ssize_t size = ::listxattr(path, nullptr, 0);
    if (size <= 0) return names;
    std::string list(static_cast<size_t>(size), '\0');
    size = ::listxattr(path, list.data(), list.size());
    if (size <= 0) return names;
    list.resize(static_cast<size_t>(size));
    for (size_t at = 0; at < list.size();) {
        const size_t end = list.find('\0', at);
        names.push_back(list.substr(at, end - at));
        at = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
}

std::optional<std::string> AttributeValue(const char* path, int fd, const std::string& name) {
    for (int tries = 0; tries < 3; ++tries) {
        const ssize_t size = path ? ::getxattr(path, name.c_str(), nullptr, 0) : ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0) return std::nullopt;
        std::string value(static_cast<size_t>(size), '\0');
        const ssize_t got = path ? ::getxattr(path, name.c_str(), value.data(), value.size())
                                 : ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<size_t>(got));
            return value;
        }
        if (errno != ERANGE) return std::nullopt;  // it grew in between: ask again
    }
    return std::nullopt;
}
#endif

// Gives the new file the old one's extended attributes: its access control list (without which
// the group bits, then the list's mask, would grant the owning group what the list withheld),
// and the user's own attributes. An access list the folder handed down to the new file goes,
// so it has no more than the old. False when an attribute could not be carried over.
bool CopyAttributes(const char* from, int toFd) {
#ifdef __linux__
    const std::vector<std::string> names = AttributeNames(from);
    bool kept = true;
    for (const std::string& name : names) {
        const std::optional<std::string> value = AttributeValue(from, -1, name);
        if (!value) continue;  // not readable to this user: not ours to keep
        if (::fsetxattr(toFd, name.c_str(), value->data(), value->size(), 0) == 0) continue;
        // A label the system sets by itself may be refused though the new file has it already.
        if (AttributeValue(nullptr, toFd, name) != value) kept = false;
    }
    for (const char* acl : {"system.posix_acl_access", "system.posix_acl_default"}) {
        if (std::find(names.begin(), names.end(), acl) != names.end()) continue;
        if (::fremovexattr(toFd, acl) != 0 && errno != ENODATA && errno != ENOTSUP && errno != EOPNOTSUPP)
            kept = false;
    }
    return kept;
#else
    (void)from;
    (void)toFd;
    return true;
#endif
}

std::string TempName(const fs::path& dir, const fs::path& target, const char* suffix) {
    std::random_device rd;
    std::string name = ".";
    name += target.filename().string();
    name += ".qm" + std::to_string(rd() % 1000000) + suffix;
    return (dir / name).string();
}

// For a file with more than one name, or one whose owner or attributes a new file could not
// keep: the file itself is rewritten, so every name sees the new text and it keeps its owner.
// It is opened for writing first, so a file this user may not change is refused before anything
// is made. A copy of the old contents beside it puts the old file back when the write fails, and
// goes unless it is the only whole copy left.
FileResult WriteInPlace(const std::string& path, const fs::path& target, const fs::path& dir, const ByteSource& bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {false, "The file \"" + path + "\" cannot be written: " + std::strerror(errno) + "."};
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    std::string old;
    if (FileResult r = ReadFileBytes(target.string(), old); !r.ok) return r;
    const std::string copy = TempName(dir, target, ".bak");
    const int copyFd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    int err = 0;
    bool copied = copyFd >= 0 && WriteAll(copyFd, FromBytes(old), err);
    if (copyFd < 0) err = errno;
    if (copyFd >= 0 && ::close(copyFd) != 0) copied = false;
    if (!copied) {
        if (copyFd >= 0) ::unlink(copy.c_str());
        return {false, "The file \"" + path + "\" was not changed: no copy of it could be made beside it (" +
                           std::strerror(err ? err : EIO) + ")."};
    }
    if (ReplaceContents(fd, bytes, err)) {
        ::unlink(copy.c_str());
        return {true, {}};
    }
    int ignore = 0;
    if (ReplaceContents(fd, FromBytes(old), ignore)) {
        ::unlink(copy.c_str());
        return {false, "The file \"" + path + "\" could not be written completely (" + std::strerror(err) +
                           "). The old file is unchanged."};
    }
    return {false, "The file \"" + path + "\" could not be written completely (" + std::strerror(err) +
                       "). A copy of the old file is kept in \"" + copy + "\"."};
}
#endif
}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, FromBytes(bytes));
}

FileResult WriteFileAtomically(const std::string& path, const ByteSource& bytes) {
    if (IsReadOnlyFile(path))
        return {false, "The file \"" + path + "\" is read-only and was not changed."};
    std::error_code ec;
    fs::path target(path);
    // Saving through a link writes the file it points to; the link itself stays.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) return {false, "\"" + path + "\" is a folder, not a file."};
    fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

#ifndef _WIN32
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A new file in its place would part the names of a hard-linked file.
    if (exists && S_ISREG(old.st_mode) && old.st_nlink > 1) return WriteInPlace(path, target, dir, bytes);

    const std::string temp = TempName(dir, target, ".tmp");
    // Private until it has the old file's bits, so a private file is never readable in between.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0) return {false, "The file \"" + path + "\" cannot be written: " + std::strerror(errno) + "."};
    int err = 0;
    bool written = WriteAll(fd, bytes, err);  // on the disk before it replaces the old file
    bool kept = true;
    if (written && exists) {
        // The replacement keeps the owner, group, extended attributes and permission bits of the
        // file it replaces (the owner first: changing it clears the set-id bits).
        struct stat now {};
        if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid))
            kept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        // The bits last: an access list sets them too, and they must end exactly as they were.
        if (kept) kept = CopyAttributes(target.c_str(), fd) && ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    if (::close(fd) != 0 && written) {
        err = errno;
        written = false;
    }
    if (!written || !kept) {
        ::unlink(temp.c_str());
        if (!written)
            return {false, "The file \"" + path + "\" could not be written completely (" +
                               std::strerror(err ? err : EIO) + "). The old file is unchanged."};
        return WriteInPlace(path, target, dir, bytes);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameErr = errno;
        ::unlink(temp.c_str());
        return {false, "The file \"" + path + "\" cannot be replaced: " + std::strerror(renameErr) + "."};
    }
    return {true, {}};
#else
    std::random_device rd;
    fs::path temp = dir / ("." + target.filename().string() + ".qm" + std::to_string(rd() % 1000000) + ".tmp");
    {
        std::FILE* f = std::fopen(temp.string().c_str(), "wb");
        if (!f) return {false, "The file \"" + path + "\" cannot be written: " + std::strerror(errno) + "."};
        bool written = bytes([f](std::string_view b) { return std::fwrite(b.data(), 1, b.size(), f) == b.size(); });
        written = (std::fflush(f) == 0) && written;
        written = (std::fclose(f) == 0) && written;
        if (!written) {
            fs::remove(temp, ec);
            return {false, "The file \"" + path + "\" could not be written completely. The old file is unchanged."};
        }
    }
    if (fs::exists(target, ec)) fs::permissions(temp, fs::status(target, ec).permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        return {false, "The file \"" + path + "\" cannot be replaced: " + ec.message() + "."};
    }
    return {true, {}};
#endif
}

}  // namespace qm
