#pragma once
#include <cstddef>
#include <string>

#include "core/doc/piecetable.h"

namespace qm {

// What Find looks for in a very large text, as the editor's Find does: letter case ignored unless
// asked for (the letters of the ANSI code page), and with whole words only, a match whose neighbours
// are letters or digits does not count.
struct TableSearch {
    std::string what;  // UTF-8
    bool matchCase = false;
    bool wholeWord = false;
};

// The offset of the first match starting at or after `from`, or, searching backward, of the last
// match starting before `from`; npos when there is none that way. The text is read a stretch at a
// time, so a search costs no copy of the text.
size_t FindInTable(const PieceTable& table, const TableSearch& search, size_t from, bool backward);

// Whether `length` bytes at `offset` are the search's text (a selection Replace may replace).
bool IsMatchAt(const PieceTable& table, const TableSearch& search, size_t offset, size_t length);

}  // namespace qm
