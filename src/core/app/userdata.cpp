#include "core/app/userdata.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/app/datapaths.h"
#include "core/options/xdgfiletypes.h"

namespace qm {

namespace fs = std::filesystem;

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
        if (fs::is_directory(from, ec))
            fs::copy(from, user / sub, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
        else
            fs::create_directories(user / sub, ec);
        if (ec) {
            error = "The installed \"" + std::string(sub) + "\" folder cannot be copied to \"" + userFolder +
                    "\": " + ec.message();
            return false;
        }
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
