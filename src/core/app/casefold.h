#pragma once
#include <string>
#include <string_view>

namespace qm {

// Lower-cases UTF-8 text the way the ANSI code page does: ASCII letters and the
// Western European capitals of Windows-1252. Other characters pass unchanged.
std::string FoldCase(std::string_view utf8);

// True for the characters of a name or word: ASCII letters, digits and "_".
inline bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace qm
