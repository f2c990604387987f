#include "core/tools/toolfiles.h"

#include <algorithm>
#include <filesystem>

#include "core/app/casefold.h"
#include "core/app/datapaths.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
bool EndsWithNoCase(const std::string& name, const std::string& tail) {
    return name.size() >= tail.size() && FoldCase(name.substr(name.size() - tail.size())) == FoldCase(tail);
}
}  // namespace

bool IsWritableFolder(const std::string& folder) {
    std::error_code ec;
    const auto st = fs::status(folder.empty() ? std::string(".") : folder, ec);
    if (ec || !fs::is_directory(st)) return false;
    constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & writeBits) != fs::perms::none;
}

std::string FolderOf(const std::string& path) {
    size_t end = path.size();
    while (end > 1 && IsPathSeparator(path[end - 1])) --end;  // a folder given with its trailing separator
    for (size_t i = end; i-- > 0;)
        if (IsPathSeparator(path[i])) return i == 0 ? path.substr(0, 1) : path.substr(0, i);
    return ".";
}

FileResult CopyFileTo(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return {false, "The file \"" + from + "\" cannot be found."};
    if (!IsWritableFolder(FolderOf(to))) return {false, "The folder of \"" + to + "\" cannot be written."};
    if (fs::exists(fs::symlink_status(to, ec))) {
        if (!overwrite) return {false, "The file \"" + to + "\" exists already."};
        if (IsReadOnlyFile(to)) return {false, "The file \"" + to + "\" is read-only and was not changed."};
    }
    std::string bytes;
    FileResult read = ReadFileBytes(from, bytes);
    if (!read.ok) return read;
    return WriteFileAtomically(to, bytes);
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (readOnly) fs::permissions(path, writeBits, fs::perm_options::remove, ec);
    else fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
}

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc)) continue;
        std::string name = it->path().filename().string();
        if (!extension.empty() && !EndsWithNoCase(name, extension)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = FoldCase(a), fb = FoldCase(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

}  // namespace qm
