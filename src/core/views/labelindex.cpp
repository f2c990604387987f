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

LabelIndex::Splice LabelIndex::ReplaceLines(int first, int oldLast, const std::vector<std::u16string>& lines) {
    const auto byLine = [](const Entry& e, int l) { return e.line < l; };
    const auto from = std::lower_bound(m_entries.begin(), m_entries.end(), first, byLine);
    const auto to = std::lower_bound(from, m_entries.end(), oldLast + 1, byLine);
    std::vector<Entry> fresh;
    for (size_t i = 0; i < lines.size(); ++i)
        if (IsLabelLine(lines[i])) fresh.push_back({first + static_cast<int>(i), lines[i]});
    Splice s;
    s.index = static_cast<int>(from - m_entries.begin());
    s.removed = static_cast<int>(to - from);
    s.inserted = static_cast<int>(fresh.size());
    s.changed = !std::equal(from, to, fresh.begin(), fresh.end(),
                            [](const Entry& a, const Entry& b) { return a.text == b.text; });
    const int shift = first + static_cast<int>(lines.size()) - 1 - oldLast;
    if (shift != 0)
        for (auto it = to; it != m_entries.end(); ++it) it->line += shift;
    const auto at = m_entries.erase(from, to);
    m_entries.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    return s;
}

void LabelIndex::BeginScan() {
    m_entries.clear();
    m_scanLine = 0;
    m_scanAtLineStart = true;
    m_scanInLabel = false;
}

void LabelIndex::Scan(std::u16string_view piece) {
    size_t i = 0;
    while (i < piece.size()) {
        if (m_scanAtLineStart && piece[i] == u'#') {
            m_entries.push_back({m_scanLine, {}});
            m_scanInLabel = true;
        }
        const size_t end = piece.find(u'\n', i);
        const size_t stop = end == std::u16string_view::npos ? piece.size() : end;
        if (m_scanInLabel) m_entries.back().text.append(piece.substr(i, stop - i));
        if (end == std::u16string_view::npos) {
            m_scanAtLineStart = false;
            return;
        }
        ++m_scanLine;
        m_scanAtLineStart = true;
        m_scanInLabel = false;
        i = end + 1;
    }
}

}  // namespace qm
