#pragma once
#include <string>
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

// The catalogue of the shipped data files of one edition (0 original, 1 resistance).
inline bool LoadShippedCatalogue(Catalogue& c, int edition) {
    AppFolders f{QM_SOURCE_DIR "/", edition, std::nullopt, "/tmp/", {}};
    auto path = [&](PathKind k) { return GetDataPath(k, f); };
    return c.LoadDataFiles(
        {path(PATH_COMMANDS), path(PATH_DATA), path(PATH_UNIT), path(PATH_SYNTAX), path(PATH_HEADER)});
}

}  // namespace qm::testsupport
