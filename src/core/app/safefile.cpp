#include "core/app/safefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qm {

namespace fs = std::filesystem;

bool IsReadOnlyFile(const std::string& path) {
    std::error_code ec;
    auto st = fs::status(path, ec);
    if (ec || !fs::exists(st) || fs::is_directory(st)) return false;
    constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & writeBits) == fs::perms::none;
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return {false, "\"" + path + "\" is a folder, not a file."};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (!fs::exists(path, ec)) return {false, "The file \"" + path + "\" cannot be found."};
        return {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return {false, "The file \"" + path + "\" could not be read completely."};
    return {true, {}};
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
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

    std::random_device rd;
    fs::path temp = dir / ("." + target.filename().string() + ".qm" + std::to_string(rd() % 1000000) + ".tmp");
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) return {false, "The file \"" + path + "\" cannot be written: " + std::strerror(errno) + "."};
        bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        written = (std::fflush(f) == 0) && written;
#ifndef _WIN32
        written = (fsync(fileno(f)) == 0) && written;  // on the disk before it replaces the old file
#endif
        int err = errno;
        written = (std::fclose(f) == 0) && written;
        if (!written) {
            fs::remove(temp, ec);
            return {false, "The file \"" + path + "\" could not be written completely (" +
                               std::strerror(err ? err : EIO) + "). The old file is unchanged."};
        }
    }
    // Keep the permissions of the file being replaced.
    if (fs::exists(target, ec)) fs::permissions(temp, fs::status(target, ec).permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        return {false, "The file \"" + path + "\" cannot be replaced: " + ec.message() + "."};
    }
    return {true, {}};
}

}  // namespace qm
