#include "core/tools/menulists.h"

#include <algorithm>

#include "core/app/datapaths.h"
#include "core/doc/titlerules.h"
#include "core/tools/toolfiles.h"

namespace qm {

std::vector<RecentMenuEntry> RecentMenuTexts(const std::vector<std::string>& recentFiles, int mrus, bool trim) {
    std::vector<RecentMenuEntry> out;
    const int shown = std::clamp(mrus, 0, kMaxRecentEntries);
    for (int i = 0; i < shown && i < static_cast<int>(recentFiles.size()); ++i) {
        const std::string& path = recentFiles[i];
        if (path.empty()) continue;
        std::string text = std::to_string(i + 1) + " ";
        text += trim ? std::string("...") + kPathSep + FileNameOfPath(path) : path;
        out.push_back({i, text});
    }
    return out;
}

std::vector<std::string> StandardRecentTexts(const std::vector<std::string>& recentFiles, size_t capacity) {
    std::vector<std::string> out;
    for (size_t i = 0; i < recentFiles.size() && i < capacity; ++i) {
        if (recentFiles[i].empty()) continue;
        std::string text(1, '&');
        text += std::to_string(i + 1);
        text += ' ';
        text += recentFiles[i];
        out.push_back(std::move(text));
    }
    return out;
}

std::vector<std::string> WindowMenuTexts(const std::vector<std::string>& captions) {
    std::vector<std::string> out;
    for (size_t i = 0; i < captions.size() && i < static_cast<size_t>(kMaxWindowEntries); ++i)
        out.push_back(std::to_string(i + 1) + " " + captions[i]);
    return out;
}

}  // namespace qm
