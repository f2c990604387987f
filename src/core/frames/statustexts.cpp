#include "core/frames/statustexts.h"

namespace qm {

std::string LineIndicatorText(const SelectionSpan& s) {
    if (s.startLine == s.endLine) return "Ln: " + std::to_string(s.startLine + 1);
    return "Ln: " + std::to_string(s.startLine + 1) + "-" + std::to_string(s.endLine + 1);
}

std::string ColumnIndicatorText(const SelectionSpan& s) {
    if (s.startLine == s.endLine && s.startColumn == s.endColumn) return "Ch: " + std::to_string(s.startColumn + 1);
    return "Ch: " + std::to_string(s.startColumn + 1) + "-" + std::to_string(s.endColumn);
}

std::string EditionIndicatorText(int expansionEdition) { return expansionEdition == 1 ? "RESISTANCE" : ""; }

}  // namespace qm
