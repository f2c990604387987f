#include "core/views/scriptcontext.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// An array being read: the word right before its "[" and the commas met at its own level.
struct OpenArray {
    std::u16string owner;
    int commas = 0;
};
}  // namespace

std::u16string FoldAscii(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return out;
}

int NameEnd(std::u16string_view line, int column) {
    int end = std::clamp(column, 0, static_cast<int>(line.size()));
    while (end < static_cast<int>(line.size()) && IsScriptNameChar(line[end])) ++end;
    return end;
}

ScriptContext ContextAt(std::u16string_view line, int column) {
    ScriptContext context;
    const int n = static_cast<int>(line.size());
    column = std::clamp(column, 0, n);
    if (n > 0 && line[0] == u'#') {
        context.place = ScriptContext::Place::Label;
        return context;
    }
    const auto firstText = std::find_if_not(line.begin(), line.end(), IsBlank);
    if (firstText != line.end() && *firstText == u';') {
        context.place = ScriptContext::Place::Remark;
        return context;
    }

    // The tokens before the column, read forward: only the last one and the open arrays matter.
    enum class Last { None, Word, OpenBracket, Comma, Other } last = Last::None;
    std::u16string lastWord;
    std::vector<OpenArray> arrays;
    int i = 0;
    while (i < column) {
        const char16_t c = line[i];
        if (IsBlank(c)) {
            ++i;
        } else if (IsScriptNameChar(c)) {
            const int start = i;
            while (i < n && IsScriptNameChar(line[i])) ++i;
            if (i > column) break;  // the caret is inside this name
            lastWord.assign(line.substr(start, i - start));
            last = Last::Word;
        } else if (c == u'"') {
            const int open = i++;
            bool closed = false;
            while (i < column) {
                if (line[i] == u'"') {
                    if (i + 1 < column && line[i + 1] == u'"') {  // "" is one quote inside the string
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                ++i;
            }
            if (!closed) {
                context.place = ScriptContext::Place::String;
                context.stringStart = open;
                if (last == Last::Word) {
                    context.owner = lastWord;
                } else if ((last == Last::OpenBracket || last == Last::Comma) && !arrays.empty()) {
                    context.owner = arrays.back().owner;
                    context.inArray = true;
                    context.element = arrays.back().commas;
                }
                return context;
            }
            last = Last::Other;
        } else if (c == u'[') {
            arrays.push_back({last == Last::Word ? lastWord : std::u16string(), 0});
            last = Last::OpenBracket;
            ++i;
        } else if (c == u']') {
            if (!arrays.empty()) arrays.pop_back();
            last = Last::Other;
            ++i;
        } else if (c == u',') {
            if (!arrays.empty()) ++arrays.back().commas;
            last = Last::Comma;
            ++i;
        } else {
            last = Last::Other;
            ++i;
        }
    }
    int start = column;
    while (start > 0 && IsScriptNameChar(line[start - 1])) --start;
    context.nameStart = start;
    return context;
}

}  // namespace qm
