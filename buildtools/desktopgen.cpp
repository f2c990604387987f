// Writes the files an installation gives the desktop, from the program's file-type table:
//   desktopgen <version> <release date> <output folder>
// -> quillmark.desktop, quillmark.xml (MIME definitions), quillmark.metainfo.xml
#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/app/desktopfiles.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: desktopgen version release-date output-folder\n";
        return 2;
    }
    const std::filesystem::path out(argv[3]);
    std::filesystem::create_directories(out);
    const std::pair<const char*, std::string> files[] = {
        {"quillmark.desktop", qm::InstalledDesktopEntry()},
        {"quillmark.xml", qm::InstalledMimePackage()},
        {"quillmark.metainfo.xml", qm::InstalledMetainfo(argv[1], argv[2])},
    };
    for (const auto& [name, text] : files) {
        std::ofstream f(out / name, std::ios::binary);
        f << text;
        if (!f.flush()) {
            std::cerr << "desktopgen: cannot write " << (out / name).string() << "\n";
            return 1;
        }
    }
    return 0;
}
