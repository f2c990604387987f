#include "core/app/ansicodec.h"

#include <array>
#include <unordered_map>

#include "core/app/utf8.h"

namespace qm {

namespace {
// 0x80..0x9F; undefined positions keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : b;
}

const std::unordered_map<char32_t, unsigned char>& ReverseHigh() {
    static const auto* map = [] {
        auto* m = new std::unordered_map<char32_t, unsigned char>;
        for (int i = 0; i < 32; ++i) (*m)[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return m;
    }();
    return *map;
}
}  // namespace

std::string AnsiToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x80) out.push_back(ch);
        else AppendUtf8(out, ByteToCodePoint(b));
    }
    return out;
}

bool HasAnsiByte(char32_t c) { return c < 0x80 || (c >= 0xA0 && c <= 0xFF) || ReverseHigh().count(c) > 0; }

std::string Utf8ToAnsi(std::string_view utf8, size_t* unmappable) {
    std::string out;
    out.reserve(utf8.size());
    size_t bad = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) { out.push_back(static_cast<char>(b)); ++i; continue; }
        char32_t c = DecodeUtf8(utf8, i);
        if (c >= 0xA0 && c <= 0xFF) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        auto it = ReverseHigh().find(c);
        if (it != ReverseHigh().end()) {
            out.push_back(static_cast<char>(it->second));
        } else {
            out.push_back('?');
            ++bad;
        }
    }
    if (unmappable) *unmappable = bad;
    return out;
}

}  // namespace qm
