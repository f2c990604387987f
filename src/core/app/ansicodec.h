#pragma once
#include <string>
#include <string_view>

namespace qm {

// Windows-1252, made bijective: the five bytes the code page leaves undefined map to the
// C1 control characters of the same value, so every byte survives a decode and encode.

// ANSI bytes to UTF-8 text.
std::string AnsiToUtf8(std::string_view bytes);

// True when the character has a byte of its own (and is not saved as "?").
bool HasAnsiByte(char32_t c);

// UTF-8 text to ANSI bytes. A character without a byte becomes "?" and is counted.
std::string Utf8ToAnsi(std::string_view utf8, size_t* unmappable = nullptr);

}  // namespace qm
