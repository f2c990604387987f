#include "core/views/lineedits.h"

#include <algorithm>

namespace qm {

namespace {
bool IsBlank(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) { return c == u' ' || c == u'\t'; });
}
}  // namespace

std::vector<std::u16string> ToggleRemark(const std::vector<std::u16string>& lines, std::u16string_view marker) {
    if (marker.empty()) return lines;
    bool allRemarked = false;
    for (const auto& line : lines) {
        if (IsBlank(line)) continue;
        allRemarked = line.starts_with(marker);
        if (!allRemarked) break;
    }
    std::vector<std::u16string> out;
    out.reserve(lines.size());
    for (const auto& line : lines) {
        if (IsBlank(line)) out.push_back(line);
        else if (allRemarked) out.push_back(line.substr(marker.size()));
        else out.push_back(std::u16string(marker) + line);
    }
    return out;
}

std::vector<std::u16string> IndentLines(const std::vector<std::u16string>& lines, bool outdent, int tabWidth) {
    std::vector<std::u16string> out;
    out.reserve(lines.size());
    const size_t spaces = static_cast<size_t>(std::max(1, tabWidth));
    for (const auto& line : lines) {
        if (!outdent) {
            out.push_back(IsBlank(line) ? line : u"\t" + line);
        } else if (line.starts_with(u'\t')) {
            out.push_back(line.substr(1));
        } else {
            const size_t lead = std::min(spaces, std::min(line.size(), line.find_first_not_of(u' ')));
            out.push_back(line.substr(lead));
        }
    }
    return out;
}

}  // namespace qm
