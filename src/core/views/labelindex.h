#pragma once
#include <string>
#include <string_view>
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

    // Lines first..oldLast were replaced by `lines` (numbered from first on); the entries below
    // them move by the difference. Reads only the given lines, so an edit of a few lines in a
    // long script costs a few lines. `changed`: the listed texts changed, not only their lines.
    struct Splice {
        bool changed = false;
        int index = 0;     // the first entry replaced
        int removed = 0;   // entries taken out there
        int inserted = 0;  // entries put in there
    };
    Splice ReplaceLines(int first, int oldLast, const std::vector<std::u16string>& lines);

    // Builds the entries from a text that arrives in pieces (a file being read), from line 0.
    void BeginScan();
    void Scan(std::u16string_view piece);

    // Position of a line's entry, or -1.
    int IndexOfLine(int line) const;

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;  // sorted by line
    int m_scanLine = 0;
    bool m_scanAtLineStart = true, m_scanInLabel = false;
};

}  // namespace qm
