#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/safefile.h"
#include "core/doc/textfile.h"
#include "core/tools/quickscripts.h"
#include "support/scriptwords.h"

using namespace qm;

TEST(ShippedQuickScripts, EveryScriptHasCrLfLinesAndOnlyKnownWordsInBothEditions) {
    const std::vector<std::string> names = ListQuickScripts(QM_SOURCE_DIR "/data/scripts/");
    ASSERT_GE(names.size(), 2u);
    ASSERT_LE(names.size(), static_cast<size_t>(kMaxQuickScripts));
    for (int edition : {0, 1}) {
        Catalogue c;
        ASSERT_TRUE(testsupport::LoadShippedCatalogue(c, edition));
        for (const std::string& name : names) {
            EXPECT_TRUE(name.ends_with(".sqs")) << name;
            std::string bytes;
            ASSERT_TRUE(ReadFileBytes(QM_SOURCE_DIR "/data/scripts/" + name, bytes).ok) << name;
            EXPECT_TRUE(testsupport::AllLinesEndCrLf(bytes)) << name << ": a line without CR LF";
            EXPECT_THAT(testsupport::UnknownWordsByLine(DecodeDocumentText(bytes), c), ::testing::IsEmpty())
                << name << ", edition " << edition << ": lines with unknown words";
        }
    }
}
