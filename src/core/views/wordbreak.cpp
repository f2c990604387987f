#include "core/views/wordbreak.h"

namespace qm {

namespace {
enum class Kind { Space, Word, Punct };

Kind KindOf(char16_t c) {
    if (c == u' ' || c == u'\t') return Kind::Space;
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c >= 0xC0)
        return Kind::Word;
    return Kind::Punct;
}
}  // namespace

int WordStartAt(std::u16string_view line, int pos) {
    const int n = static_cast<int>(line.size());
    pos = std::clamp(pos, 0, n);
    int i = pos;
    if (i == n || KindOf(line[i]) == Kind::Space) {
        while (i > 0 && KindOf(line[i - 1]) == Kind::Space) --i;
        if (i == 0) return 0;
        --i;
    }
    const Kind k = KindOf(line[i]);
    while (i > 0 && KindOf(line[i - 1]) == k) --i;
    return i;
}

int NextWordStart(std::u16string_view line, int pos) {
    const int n = static_cast<int>(line.size());
    int i = std::clamp(pos, 0, n);
    if (i < n && KindOf(line[i]) != Kind::Space) {
        const Kind k = KindOf(line[i]);
        while (i < n && KindOf(line[i]) == k) ++i;
    }
    while (i < n && KindOf(line[i]) == Kind::Space) ++i;
    return i;
}

std::pair<int, int> DoubleClickSelection(std::u16string_view line, int pos, bool withUnderscore) {
    int a = WordStartAt(line, pos);
    int b = NextWordStart(line, pos);
    const int readFrom = withUnderscore ? std::max(a - 1, 0) : a;
    if (b <= readFrom) return {pos, pos};
    if (withUnderscore && line[readFrom] == u'_' && a > 0) a = a - 1;
    if (line[b - 1] == u' ') b = b - 1;
    return {a, b};
}

int DescriptionIndent(std::u16string_view lineAbove) {
    int n = 0;
    while (n < static_cast<int>(lineAbove.size()) && lineAbove[n] == u'\t') ++n;
    if (n < static_cast<int>(lineAbove.size()) && lineAbove[n] == u'{') ++n;
    return n;
}

}  // namespace qm
