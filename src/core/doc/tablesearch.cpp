#include "core/doc/tablesearch.h"

#include <algorithm>


namespace qm {

namespace {
constexpr size_t kStretch = size_t{1} << 20;
constexpr size_t npos = std::string::npos;

// The code point of the UTF-8 character at `at` (or 0 for a stray byte).
char32_t Decode(const std::string& s, size_t at) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(i < s.size() ? s[i] : 0); };
    const unsigned char lead = b(at);
    if (lead < 0x80) return lead;
    if ((lead & 0xE0) == 0xC0) return char32_t(lead & 0x1F) << 6 | (b(at + 1) & 0x3F);
    if ((lead & 0xF0) == 0xE0) return char32_t(lead & 0x0F) << 12 | char32_t(b(at + 1) & 0x3F) << 6 | (b(at + 2) & 0x3F);
    if ((lead & 0xF8) == 0xF0)
        return char32_t(lead & 0x07) << 18 | char32_t(b(at + 1) & 0x3F) << 12 | char32_t(b(at + 2) & 0x3F) << 6 |
               (b(at + 3) & 0x3F);
    return 0;
}

// Letters and digits as the editor's whole-word search counts them, for the characters a
// Windows-1252 file can hold; beyond those, the alphabets count as letters and the punctuation
// and symbols from U+2000 on do not.
bool IsLetterOrNumber(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA || c == 0xB2 || c == 0xB3 || c == 0xB9 || (c >= 0xBC && c <= 0xBE);
    if (c < 0x100) return c != 0xD7 && c != 0xF7;
    return c < 0x2000;
}

bool IsWordNeighbour(const PieceTable& table, size_t start, size_t end) {
    if (start > 0) {
        const size_t from = start >= 4 ? start - 4 : 0;
        const std::string before = table.Text(from, start - from);
        size_t lead = before.size() - 1;
        while (lead > 0 && (static_cast<unsigned char>(before[lead]) & 0xC0) == 0x80) --lead;
        if (IsLetterOrNumber(Decode(before, lead))) return true;
    }
    if (end < table.Size() && IsLetterOrNumber(Decode(table.Text(end, 4), 0))) return true;
    return false;
}

// Lower case as FoldCase gives it, changed in place byte by byte: every folded character keeps its
// length, so offsets in a folded stretch are the text's, and a character cut at a stretch's edge
// is left as it is.
std::string Comparable(std::string text, bool matchCase) {
    if (matchCase) return text;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char& b = reinterpret_cast<unsigned char&>(text[i]);
        if (b >= 'A' && b <= 'Z') {
            b = static_cast<unsigned char>(b + 32);
            continue;
        }
        if ((b != 0xC3 && b != 0xC5) || i + 1 == text.size()) continue;
        unsigned char& c = reinterpret_cast<unsigned char&>(text[i + 1]);
        if (b == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97) c = static_cast<unsigned char>(c + 0x20);
        else if (b == 0xC5 && (c == 0xA0 || c == 0x92 || c == 0xBD)) c = static_cast<unsigned char>(c + 1);
        else if (b == 0xC5 && c == 0xB8) b = 0xC3, c = 0xBF;  // Y diaeresis
        ++i;
    }
    return text;
}
}  // namespace

bool IsMatchAt(const PieceTable& table, const TableSearch& search, size_t offset, size_t length) {
    if (search.what.empty() || length != search.what.size() || offset + length > table.Size()) return false;
    return Comparable(table.Text(offset, length), search.matchCase) == Comparable(search.what, search.matchCase) &&
           !(search.wholeWord && IsWordNeighbour(table, offset, offset + length));
}

size_t FindInTable(const PieceTable& table, const TableSearch& search, size_t from, bool backward) {
    const std::string what = Comparable(search.what, search.matchCase);
    const size_t n = what.size(), size = table.Size();
    if (n == 0 || n > size) return npos;
    const auto counts = [&](size_t at) { return !search.wholeWord || !IsWordNeighbour(table, at, at + n); };
    if (!backward) {
        for (size_t at = std::min(from, size); at + n <= size; at += kStretch) {
            // Each stretch reaches n - 1 bytes into the next, so a match across the cut is seen.
            const std::string text = Comparable(table.Text(at, kStretch + n - 1), search.matchCase);
            for (size_t hit = text.find(what); hit != npos; hit = text.find(what, hit + 1)) {
                if (hit >= kStretch) break;  // the next stretch's own
                if (counts(at + hit)) return at + hit;
            }
        }
        return npos;
    }
    // Backward: the last start before `from`, stretch by stretch towards the beginning.
    size_t end = std::min(from, size);  // starts are below this
    while (end > 0) {
        const size_t begin = end > kStretch ? end - kStretch : 0;
        const std::string text = Comparable(table.Text(begin, end - begin + n - 1), search.matchCase);
        for (size_t hit = text.rfind(what, end - begin - 1); hit != npos; hit = hit ? text.rfind(what, hit - 1) : npos)
            if (counts(begin + hit)) return begin + hit;
        end = begin;
    }
    return npos;
}

}  // namespace qm
