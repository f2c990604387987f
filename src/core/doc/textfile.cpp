#include "core/doc/textfile.h"

#ifndef _WIN32
#include <unistd.h>
#else
#include <io.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>

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

DocumentFileReader::~DocumentFileReader() {
    if (m_file) std::fclose(m_file);
}

FileResult DocumentFileReader::Open(const std::string& path) {
    m_path = path;
    m_result = CheckReadableFile(path);
    if (!m_result.ok) return m_result;
    // The limit as it stands now: what the editor takes while reading must not shrink it under the file.
    m_limit = ReadableFileLimit();
    const int fd = OpenReadableFile(path, m_limit, m_result, &m_size);
    if (fd < 0) return m_result;
    m_file = ::fdopen(fd, "rb");
    if (!m_file) {
        m_result = {false, "The file \"" + path + "\" cannot be read: " + std::strerror(errno) + "."};
        ::close(fd);
    }
    return m_result;
}

bool DocumentFileReader::Next(std::string& text, size_t bytes) {
    text.clear();
    if (!m_file || !m_result.ok) return false;
    std::string raw(bytes, '\0');
    raw.resize(std::fread(raw.data(), 1, raw.size(), m_file));
    if (!raw.empty() && raw.back() == '\r') {  // keep a CR LF pair in one piece
        const int c = std::fgetc(m_file);
        if (c == '\n') raw.push_back('\n');
        else if (c != EOF) std::ungetc(c, m_file);
    }
    const size_t got = raw.size();
    if (std::ferror(m_file)) {
        m_result = {false, "The file \"" + m_path + "\" could not be read completely."};
        return false;
    }
    m_read += got;
    if (m_read > m_limit) {  // it grew while being read
        m_result = {false, "The file \"" + m_path + "\" grew while it was read beyond " + FormatFileSize(m_limit) +
                               ", the largest file that can be edited on this computer."};
        return false;
    }
    if (got == 0) return false;
    text = DecodeDocumentText(raw);
    return true;
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

namespace {
// Where a buffer of UTF-8 may be cut without parting a character: before an unfinished one.
size_t WholeCharacters(std::string_view text) {
    size_t lead = text.size();
    while (lead > 0 && text.size() - lead < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return text.size();
    const auto b = static_cast<unsigned char>(text[lead - 1]);
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return lead - 1 + length > text.size() ? lead - 1 : text.size();
}
}  // namespace

TextSaveReport SaveTextFile(const std::string& path, const ByteSource& text) {
    TextSaveReport report;
    report.result = WriteFileAtomically(path, [&](const ByteSink& write) {
        report.unmappable = 0;  // a second pass counts afresh
        constexpr size_t kStretch = size_t{1} << 20;
        std::string pending;
        bool ok = true;
        const auto flush = [&](size_t upTo) {
            size_t unmappable = 0;
            ok = write(EncodeDocumentText(std::string_view(pending).substr(0, upTo), &unmappable));
            report.unmappable += unmappable;
            pending.erase(0, upTo);
        };
        const bool whole = text([&](std::string_view stretch) {
            pending.append(stretch);
            if (pending.size() >= kStretch) flush(WholeCharacters(pending));
            return ok;
        });
        if (whole && ok && !pending.empty()) flush(pending.size());
        return whole && ok;
    });
    return report;
}

}  // namespace qm
