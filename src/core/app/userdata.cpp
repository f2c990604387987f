#include "core/app/userdata.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/app/datapaths.h"
#include "core/options/xdgfiletypes.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
// The files under from (relative names) that to does not hold yet: the ones a copy would add.
std::vector<fs::path> FilesMissingFrom(const fs::path& from, const fs::path& to) {
    std::vector<fs::path> missing;
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return missing;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const fs::path relative = it->path().lexically_relative(from);
        if (!fs::exists(to / relative, ec)) missing.push_back(relative);
    }
    return missing;
}

void MakeReadOnly(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, ec);
}
}  // namespace

std::string PerUserDataFolder(const std::optional<std::string>& xdgDataHome, const std::string& homeFolder) {
    return WithTrailingSeparator(XdgBaseFolder(xdgDataHome.value_or(""), homeFolder, ".local/share")) + "quillmark" +
           kPathSep;
}

bool SeedUserData(const std::string& programFolder, const std::string& userFolder, std::string& error) {
    std::error_code ec;
    const fs::path user(userFolder);
    if (fs::exists(user / kUserCopyMarker, ec)) return true;
    fs::create_directories(user, ec);
    if (ec) {
        error = "The folder \"" + userFolder + "\" cannot be created: " + ec.message();
        return false;
    }
    for (const char* sub : {"data", "snippets", "scripts"}) {
        const fs::path from = fs::path(programFolder) / sub;
        const std::vector<fs::path> copied = FilesMissingFrom(from, user / sub);
        if (fs::is_directory(from, ec))
            fs::copy(from, user / sub, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
        else
            fs::create_directories(user / sub, ec);
        if (ec) {
            error = "The installed \"" + std::string(sub) + "\" folder cannot be copied to \"" + userFolder +
                    "\": " + ec.message();
            return false;
        }
        // A shipped quick script is read-only, as beside a built program: Save then refuses it
        // instead of overwriting it, and the user keeps changes under a name of their own.
        if (std::string_view(sub) == "scripts")
            for (const fs::path& file : copied) MakeReadOnly(user / sub / file);
    }
    std::ofstream marker(user / kUserCopyMarker, std::ios::binary);
    marker << "Copied from " << programFolder << "\n";
    if (!marker.flush()) {
        error = "The folder \"" + userFolder + "\" cannot be written.";
        return false;
    }
    return true;
}

DataFolderChoice ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                                  const std::string& perUserFolder) {
    std::error_code ec;
    const bool installed = !programFolderWritable || fs::exists(fs::path(programFolder) / kInstalledMarker, ec);
    DataFolderChoice choice{WithTrailingSeparator(programFolder), false, {}};
    if (!installed) return choice;
    if (SeedUserData(programFolder, perUserFolder, choice.error)) {
        choice.folder = WithTrailingSeparator(perUserFolder);
        choice.perUser = true;
    }
    return choice;
}

}  // namespace qm
