#include "core/app/datapaths.h"

namespace qm {

namespace {
std::string Join(std::initializer_list<const char*> parts, bool folder) {
    std::string out;
    for (const char* p : parts) {
        if (!out.empty()) out.push_back(kPathSep);
        out += p;
    }
    if (folder) out.push_back(kPathSep);
    return out;
}

// The files the user edits; the manual and help stay with the program.
const std::string& DataRoot(const AppFolders& f) { return f.dataFolder.empty() ? f.programFolder : f.dataFolder; }

std::string EditionFile(const AppFolders& f, const char* name) {
    return DataRoot(f) + Join({"data", f.expansionEdition == 1 ? "resistance" : "original", name}, false);
}
}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back())) folder.push_back(kPathSep);
    return folder;
}

std::string GetDataPath(PathKind kind, const AppFolders& f) {
    switch (kind) {
        case PATH_COMMANDS: return EditionFile(f, "commands.txt");
        case PATH_DATA: return EditionFile(f, "data.txt");
        case PATH_UNIT: return EditionFile(f, "unit.txt");
        case PATH_SYNTAX: return DataRoot(f) + Join({"data", "syntax.txt"}, false);
        case PATH_HEADER: return DataRoot(f) + Join({"data", "header.txt"}, false);
        case PATH_SCRIPTS: return DataRoot(f) + Join({"scripts"}, true);
        case PATH_SNIPPETS: return DataRoot(f) + Join({"snippets"}, true);
        case PATH_COMREF: return f.programFolder + Join({"comref", "comref.html"}, false);
        case PATH_BACKUP:
            if (f.systemDrive) return *f.systemDrive + kPathSep + Join({"Quillmark Backup"}, true);
#ifdef _WIN32
            return kPathSep + Join({"Quillmark Backup"}, true);
#else
            // No drives here, and the filesystem root is not writable by users.
            return WithTrailingSeparator(f.homeFolder) + Join({"Quillmark Backup"}, true);
#endif
    }
    return {};
}

}  // namespace qm
