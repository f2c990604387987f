#include "core/views/bracketmatch.h"

namespace qm {

namespace {
constexpr std::u16string_view kOpen = u"([{", kClose = u")]}";

// 1 for an opening bracket, -1 for a closing one, 0 otherwise; `kind` is its place in kOpen/kClose.
int Direction(char16_t c, size_t& kind) {
    if ((kind = kOpen.find(c)) != std::u16string_view::npos) return 1;
    if ((kind = kClose.find(c)) != std::u16string_view::npos) return -1;
    return 0;
}
}  // namespace

std::vector<bool> CodeColumns(std::u16string_view line, BracketRules rules) {
    std::vector<bool> code(line.size(), true);
    if (rules == BracketRules::Script && !line.empty() && line[0] == u';') return std::vector<bool>(line.size(), false);
    bool inQuote = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (!inQuote && rules == BracketRules::Description && c == u'/' && i + 1 < line.size() && line[i + 1] == u'/') {
            std::fill(code.begin() + static_cast<long>(i), code.end(), false);
            break;
        }
        if (c == u'"') {
            inQuote = !inQuote;
            code[i] = false;
            continue;
        }
        code[i] = !inQuote;
    }
    return code;
}

std::optional<BracketPair> MatchBracket(const std::function<std::u16string(int)>& lineText, int lineCount,
                                        TextPoint caret, BracketRules rules, int maxLines) {
    if (caret.line < 0 || caret.line >= lineCount) return std::nullopt;
    const std::u16string first = lineText(caret.line);
    const auto bracketAt = [&](int c) {
        size_t k;
        return c >= 0 && c < static_cast<int>(first.size()) && Direction(first[c], k) != 0;
    };
    // Most carets are at no bracket: nothing else is read then.
    if (!bracketAt(caret.column) && !bracketAt(caret.column - 1)) return std::nullopt;
    const std::vector<bool> firstCode = CodeColumns(first, rules);
    size_t kind = 0;
    int column = -1, direction = 0;
    for (int c : {caret.column, caret.column - 1}) {
        if (!bracketAt(c) || !firstCode[c]) continue;
        if ((direction = Direction(first[c], kind)) != 0) {
            column = c;
            break;
        }
    }
    if (column < 0) return std::nullopt;

    const char16_t same = direction > 0 ? kOpen[kind] : kClose[kind];
    const char16_t partner = direction > 0 ? kClose[kind] : kOpen[kind];
    int depth = 0;
    std::u16string text = first;
    std::vector<bool> code = firstCode;
    int col = column;
    for (int line = caret.line, scanned = 0; scanned <= maxLines;) {
        for (; col >= 0 && col < static_cast<int>(text.size()); col += direction) {
            if (!code[col]) continue;
            if (text[col] == same) ++depth;
            else if (text[col] == partner && --depth == 0) return BracketPair{{caret.line, column}, {line, col}};
        }
        line += direction;
        ++scanned;
        if (line < 0 || line >= lineCount) break;
        text = lineText(line);
        code = CodeColumns(text, rules);
        col = direction > 0 ? 0 : static_cast<int>(text.size()) - 1;
    }
    return std::nullopt;
}

}  // namespace qm
