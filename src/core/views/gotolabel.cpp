#include "core/views/gotolabel.h"

#include "core/views/scriptcontext.h"

namespace qm {

std::u16string_view LabelName(std::u16string_view labelLine) {
    if (labelLine.empty() || labelLine[0] != u'#') return {};
    const std::u16string_view rest = labelLine.substr(1);
    const size_t end = rest.find_first_of(u" \t;");
    return end == std::u16string_view::npos ? rest : rest.substr(0, end);
}

int FindLabelLine(const std::vector<LabelIndex::Entry>& labels, std::u16string_view name) {
    if (name.empty()) return -1;
    const std::u16string wanted = FoldAscii(name);
    for (const LabelIndex::Entry& e : labels)
        if (FoldAscii(LabelName(e.text)) == wanted) return e.line;
    return -1;
}

std::optional<std::u16string> GotoTargetAt(std::u16string_view line, int column) {
    const int n = static_cast<int>(line.size());
    const ScriptContext lineContext = ContextAt(line, 0);
    if (lineContext.place != ScriptContext::Place::Code) return std::nullopt;
    // Walk the line's names and strings; a "goto" outside strings followed by a string is a jump.
    int i = 0;
    while (i < n) {
        const char16_t c = line[i];
        if (c == u'"') {
            for (++i; i < n; ++i) {
                if (line[i] != u'"') continue;
                if (i + 1 < n && line[i + 1] == u'"') {  // "" is one quote inside the string
                    ++i;
                    continue;
                }
                break;
            }
            ++i;  // past the closing quote
            continue;
        }
        if (!IsScriptNameChar(c)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < n && IsScriptNameChar(line[i])) ++i;
        if (FoldAscii(line.substr(start, i - start)) != u"goto") continue;
        int open = i;
        while (open < n && (line[open] == u' ' || line[open] == u'\t')) ++open;
        if (open >= n || line[open] != u'"') continue;
        std::u16string name;
        int j = open + 1;
        for (; j < n; ++j) {
            if (line[j] != u'"') {
                name.push_back(line[j]);
            } else if (j + 1 < n && line[j + 1] == u'"') {
                name.push_back(u'"');
                ++j;
            } else {
                break;
            }
        }
        const int end = j < n ? j + 1 : n;  // after the closing quote
        if (column >= start && column <= end) return name;
        i = end;
    }
    return std::nullopt;
}

}  // namespace qm
