#include "core/app/casefold.h"

#include "core/app/utf8.h"

namespace qm {

namespace {
char32_t FoldCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0x80) return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x0160: return 0x0161;  // S caron
        case 0x0152: return 0x0153;  // OE
        case 0x017D: return 0x017E;  // Z caron
        case 0x0178: return 0x00FF;  // Y diaeresis
        default: return c;
    }
}
}  // namespace

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {  // fast path: most text is ASCII
            out.push_back(b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : static_cast<char>(b));
            ++i;
            continue;
        }
        AppendUtf8(out, FoldCodePoint(DecodeUtf8(utf8, i)));
    }
    return out;
}

}  // namespace qm
