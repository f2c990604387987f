// The data-file loader: five files (commands, data, unit, syntax, header) separated by "\x1e\n".
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "core/app/catalogue.h"
#include "fuzztarget.h"

namespace {
namespace fs = std::filesystem;

struct Folder {
    fs::path path = fs::temp_directory_path() / ("qmfuzz-data-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string WriteFile(const fs::path& dir, const char* name, const std::string& bytes) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p.string();
}
}  // namespace

QM_FUZZ_TARGET(datafiles) {
    static Folder folder;
    const auto parts = qm::fuzz::SplitParts(data, size, 5);
    qm::DataFilePaths paths{WriteFile(folder.path, "commands.txt", parts[0]), WriteFile(folder.path, "data.txt", parts[1]),
                            WriteFile(folder.path, "unit.txt", parts[2]), WriteFile(folder.path, "syntax.txt", parts[3]),
                            WriteFile(folder.path, "header.txt", parts[4])};
    qm::Catalogue c;
    QM_FUZZ_CHECK(c.LoadDataFiles(paths));
    // Every listed name is found again, in whatever letter case.
    for (size_t i = 0; i < c.m_commands.size(); ++i) QM_FUZZ_CHECK(c.FindCommand(c.m_commands[i]) >= 0);
    for (const auto* list : {&c.m_weapons, &c.m_ammo, &c.m_equipment, &c.m_vehicleAmmo})
        for (const auto& name : *list) QM_FUZZ_CHECK(c.IsItem(name));
    for (const auto& line : c.m_syntax) {
        if (line.size() < 2 || line.front() != '[' || line.back() != ']') continue;
        QM_FUZZ_CHECK(c.SyntaxFor(line.substr(1, line.size() - 2)).size() <= 3);
    }
    for (const auto& line : c.m_commands) (void)c.SyntaxFor(line);
}
