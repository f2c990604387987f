#pragma once
#include <string>
#include <vector>

namespace qm {

// Whole-line edits of a block of lines. Each takes the lines as they are and returns them as
// they become; the view puts the result back as one edit.

// Remarks every line with `marker` at its start, or, when every line that is not blank already
// starts with it, takes it off each. Blank lines are left as they are, so remarking a block and
// taking the remarks off again gives the same text back.
std::vector<std::u16string> ToggleRemark(const std::vector<std::u16string>& lines, std::u16string_view marker);

// One level of indent more (a tab in front of every line that is not blank) or less (a leading
// tab, or up to `tabWidth` leading spaces, taken off each line that has them).
std::vector<std::u16string> IndentLines(const std::vector<std::u16string>& lines, bool outdent, int tabWidth);

}  // namespace qm
