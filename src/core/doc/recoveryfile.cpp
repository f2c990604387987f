#include "core/doc/recoveryfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace qm {

namespace {
constexpr std::string_view kMagic = "Quillmark recovery 1\n";

void Field(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

// Reads "key length\nvalue\n" at pos.
bool ReadField(std::string_view data, size_t& pos, std::string_view key, std::string& value) {
    const size_t eol = data.find('\n', pos);
    if (eol == std::string_view::npos) return false;
    const std::string_view line = data.substr(pos, eol - pos);
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ') return false;
    const std::string_view number = line.substr(key.size() + 1);
    size_t length = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), length);
    if (ec != std::errc() || end != number.data() + number.size()) return false;
    const size_t start = eol + 1;
    if (length > data.size() - start || data.size() - start - length < 1 || data[start + length] != '\n') return false;
    value.assign(data.substr(start, length));
    pos = start + length + 1;
    return true;
}

template <typename T>
bool ToNumber(const std::string& text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}
}  // namespace

std::string FormatRecoveryFile(const RecoveryEntry& e) {
    std::string out(kMagic);
    out.reserve(e.bytes.size() + e.path.size() + 256);
    Field(out, "path", e.path);
    Field(out, "kind", e.kind);
    Field(out, "title", e.title);
    Field(out, "time", std::to_string(e.savedAt));
    const std::string disk = e.disk.exists ? std::to_string(e.disk.size) + " " + std::to_string(e.disk.modifiedNs) +
                                                 " " + (e.disk.hasHash ? std::to_string(e.disk.hash) : "-")
                                           : std::string("none");
    Field(out, "disk", disk);
    Field(out, "text", e.bytes);
    out += "end\n";
    return out;
}

bool ParseRecoveryFile(std::string_view data, RecoveryEntry& e, std::string& error) {
    error.clear();
    if (data.substr(0, kMagic.size()) != kMagic) {
        error = "not a recovery file";
        return false;
    }
    size_t pos = kMagic.size();
    std::string time, disk;
    if (!ReadField(data, pos, "path", e.path) || !ReadField(data, pos, "kind", e.kind) ||
        !ReadField(data, pos, "title", e.title) || !ReadField(data, pos, "time", time) ||
        !ReadField(data, pos, "disk", disk) || !ReadField(data, pos, "text", e.bytes) ||
        data.substr(pos) != "end\n") {
        error = "the file is damaged or cut short";
        return false;
    }
    if (!ToNumber(time, e.savedAt)) {
        error = "the file is damaged";
        return false;
    }
    e.disk = FileStamp{};
    if (disk != "none") {
        const size_t a = disk.find(' '), b = disk.find(' ', a == std::string::npos ? a : a + 1);
        if (a == std::string::npos || b == std::string::npos || !ToNumber(disk.substr(0, a), e.disk.size) ||
            !ToNumber(disk.substr(a + 1, b - a - 1), e.disk.modifiedNs)) {
            error = "the file is damaged";
            return false;
        }
        e.disk.exists = true;
        const std::string hash = disk.substr(b + 1);
        e.disk.hasHash = hash != "-";
        if (e.disk.hasHash && !ToNumber(hash, e.disk.hash)) {
            error = "the file is damaged";
            return false;
        }
    }
    return true;
}

std::string RecoveryFileName(long pid, int serial) {
    return std::to_string(pid) + "-" + std::to_string(serial) + ".qmrecover";
}

bool IsRecoveryFileName(std::string_view name) {
    constexpr std::string_view ext = ".qmrecover";
    if (name.size() <= ext.size() || name.substr(name.size() - ext.size()) != ext) return false;
    const std::string_view stem = name.substr(0, name.size() - ext.size());
    const size_t dash = stem.find('-');
    const auto digits = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string_view::npos && digits(stem.substr(0, dash)) && digits(stem.substr(dash + 1));
}

std::vector<std::string> ListRecoveryFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsRecoveryFileName(name) && it->is_regular_file(ec)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string RecoveryFolder(const std::optional<std::string>& xdgStateHome, const std::string& homeFolder) {
    std::string base;
    if (xdgStateHome && !xdgStateHome->empty() && xdgStateHome->front() == '/') base = *xdgStateHome;
    else base = homeFolder + (homeFolder.empty() || homeFolder.back() != '/' ? "/" : "") + ".local/state";
    if (base.back() != '/') base += '/';
    return base + "quillmark/recovery/";
}

FileResult WriteFileDurably(const std::string& path, std::string_view bytes) {
    const auto failed = [&](const std::string& what) {
        return FileResult{false, "\"" + path + "\" could not be written (" + what + "): " + std::strerror(errno) + "."};
    };
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return failed("create");
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            errno = saved ? saved : ENOSPC;
            return failed("write");
        }
        done += size_t(n);
    }
    if (::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = saved;
        return failed("flush");
    }
    ::close(fd);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return failed("rename");
    }
    // The rename itself reaches the disk with its folder.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

}  // namespace qm
