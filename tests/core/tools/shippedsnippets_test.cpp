#include <gtest/gtest.h>

#include "core/app/catalogue.h"
#include "core/app/datapaths.h"
#include "core/app/safefile.h"
#include "core/tools/snippetstore.h"
#include "core/views/colouring.h"

using namespace qm;

namespace {
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsWordChar(char16_t c) { return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; }

// Unquoted words of a script line that the colouring leaves in the text colour: names the
// catalogue does not know, most likely misspelt commands.
std::vector<std::string> UnknownWords(const std::string& line, const Catalogue& catalogue) {
    const std::u16string text(line.begin(), line.end());  // the snippets are plain ASCII
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
        if (quoted || !IsLetter(text[i]) || (i > 0 && IsWordChar(text[i - 1]))) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && IsWordChar(text[end])) ++end;
        if (roleAt(static_cast<int>(i)) == ColourRole::Text) unknown.push_back(line.substr(i, end - i));
        i = end;
    }
    return unknown;
}
}  // namespace

TEST(ShippedSnippets, EveryStarterSnippetLoadsAndItsScriptWordsAreKnownInBothEditions) {
    SnippetStore store(QM_SOURCE_DIR "/data/snippets/");
    const std::vector<std::string> names = store.List();
    ASSERT_GE(names.size(), 8u);
    for (int edition : {0, 1}) {
        AppFolders f{QM_SOURCE_DIR "/", edition, std::nullopt, "/tmp/", {}};
        auto path = [&](PathKind k) { return GetDataPath(k, f); };
        Catalogue c;
        ASSERT_TRUE(c.LoadDataFiles({path(PATH_COMMANDS), path(PATH_DATA), path(PATH_UNIT), path(PATH_SYNTAX),
                                     path(PATH_HEADER)}));
        ASSERT_EQ(UnknownWords("removeAllWeapon _unit", c), std::vector<std::string>{"removeAllWeapon"});
        for (const std::string& name : names) {
            std::string bytes;
            ASSERT_TRUE(ReadFileBytes(store.PathOf(name), bytes).ok) << name;
            for (size_t i = 0; i < bytes.size(); ++i) {
                const bool crlf = bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r');
                EXPECT_TRUE(crlf) << name << ": a line without CR LF";
            }
            std::string text;
            ASSERT_TRUE(store.Load(name, text)) << name;
            ASSERT_FALSE(text.empty()) << name;
            if (text[0] == '<' || text.starts_with("//")) continue;  // briefing and description snippets
            size_t from = 0;
            while (from <= text.size()) {
                const size_t to = std::min(text.find('\n', from), text.size());
                const std::string line = text.substr(from, to - from);
                EXPECT_TRUE(UnknownWords(line, c).empty())
                    << name << ", edition " << edition << ": \"" << line << "\" has unknown words, first \""
                    << UnknownWords(line, c).front() << "\"";
                from = to + 1;
            }
        }
    }
}
