#pragma once
#include <string>
#include <vector>

namespace qm {

// The label lines of a script, kept in text order with their line numbers so that an edit
// inside one line updates the list without reading the others.
class LabelIndex {
public:
    struct Entry {
        int line;
        std::u16string text;
        bool operator==(const Entry&) const = default;
    };

    // Reads every line. Returns true when the entries changed.
    bool Rebuild(const std::vector<std::u16string>& lines);
    void Clear() { m_entries.clear(); }

    // What one line's edit did to the entries: which entry changed, came or went.
    struct Update {
        enum Kind { None, Changed, Inserted, Removed } kind = None;
        int index = -1;
    };
    // Line `line` now holds `text` and no line was added or removed.
    Update UpdateLine(int line, const std::u16string& text);

    // Position of a line's entry, or -1.
    int IndexOfLine(int line) const;

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;  // sorted by line
};

}  // namespace qm
