#pragma once
#include <string>
#include <string_view>

#include "core/app/safefile.h"

namespace qm {

enum class LineEndMode { None, CrLf, Lf, Cr, Mixed };

// What loading met, so the caller can tell the user instead of failing silently.
struct TextLoadReport {
    FileResult result;
    LineEndMode lineEnds = LineEndMode::None;
    size_t lineCount = 0;
    size_t longestLine = 0;  // in bytes
    bool hasNul = false;     // a binary file, most likely
};

// Splits 8-bit text into UTF-8 lines joined by "\n": CR LF, LF and a lone CR each end a line.
std::string DecodeDocumentText(std::string_view bytes, TextLoadReport* report = nullptr);

// Joins "\n"-separated UTF-8 text into ANSI bytes with CR LF line ends.
std::string EncodeDocumentText(std::string_view text, size_t* unmappable = nullptr);

// Loads a document file as UTF-8 text with "\n" line breaks.
TextLoadReport LoadTextFile(const std::string& path, std::string& text);

struct TextSaveReport {
    FileResult result;
    size_t unmappable = 0;  // characters written as "?" because the code page has no byte for them
};

TextSaveReport SaveTextFile(const std::string& path, std::string_view text);

}  // namespace qm
