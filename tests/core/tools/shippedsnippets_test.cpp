#include <gtest/gtest.h>

#include "core/app/catalogue.h"
#include "core/app/datapaths.h"
#include "core/app/safefile.h"
#include "core/tools/snippetstore.h"
#include "support/scriptwords.h"

using namespace qm;

using qm::testsupport::UnknownWords;

TEST(ShippedSnippets, EveryStarterSnippetLoadsAndItsScriptWordsAreKnownInBothEditions) {
    SnippetStore store(QM_SOURCE_DIR "/data/snippets/");
    const std::vector<std::string> names = store.List();
    ASSERT_GE(names.size(), 8u);
    for (int edition : {0, 1}) {
        Catalogue c;
        ASSERT_TRUE(qm::testsupport::LoadShippedCatalogue(c, edition));
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
