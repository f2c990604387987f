#include "core/views/labelindex.h"

#include <algorithm>

#include "core/views/wordbreak.h"

namespace qm {

bool LabelIndex::Rebuild(const std::vector<std::u16string>& lines) {
    std::vector<Entry> fresh;
    for (size_t i = 0; i < lines.size(); ++i)
        if (IsLabelLine(lines[i])) fresh.push_back({static_cast<int>(i), lines[i]});
    if (fresh == m_entries) return false;
    m_entries = std::move(fresh);
    return true;
}

int LabelIndex::IndexOfLine(int line) const {
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), line,
                               [](const Entry& e, int l) { return e.line < l; });
    return (it != m_entries.end() && it->line == line) ? static_cast<int>(it - m_entries.begin()) : -1;
}

LabelIndex::Update LabelIndex::UpdateLine(int line, const std::u16string& text) {
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), line,
                               [](const Entry& e, int l) { return e.line < l; });
    const int index = static_cast<int>(it - m_entries.begin());
    const bool listed = it != m_entries.end() && it->line == line;
    const bool label = IsLabelLine(text);
    if (listed && label) {
        if (it->text == text) return {};
        it->text = text;
        return {Update::Changed, index};
    }
    if (listed) {
        m_entries.erase(it);
        return {Update::Removed, index};
    }
    if (label) {
        m_entries.insert(it, {line, text});
        return {Update::Inserted, index};
    }
    return {};
}

}  // namespace qm
