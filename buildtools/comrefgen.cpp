// Writes the command reference manual from the shipped data files; the build runs it, so the page
// always lists what the data files hold.
//   comrefgen <original/commands.txt> <resistance/commands.txt> <syntax.txt> <version> <output.html>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/app/safefile.h"
#include "core/frames/comref.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: comrefgen original-commands resistance-commands syntax version output\n";
        return 2;
    }
    std::string original, resistance, syntax;
    for (auto [path, into] : {std::pair{argv[1], &original}, {argv[2], &resistance}, {argv[3], &syntax}}) {
        if (const qm::FileResult r = qm::ReadFileBytes(path, *into); !r.ok) {
            std::cerr << "comrefgen: " << r.error << "\n";
            return 1;
        }
    }
    qm::Catalogue catalogue;
    for (auto& line : qm::ReadDataLines(syntax))
        if (!line.empty()) catalogue.m_syntax.push_back(std::move(line));
    catalogue.RebuildIndexes();
    const std::string page = qm::BuildCommandReference(qm::ReadDataLines(original), qm::ReadDataLines(resistance),
                                                       catalogue, argv[4]);
    std::filesystem::create_directories(std::filesystem::path(argv[5]).parent_path());
    std::ofstream out(argv[5], std::ios::binary);
    out << page;
    if (!out) {
        std::cerr << "comrefgen: cannot write " << argv[5] << "\n";
        return 1;
    }
    return 0;
}
