#include "core/app/wineprefix.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/app/datapaths.h"
#include "core/app/gameregistry.h"
#include "core/app/safefile.h"
#include "core/app/wineregistry.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
constexpr size_t kMaxRegFileBytes = 256u << 20;  // larger is not a registry file Wine wrote

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The entry of `folder` named `name`, or one that differs only in letter case.
std::string ExistingName(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameFolded(entry, name)) return entry;
    }
    return name;
}

std::string ReadWhole(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    std::string bytes;
    if (ec || size > kMaxRegFileBytes || !ReadFileBytes(path.string(), bytes).ok) return {};
    return bytes;
}

std::string GameKeyUnderWow64() {
    std::string key = kGameRegistryKey;  // "Software\..." -> "Software\Wow6432Node\..."
    return key.insert(key.find('\\'), "\\Wow6432Node");
}

std::string FindGameValue(const WineRegistryFile& file, const char* name) {
    for (const std::string& key : {std::string(kGameRegistryKey), GameKeyUnderWow64()})
        if (auto v = file.GetString(key, name); v && !v->empty()) return *v;
    return {};
}

WineRegistryFile ParseGameKeys(std::string_view text) {
    const std::string a = FoldRegistryKey(kGameRegistryKey), b = FoldRegistryKey(GameKeyUnderWow64());
    return ParseWineRegistry(text, [&](const std::string& key) { return key == a || key == b; });
}
}  // namespace

std::string WinePrefixFolder(const std::optional<std::string>& winePrefixVariable, const std::string& homeFolder) {
    if (winePrefixVariable && !winePrefixVariable->empty()) return WithTrailingSeparator(*winePrefixVariable);
    return WithTrailingSeparator(WithTrailingSeparator(homeFolder) + ".wine");
}

std::string MapWindowsPath(const std::string& windowsPath, const std::string& prefixFolder) {
    const std::string& p = windowsPath;
    if (p.size() < 2 || p[1] != ':' || !((p[0] >= 'a' && p[0] <= 'z') || (p[0] >= 'A' && p[0] <= 'Z'))) return {};
    if (p.size() > 2 && p[2] != '\\' && p[2] != '/') return {};  // "C:folder" is relative to a drive's current folder
    const char drive = Lower(p[0]);
    const fs::path root = fs::path(prefixFolder) / (drive == 'c' ? std::string("drive_c") : std::string("dosdevices/") + drive + ":");
    std::vector<std::string> parts;  // ".." stops at the drive's root, as on Windows
    size_t pos = 2;
    while (pos < p.size()) {
        size_t next = p.find_first_of("\\/", pos);
        if (next == std::string::npos) next = p.size();
        std::string part = p.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(std::move(part));
    }
    fs::path out = root;
    for (const std::string& part : parts) out /= ExistingName(out, part);
    return out.string();
}

WineGameKeys WineGameKeysFromText(std::string_view systemReg, std::string_view userReg) {
    return {FindGameValue(ParseGameKeys(systemReg), "MAIN"), FindGameValue(ParseGameKeys(userReg), "Player Name")};
}

WineGameKeys ReadWineGameKeys(const std::string& prefixFolder, GameValues wanted) {
    const fs::path prefix(prefixFolder);
    return WineGameKeysFromText((wanted & kGameFolder) ? ReadWhole(prefix / "system.reg") : std::string(),
                                (wanted & kGamePlayer) ? ReadWhole(prefix / "user.reg") : std::string());
}

}  // namespace qm
