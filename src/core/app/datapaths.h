#pragma once
#include <optional>
#include <string>

namespace qm {

// The path kinds, in this order.
enum PathKind {
    PATH_COMMANDS,
    PATH_DATA,
    PATH_SYNTAX,
    PATH_UNIT,
    PATH_SCRIPTS,
    PATH_SNIPPETS,
    PATH_HEADER,
    PATH_BACKUP,
    PATH_COMREF,
};

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif
// "/", and on Windows the backslash too; elsewhere a backslash is an ordinary file-name character.
inline constexpr bool IsPathSeparator(char c) { return c == '/' || c == kPathSep; }

struct AppFolders {
    std::string programFolder;               // ends with a separator
    int expansionEdition = 1;                // 1: data/resistance, 0: data/original
    std::optional<std::string> systemDrive;  // the "SystemDrive" variable, when set
    std::string homeFolder;                  // ends with a separator; the backup root without drives
    std::string dataFolder;                  // holds data/, snippets/, scripts/; empty: the program folder
};

// Every data-file and folder path. Folders end with a separator.
std::string GetDataPath(PathKind kind, const AppFolders& folders);

// Adds a trailing separator when the folder has none.
std::string WithTrailingSeparator(std::string folder);

}  // namespace qm
