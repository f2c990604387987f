#pragma once
#include <string>
#include <vector>

#include "core/app/appprofile.h"

namespace qm {

// The most-recently-used file list, "Recent File List"\"File1" upward, newest first.
class RecentFileList {
public:
    explicit RecentFileList(size_t capacity = 4) : m_capacity(capacity) {}

    void ReadList(const AppProfile& profile);
    void WriteList(AppProfile& profile) const;

    void Add(const std::string& path);  // to the front; an entry already listed moves there
    void Remove(size_t index);

    size_t Capacity() const { return m_capacity; }
    size_t Size() const { return m_files.size(); }
    const std::string& operator[](size_t i) const { return m_files[i]; }
    const std::vector<std::string>& Files() const { return m_files; }

private:
    size_t m_capacity;
    std::vector<std::string> m_files;
};

}  // namespace qm
