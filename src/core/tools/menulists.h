#pragma once
#include <string>
#include <vector>

namespace qm {

// The custom recent-file and window lists of the menus.

inline constexpr int kMaxRecentEntries = 16;
inline constexpr int kMaxWindowEntries = 24;

struct RecentMenuEntry {
    int index;         // the entry of the recent-file list it opens (its command is 1303 + index)
    std::string text;  // "1 .../test.sqs", or "1 /home/me/test.sqs" untrimmed
};

// One entry for each of the first "MRUs" recent files that is not empty: its number from 1, a
// space, then with trim "..." + separator + the file name, else the full path.
std::vector<RecentMenuEntry> RecentMenuTexts(const std::vector<std::string>& recentFiles, int mrus, bool trim);

// The framework's own recent-file entries of the standard File menu: "&1 " + the full path,
// at most capacity of them.
std::vector<std::string> StandardRecentTexts(const std::vector<std::string>& recentFiles, size_t capacity);

// "1 caption", "2 caption", ... for at most 24 windows.
std::vector<std::string> WindowMenuTexts(const std::vector<std::string>& captions);

}  // namespace qm
