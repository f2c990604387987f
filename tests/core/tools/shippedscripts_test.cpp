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
            for (size_t i = 0; i < bytes.size(); ++i) {
                if (bytes[i] == '\n') {
                    EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << ": a line without CR LF";
                }
            }
            const std::string text = DecodeDocumentText(bytes);
            size_t from = 0;
            while (from < text.size()) {
                const size_t to = std::min(text.find('\n', from), text.size());
                const std::string line = text.substr(from, to - from);
                const auto unknown = testsupport::UnknownWords(line, c);
                EXPECT_TRUE(unknown.empty()) << name << ", edition " << edition << ": \"" << line
                                             << "\" has unknown words, first \"" << unknown.front() << "\"";
                from = to + 1;
            }
        }
    }
}
