#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "fuzztarget.h"

namespace fs = std::filesystem;

namespace {
// name -> seed files and folders, as fuzz/CMakeLists.txt lists them.
std::map<std::string, std::vector<std::string>> Manifest() {
    std::map<std::string, std::vector<std::string>> m;
    std::ifstream in(QM_FUZZ_MANIFEST);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name, seed;
        if (!(words >> name)) continue;
        auto& seeds = m[name];
        while (words >> seed) seeds.push_back(seed);
    }
    return m;
}

std::vector<fs::path> InputsUnder(const std::vector<std::string>& roots) {
    std::vector<fs::path> files;
    for (const auto& r : roots) {
        std::error_code ec;
        if (fs::is_regular_file(r, ec)) files.emplace_back(r);
        else if (fs::is_directory(r, ec))
            for (const auto& e : fs::recursive_directory_iterator(r))
                if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}
}  // namespace

TEST(FuzzReplay, EveryTargetIsListedForTheFuzzerWithSeeds) {
    const auto manifest = Manifest();
    ASSERT_FALSE(qm::fuzz::Targets().empty());
    for (const auto& t : qm::fuzz::Targets()) {
        auto it = manifest.find(t.name);
        ASSERT_NE(it, manifest.end()) << t.name << " has no qm_fuzz_target line in fuzz/CMakeLists.txt";
        EXPECT_FALSE(InputsUnder(it->second).empty()) << t.name << " has no seeds";
    }
    EXPECT_EQ(manifest.size(), qm::fuzz::Targets().size());
}

// A crash here is a regression: the input that once broke a target breaks it again.
TEST(FuzzReplay, SeedsAndKnownCrashesRunClean) {
    const auto manifest = Manifest();
    for (const auto& t : qm::fuzz::Targets()) {
        auto roots = manifest.count(t.name) ? manifest.at(t.name) : std::vector<std::string>{};
        roots.push_back(std::string(QM_SOURCE_DIR) + "/fuzz/regressions/" + t.name);
        for (const auto& file : InputsUnder(roots)) {
            SCOPED_TRACE(std::string(t.name) + ": " + file.string());
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            t.fn(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        // The empty input too.
        t.fn(nullptr, 0);
    }
}
