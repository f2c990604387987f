#include "core/options/xdgfiletypes.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/app/safefile.h"
#include "core/options/mimetypes.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string WithoutTrailingSlash(std::string p) {
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool IsGroupLine(const std::string& line) { return !line.empty() && Trim(line).front() == '['; }

// The key of a "key=value" line, or empty for comments and other lines.
std::string KeyOf(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t.front() == '#') return {};
    const size_t eq = t.find('=');
    return eq == std::string::npos ? std::string() : Trim(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) { return Trim(line.substr(line.find('=') + 1)); }

std::string FirstEntry(const std::string& list) {
    const size_t semi = list.find(';');
    return Trim(semi == std::string::npos ? list : list.substr(0, semi));
}

constexpr const char* kDefaultGroup = "[Default Applications]";

std::string OldDefaultName(DocKind kind) { return std::string(KindInfo(kind).extension) + " (Old Default)"; }

// Reads a file that may be missing; false when it exists and cannot be read.
bool ReadIfPresent(const std::string& path, std::string& text) {
    text.clear();
    std::error_code ec;
    if (!fs::exists(path, ec)) return true;
    return ReadFileBytes(path, text).ok;
}

bool WriteCreatingFolders(const std::string& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    return WriteFileAtomically(path, text).ok;
}
}  // namespace

std::string XdgBaseFolder(const std::string& value, const std::string& home, const std::string& fallback) {
    if (!value.empty() && value.front() == '/') return WithoutTrailingSlash(value);
    const std::string h = WithoutTrailingSlash(home);
    return h.empty() ? std::string() : h + "/" + fallback;
}

XdgDirs XdgDirsFromEnvironment() {
    XdgDirs d;
    const std::string home = Env("HOME");
    d.dataHome = XdgBaseFolder(Env("XDG_DATA_HOME"), home, ".local/share");
    d.configHome = XdgBaseFolder(Env("XDG_CONFIG_HOME"), home, ".config");
    std::string dirs = Env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share/:/usr/share/";
    std::istringstream in(dirs);
    std::string dir;
    while (std::getline(in, dir, ':'))
        if (!dir.empty() && dir.front() == '/') d.dataDirs.push_back(WithoutTrailingSlash(dir));
    return d;
}

std::optional<std::string> MimeAppsDefault(const std::string& text, const std::string& mimeType) {
    bool inDefaults = false;
    for (const std::string& line : Lines(text)) {
        if (IsGroupLine(line)) inDefaults = Trim(line) == kDefaultGroup;
        else if (inDefaults && KeyOf(line) == mimeType) return ValueOf(line);
    }
    return std::nullopt;
}

std::string SetMimeAppsDefault(const std::string& text, const std::string& mimeType,
                               const std::optional<std::string>& value) {
    const bool remove = !value || value->empty();
    const std::string newLine = remove ? std::string() : mimeType + "=" + *value;
    std::vector<std::string> out;
    bool inDefaults = false, seenGroup = false, written = false;
    auto insertAtGroupEnd = [&] {
        if (!inDefaults || written || remove) return;
        // Before the blank lines that close the group.
        auto at = out.end();
        while (at != out.begin() && Trim(*(at - 1)).empty()) --at;
        out.insert(at, newLine);
        written = true;
    };
    for (const std::string& line : Lines(text)) {
        if (IsGroupLine(line)) {
            insertAtGroupEnd();
            inDefaults = Trim(line) == kDefaultGroup;
            seenGroup = seenGroup || inDefaults;
        } else if (inDefaults && KeyOf(line) == mimeType) {
            // The first line of the type holds the answer; later duplicates would only confuse.
            if (!remove && !written) out.push_back(newLine);
            written = true;
            continue;
        }
        out.push_back(line);
    }
    insertAtGroupEnd();
    if (!remove && !seenGroup) {
        if (!out.empty() && !Trim(out.back()).empty()) out.push_back("");
        out.push_back(kDefaultGroup);
        out.push_back(newLine);
    }
    std::string result;
    for (const std::string& l : out) result += l + "\n";
    return result;
}

XdgFileTypes::XdgFileTypes(XdgDirs dirs, std::string executablePath, MimeDatabaseUpdater updater)
    : m_dirs(std::move(dirs)), m_executablePath(std::move(executablePath)), m_updater(std::move(updater)) {}

std::string XdgFileTypes::MimeAppsPath() const { return m_dirs.configHome + "/mimeapps.list"; }

std::string XdgFileTypes::PackagePath(DocKind kind) const {
    return m_dirs.dataHome + "/mime/packages/" + MimeTypeOf(kind).packageName + ".xml";
}

std::string XdgFileTypes::UserDesktopEntryPath() const {
    return m_dirs.dataHome + "/applications/" + kDesktopEntryId;
}

bool XdgFileTypes::DesktopEntryInstalled() const {
    std::error_code ec;
    if (fs::exists(UserDesktopEntryPath(), ec)) return true;
    for (const std::string& dir : m_dirs.dataDirs)
        if (fs::exists(dir + "/applications/" + kDesktopEntryId, ec)) return true;
    return false;
}

bool XdgFileTypes::SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate) {
    if (!m_dirs.Usable()) return false;
    return associate ? Associate(registry, kind) : Restore(registry, kind);
}

bool XdgFileTypes::EnsureDesktopEntry() {
    if (DesktopEntryInstalled()) return true;
    return WriteCreatingFolders(UserDesktopEntryPath(), DesktopEntryText(m_executablePath));
}

bool XdgFileTypes::WritePackage(DocKind kind, bool& changed) {
    changed = false;
    const std::string path = PackagePath(kind), text = MimePackageText(kind);
    std::string old;
    if (ReadIfPresent(path, old) && old == text) return true;
    changed = true;
    return WriteCreatingFolders(path, text);
}

void XdgFileTypes::UpdateMimeDatabase() {
    if (m_updater) m_updater(m_dirs.dataHome + "/mime");
}

bool XdgFileTypes::Associate(Registry& registry, DocKind kind) {
    const MimeTypeInfo& mime = MimeTypeOf(kind);
    bool ok = true;
    if (mime.ownType) {
        bool changed = false;
        ok = WritePackage(kind, changed);
        if (changed && ok) UpdateMimeDatabase();
    }
    ok = EnsureDesktopEntry() && ok;

    std::string list;
    if (!ReadIfPresent(MimeAppsPath(), list)) return false;  // an unreadable list is not replaced
    const std::optional<std::string> current = MimeAppsDefault(list, mime.mimeType);
    if (current && FirstEntry(*current) == kDesktopEntryId) return ok;  // ours already: keep what was kept

    const std::string name = OldDefaultName(kind);
    if (current && !current->empty()) registry.WriteString(Hive::ClassesRoot, kDesktopDefaultsKey, name, *current);
    else registry.DeleteValue(Hive::ClassesRoot, kDesktopDefaultsKey, name);
    return WriteCreatingFolders(MimeAppsPath(), SetMimeAppsDefault(list, mime.mimeType, std::string(kDesktopEntryId) + ";")) && ok;
}

bool XdgFileTypes::Restore(Registry& registry, DocKind kind) {
    const MimeTypeInfo& mime = MimeTypeOf(kind);
    const std::string name = OldDefaultName(kind);
    const std::optional<std::string> old = registry.ReadString(Hive::ClassesRoot, kDesktopDefaultsKey, name);

    bool ok = true;
    std::string list;
    if (!ReadIfPresent(MimeAppsPath(), list)) {
        ok = false;
    } else {
        const std::optional<std::string> current = MimeAppsDefault(list, mime.mimeType);
        // A handler the user chose after the program took the type over stays.
        if (current && FirstEntry(*current) == kDesktopEntryId)
            ok = WriteCreatingFolders(MimeAppsPath(), SetMimeAppsDefault(list, mime.mimeType, old));
    }
    // The previous handler is forgotten only once it is back, or the list no longer names us;
    // otherwise a later try can still put it back.
    if (ok) registry.DeleteValue(Hive::ClassesRoot, kDesktopDefaultsKey, name);
    if (mime.ownType) {
        std::error_code ec;
        if (fs::remove(PackagePath(kind), ec)) UpdateMimeDatabase();
    }
    return ok;
}

}  // namespace qm
