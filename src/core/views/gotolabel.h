#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/views/labelindex.h"

namespace qm {

// The name a label line defines: what follows its "#" up to the first space, tab or ";".
std::u16string_view LabelName(std::u16string_view labelLine);

// The line of the label `goto "name"` reaches: the first label line whose name equals it,
// letter case ignored (a label defined again further down is never reached); -1 when none does.
int FindLabelLine(const std::vector<LabelIndex::Entry>& labels, std::u16string_view name);

// The label named by a `goto "name"` of the line when `column` lies on it, from the start of
// "goto" to just after the closing quote (or the line's end when the string is not closed).
std::optional<std::u16string> GotoTargetAt(std::u16string_view line, int column);

}  // namespace qm
