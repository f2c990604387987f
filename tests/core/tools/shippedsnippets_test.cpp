#include <gmock/gmock.h>
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
            EXPECT_TRUE(qm::testsupport::AllLinesEndCrLf(bytes)) << name << ": a line without CR LF";
            std::string text;
            ASSERT_TRUE(store.Load(name, text)) << name;
            ASSERT_FALSE(text.empty()) << name;
            if (text[0] == '<' || text.starts_with("//")) continue;  // briefing and description snippets
            EXPECT_THAT(qm::testsupport::UnknownWordsByLine(text, c), ::testing::IsEmpty())
                << name << ", edition " << edition << ": lines with unknown words";
        }
    }
}
