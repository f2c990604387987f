#pragma once
#include <string>

namespace qm {

// A selection as lines and columns, all counted from 0; start and end are equal without a selection.
struct SelectionSpan {
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
};

// "Ln: 5" for one line, "Ln: 2-4" for a selection over several.
std::string LineIndicatorText(const SelectionSpan& s);
// "Ch: 3" at a caret; "Ch: 3-7" for a selection: the start column counted from 1, the end column as it is,
// so within one line these are the first and last selected characters.
std::string ColumnIndicatorText(const SelectionSpan& s);
// "RESISTANCE" for the expansion edition, empty for the base game.
std::string EditionIndicatorText(int expansionEdition);

}  // namespace qm
