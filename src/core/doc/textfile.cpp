#include "core/doc/textfile.h"

#include <algorithm>

#include "core/app/ansicodec.h"

namespace qm {

std::string DecodeDocumentText(std::string_view bytes, TextLoadReport* report) {
    std::string normalised;
    normalised.reserve(bytes.size());
    bool sawCrLf = false, sawLf = false, sawCr = false, nul = false;
    size_t lines = 1, lineLen = 0, longest = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') { ++i; sawCrLf = true; }
            else if (c == '\r') sawCr = true;
            else sawLf = true;
            normalised.push_back('\n');
            longest = std::max(longest, lineLen);
            lineLen = 0;
            ++lines;
            continue;
        }
        if (c == '\0') nul = true;
        normalised.push_back(c);
        ++lineLen;
    }
    if (report) {
        longest = std::max(longest, lineLen);
        int kinds = int(sawCrLf) + int(sawLf) + int(sawCr);
        report->lineEnds = kinds == 0 ? LineEndMode::None
                         : kinds > 1  ? LineEndMode::Mixed
                         : sawCrLf    ? LineEndMode::CrLf
                         : sawLf      ? LineEndMode::Lf
                                      : LineEndMode::Cr;
        report->lineCount = bytes.empty() ? 0 : lines;
        report->longestLine = longest;
        report->hasNul = nul;
    }
    return AnsiToUtf8(normalised);
}

std::string EncodeDocumentText(std::string_view text, size_t* unmappable) {
    std::string bytes = Utf8ToAnsi(text, unmappable);
    std::string out;
    out.reserve(bytes.size() + std::count(bytes.begin(), bytes.end(), '\n'));
    for (char c : bytes) {
        if (c == '\n') out += "\r\n";
        else out.push_back(c);
    }
    return out;
}

TextLoadReport LoadTextFile(const std::string& path, std::string& text) {
    TextLoadReport report;
    std::string bytes;
    report.result = ReadFileBytes(path, bytes);
    if (!report.result.ok) return report;
    text = DecodeDocumentText(bytes, &report);
    return report;
}

TextSaveReport SaveTextFile(const std::string& path, std::string_view text) {
    TextSaveReport report;
    std::string bytes = EncodeDocumentText(text, &report.unmappable);
    report.result = WriteFileAtomically(path, bytes);
    return report;
}

}  // namespace qm
