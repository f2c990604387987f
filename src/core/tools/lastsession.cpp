#include "core/tools/lastsession.h"

#include <algorithm>

namespace qm {

std::vector<SessionEntry> SessionList(const std::vector<SessionEntry>& open) {
    std::vector<SessionEntry> kept;
    for (const SessionEntry& e : open) {
        if (static_cast<int>(kept.size()) == kLastSessionLimit) break;
        if (e.path.empty()) continue;
        if (std::any_of(kept.begin(), kept.end(), [&](const SessionEntry& k) { return k.path == e.path; })) continue;
        kept.push_back({e.path, std::max(0, e.line)});
    }
    return kept;
}

std::vector<SessionEntry> ReadLastSession(const AppProfile& profile) {
    const int count = std::clamp(profile.GetProfileInt(kLastSessionSection, "Count", 0), 0, kLastSessionLimit);
    std::vector<SessionEntry> read;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        read.push_back({profile.GetProfileString(kLastSessionSection, "File" + n),
                        profile.GetProfileInt(kLastSessionSection, "Line" + n, 0)});
    }
    return SessionList(read);
}

void WriteLastSession(AppProfile& profile, const std::vector<SessionEntry>& open) {
    const std::vector<SessionEntry> kept = SessionList(open);
    const int before = std::clamp(profile.GetProfileInt(kLastSessionSection, "Count", 0), 0, kLastSessionLimit);
    profile.WriteProfileInt(kLastSessionSection, "Count", static_cast<int>(kept.size()));
    for (size_t i = 0; i < kept.size(); ++i) {
        profile.WriteProfileString(kLastSessionSection, "File" + std::to_string(i), kept[i].path);
        profile.WriteProfileInt(kLastSessionSection, "Line" + std::to_string(i), kept[i].line);
    }
    // Entries of a longer earlier list would only wait to mislead.
    for (int i = static_cast<int>(kept.size()); i < before; ++i) {
        profile.DeleteEntry(kLastSessionSection, "File" + std::to_string(i));
        profile.DeleteEntry(kLastSessionSection, "Line" + std::to_string(i));
    }
}

}  // namespace qm
