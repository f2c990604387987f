#include "core/app/recentfiles.h"

#include <algorithm>

namespace qm {

void RecentFileList::ReadList(const AppProfile& profile) {
    m_files.clear();
    for (size_t i = 1; i <= m_capacity; ++i) {
        std::string f = profile.GetProfileString(kRecentFileSection, "File" + std::to_string(i));
        if (!f.empty()) m_files.push_back(f);
    }
}

void RecentFileList::WriteList(AppProfile& profile) const {
    for (size_t i = 0; i < m_capacity; ++i) {
        const std::string entry = "File" + std::to_string(i + 1);
        if (i < m_files.size()) profile.WriteProfileString(kRecentFileSection, entry, m_files[i]);
        else profile.DeleteEntry(kRecentFileSection, entry);
    }
}

void RecentFileList::Add(const std::string& path) {
    if (path.empty() || m_capacity == 0) return;
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_capacity) m_files.resize(m_capacity);
}

void RecentFileList::Remove(size_t index) {
    if (index < m_files.size()) m_files.erase(m_files.begin() + static_cast<long>(index));
}

}  // namespace qm
