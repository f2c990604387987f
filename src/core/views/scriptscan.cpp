#include "core/views/scriptscan.h"

#include "core/app/utf8.h"

namespace qm {

namespace {
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f' || c == u'\v'; }

int FirstNonBlank(std::u16string_view line) {
    int i = 0;
    while (i < static_cast<int>(line.size()) && IsBlank(line[i])) ++i;
    return i;
}

// From `from` (just inside a string) to its closing quote: the position after it, or -1 when
// the line ends first. A doubled quote is one quote of the string.
int StringEnd(std::u16string_view line, int from) {
    const int n = static_cast<int>(line.size());
    for (int i = from; i < n; ++i) {
        if (line[i] != u'"') continue;
        if (i + 1 < n && line[i + 1] == u'"') {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}
}  // namespace

std::vector<ScriptToken> ScanScriptLine(std::u16string_view line, int lineNumber, ScriptKind kind, ScanState& state) {
    std::vector<ScriptToken> tokens;
    const int n = static_cast<int>(line.size());
    auto add = [&](ScriptToken::Kind k, int from, int to, bool open = false, bool continued = false) {
        tokens.push_back({k, lineNumber, from, to - from, open, continued});
    };
    int i = 0;
    if (kind == ScriptKind::Script) {
        state = {};  // a script's strings never run past their line
        const int first = FirstNonBlank(line);
        if (first < n && line[first] == u';') {
            add(ScriptToken::Remark, first, n);
            return tokens;
        }
        if (first < n && line[first] == u'#') {
            add(ScriptToken::Label, first, n);
            return tokens;
        }
    } else {
        const auto directive = [&](int from) {
            add(ScriptToken::Directive, from, n);
            int end = n;
            while (end > from && IsBlank(line[end - 1])) --end;
            state.inDirective = end > from && line[end - 1] == u'\\';
            return tokens;
        };
        if (state.inDirective) return directive(0);
        if (state.inString) {
            const int end = StringEnd(line, 0);
            if (end < 0) {
                add(ScriptToken::String, 0, n, true, true);
                return tokens;
            }
            add(ScriptToken::String, 0, end, false, true);
            state.inString = false;
            i = end;
        } else if (state.inRemark) {
            const size_t close = line.find(u"*/");
            if (close == std::u16string_view::npos) {
                add(ScriptToken::Remark, 0, n, true, true);
                return tokens;
            }
            add(ScriptToken::Remark, 0, static_cast<int>(close) + 2, false, true);
            state.inRemark = false;
            i = static_cast<int>(close) + 2;
        } else {
            const int first = FirstNonBlank(line);
            if (first < n && line[first] == u'#') return directive(first);
        }
    }
    while (i < n) {
        const char16_t c = line[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == u'"') {
            const int end = StringEnd(line, i + 1);
            if (end < 0) {
                add(ScriptToken::String, i, n, true);
                if (kind == ScriptKind::Function) state.inString = true;
                return tokens;
            }
            add(ScriptToken::String, i, end);
            i = end;
            continue;
        }
        if (kind == ScriptKind::Function && c == u'/' && i + 1 < n && (line[i + 1] == u'/' || line[i + 1] == u'*')) {
            if (line[i + 1] == u'/') {
                add(ScriptToken::Remark, i, n);
                return tokens;
            }
            const size_t close = line.find(u"*/", static_cast<size_t>(i) + 2);
            if (close == std::u16string_view::npos) {
                add(ScriptToken::Remark, i, n, true);
                state.inRemark = true;
                return tokens;
            }
            add(ScriptToken::Remark, i, static_cast<int>(close) + 2);
            i = static_cast<int>(close) + 2;
            continue;
        }
        if (IsScriptNameChar(c)) {
            int end = i + 1;
            while (end < n && IsScriptNameChar(line[end])) ++end;
            add(ScriptToken::Word, i, end);
            i = end;
            continue;
        }
        add(ScriptToken::Symbol, i, i + 1);
        ++i;
    }
    return tokens;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find(u'\n', start);
        size_t end = lf == std::u16string_view::npos ? text.size() : lf;
        const size_t stop = end;
        if (end > start && text[end - 1] == u'\r') --end;
        lines.push_back(text.substr(start, end - start));
        if (lf == std::u16string_view::npos) break;
        start = stop + 1;
    }
    return lines;
}

std::u16string StringTokenText(std::u16string_view line, const ScriptToken& token) {
    std::u16string out;
    int from = token.column + (token.continued ? 0 : 1);
    int to = token.column + token.length - (token.open ? 0 : 1);
    for (int i = from; i < to; ++i) {
        out.push_back(line[i]);
        if (line[i] == u'"' && i + 1 < to && line[i + 1] == u'"') ++i;
    }
    return out;
}

std::string Utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c < 0x80) out.push_back(static_cast<char>(c));
        else AppendUtf8(out, c);
    }
    return out;
}

}  // namespace qm
