#pragma once
#include <string>
#include <string_view>

namespace qm {

// Decodes the code point at pos and advances pos. A malformed sequence yields U+FFFD for one byte.
char32_t DecodeUtf8(std::string_view s, size_t& pos);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace qm
