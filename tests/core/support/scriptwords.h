#pragma once
#include <string>
#include <utility>
#include <vector>

#include "core/app/catalogue.h"
#include "core/app/datapaths.h"
#include "core/views/colouring.h"

namespace qm::testsupport {

// Unquoted words of a script line that the colouring leaves in the text colour: names the
// catalogue does not know, most likely misspelt commands. For plain ASCII lines.
inline std::vector<std::string> UnknownWords(const std::string& line, const Catalogue& catalogue) {
    auto isLetter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    auto isWordChar = [&](char16_t c) { return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; };
    const std::u16string text(line.begin(), line.end());
    const std::vector<ColourRun> runs = ColourScriptLine(text, catalogue);
    auto roleAt = [&](int pos) {
        for (const ColourRun& r : runs)
            if (pos >= r.start && pos < r.start + r.length) return r.role;
        return ColourRole::Text;
    };
    std::vector<std::string> unknown;
    bool quoted = false;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == u'"') quoted = !quoted;
        if (quoted || !isLetter(text[i]) || (i > 0 && isWordChar(text[i - 1]))) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && isWordChar(text[end])) ++end;
        if (roleAt(static_cast<int>(i)) == ColourRole::Text) unknown.push_back(line.substr(i, end - i));
        i = end;
    }
    return unknown;
}

// Each line of a text that has words the catalogue does not know, with the first of them.
inline std::vector<std::pair<std::string, std::string>> UnknownWordsByLine(const std::string& text,
                                                                           const Catalogue& catalogue) {
    std::vector<std::pair<std::string, std::string>> found;
    for (size_t from = 0;;) {
        const size_t to = text.find('\n', from);
        const std::string line = text.substr(from, to == std::string::npos ? std::string::npos : to - from);
        const std::vector<std::string> unknown = UnknownWords(line, catalogue);
        if (!unknown.empty()) found.emplace_back(line, unknown.front());
        if (to == std::string::npos) return found;
        from = to + 1;
    }
}

// Shipped files are Windows text: every line feed follows a carriage return.
inline bool AllLinesEndCrLf(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    return true;
}

// The catalogue of the shipped data files of one edition (0 original, 1 resistance).
inline bool LoadShippedCatalogue(Catalogue& c, int edition) {
    AppFolders f{QM_SOURCE_DIR "/", edition, std::nullopt, "/tmp/", {}};
    auto path = [&](PathKind k) { return GetDataPath(k, f); };
    return c.LoadDataFiles(
        {path(PATH_COMMANDS), path(PATH_DATA), path(PATH_UNIT), path(PATH_SYNTAX), path(PATH_HEADER)});
}

}  // namespace qm::testsupport
