#pragma once
#include <cstdint>
#include <cstdio>
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

// Reads a document file piece by piece, so that a large file is never held whole beside the
// editor's own copy, and its caller can show progress. Open checks the file first.
class DocumentFileReader {
public:
    DocumentFileReader() = default;
    DocumentFileReader(const DocumentFileReader&) = delete;
    DocumentFileReader& operator=(const DocumentFileReader&) = delete;
    ~DocumentFileReader();

    FileResult Open(const std::string& path);
    // The next piece of about `bytes` bytes as UTF-8 with "\n" line breaks (a CR LF pair is never
    // split). False at the end of the file or on a read error (then Result() says which).
    bool Next(std::string& text, size_t bytes = size_t{4} << 20);
    const FileResult& Result() const { return m_result; }
    std::uint64_t Size() const { return m_size; }
    std::uint64_t BytesRead() const { return m_read; }

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
    std::uint64_t m_size = 0, m_read = 0, m_limit = 0;
    FileResult m_result;
};

// Loads a document file as UTF-8 text with "\n" line breaks.
TextLoadReport LoadTextFile(const std::string& path, std::string& text);

struct TextSaveReport {
    FileResult result;
    size_t unmappable = 0;  // characters written as "?" because the code page has no byte for them
};

TextSaveReport SaveTextFile(const std::string& path, std::string_view text);
// The same for a text handed over in stretches (`text` calls its sink with each, in order, and
// may be called again): encoded and written a stretch at a time, never held whole, so saving a
// very large document takes little memory beside it. A stretch may end inside a character.
TextSaveReport SaveTextFile(const std::string& path, const ByteSource& text);

}  // namespace qm
