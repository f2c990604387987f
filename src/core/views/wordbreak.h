#pragma once
#include <algorithm>
#include <string_view>
#include <utility>

namespace qm {

// The editor's word-wise caret steps within one line. Letters and digits make words;
// "_" and other punctuation make words of their own kind; spaces and tabs separate them.

// The start of the word at pos (or, from a space, of the word before it).
int WordStartAt(std::u16string_view line, int pos);
// From pos past the rest of its word and the spaces after it: the start of the next word.
int NextWordStart(std::u16string_view line, int pos);

// The selection a double-click at pos makes. withUnderscore: a "_" right before the word is
// taken with it (script and description views). One trailing space is left out.
std::pair<int, int> DoubleClickSelection(std::u16string_view line, int pos, bool withUnderscore);

// How many tabs Enter puts at the start of a new line in a description: the tabs leading the
// line above, one more when "{" follows them. Spaces do not count.
int DescriptionIndent(std::u16string_view lineAbove);

// A label line: not empty and "#" as its first character.
inline bool IsLabelLine(std::u16string_view line) { return !line.empty() && line[0] == u'#'; }

}  // namespace qm
