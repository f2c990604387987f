#pragma once
#include <string>
#include <vector>

#include "core/app/appprofile.h"

namespace qm {

// The documents open at the last normal exit, in their window order, with their caret lines.
inline constexpr const char* kLastSessionSection = "Last Session";
inline constexpr int kLastSessionLimit = 64;

struct SessionEntry {
    std::string path;
    int line = 0;  // from 0
    bool operator==(const SessionEntry&) const = default;
};

// The list as it is kept: documents without a file (never saved) left out, each file once (its
// first window's line), at most kLastSessionLimit, lines below 0 as 0.
std::vector<SessionEntry> SessionList(const std::vector<SessionEntry>& open);

// "Last Session"\"Count", "File0", "Line0", ... Reading drops what SessionList would not keep.
std::vector<SessionEntry> ReadLastSession(const AppProfile& profile);
void WriteLastSession(AppProfile& profile, const std::vector<SessionEntry>& open);

}  // namespace qm
