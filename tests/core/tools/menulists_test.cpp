#include "core/tools/menulists.h"

#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/tools/projectslots.h"

using namespace qm;

namespace {
const std::string kSep(1, kPathSep);
}

TEST(RecentMenu, TrimmedNamesShowTheFileAfterDotsWithTheSeparator) {
    const std::vector<std::string> files = {"/missions/test.sqs", "/other/b.ext"};
    const auto trimmed = RecentMenuTexts(files, 6, true);
    ASSERT_EQ(trimmed.size(), 2u);
    EXPECT_EQ(trimmed[0].text, "1 ..." + kSep + "test.sqs");
    EXPECT_EQ(trimmed[1].text, "2 ..." + kSep + "b.ext");
    EXPECT_EQ(trimmed[1].index, 1);
    const auto full = RecentMenuTexts(files, 6, false);
    EXPECT_EQ(full[0].text, "1 /missions/test.sqs");
}

TEST(RecentMenu, TheCountLimitsTheEntriesAndEmptyOnesAreSkipped) {
    std::vector<std::string> files;
    for (int i = 0; i < 16; ++i) files.push_back("/m/f" + std::to_string(i) + ".sqs");
    EXPECT_TRUE(RecentMenuTexts(files, 0, true).empty());
    EXPECT_EQ(RecentMenuTexts(files, 3, true).size(), 3u);
    EXPECT_EQ(RecentMenuTexts(files, 16, true).back().text, "16 ..." + kSep + "f15.sqs");
    EXPECT_EQ(RecentMenuTexts(files, 99, true).size(), 16u);
    files[1].clear();
    const auto gap = RecentMenuTexts(files, 3, false);
    ASSERT_EQ(gap.size(), 2u);
    EXPECT_EQ(gap[1].text, "3 /m/f2.sqs");  // numbers follow the list, not the menu
    EXPECT_EQ(gap[1].index, 2);

    const auto standard = StandardRecentTexts(files, 4);
    ASSERT_EQ(standard.size(), 3u);
    EXPECT_EQ(standard[0], "&1 /m/f0.sqs");
    EXPECT_EQ(standard[2], "&4 /m/f3.sqs");
}

TEST(WindowMenu, NumbersCaptionsAndListsAtMostTwentyFour) {
    std::vector<std::string> captions;
    for (int i = 0; i < 25; ++i) captions.push_back("Script" + std::to_string(i + 1));
    const auto texts = WindowMenuTexts(captions);
    ASSERT_EQ(texts.size(), 24u);
    EXPECT_EQ(texts[0], "1 Script1");
    EXPECT_EQ(texts[23], "24 Script24");
}

TEST(ProjectSlots, TheFirstFreeSlotIsTakenAndSlotsEmptyOneByOne) {
    ProjectSlots slots;
    EXPECT_EQ(AddProjectFile(slots, "/a.sqs"), 0);
    EXPECT_EQ(AddProjectFile(slots, "/a.sqs"), 1);  // the same file again takes another slot
    EXPECT_EQ(AddProjectFile(slots, "/b.sqs"), 2);
    EXPECT_TRUE(RemoveProjectFile(slots, 1));
    EXPECT_EQ(slots[1], "");
    EXPECT_EQ(FirstFreeSlot(slots), 1);
    EXPECT_EQ(AddProjectFile(slots, "/c.sqs"), 1);
    EXPECT_EQ(AddProjectFile(slots, ""), -1);
    EXPECT_FALSE(RemoveProjectFile(slots, 16));
    EXPECT_FALSE(RemoveProjectFile(slots, -1));
    for (int i = 3; i < kProjectSlots; ++i) EXPECT_EQ(AddProjectFile(slots, "/x"), i);
    EXPECT_EQ(FirstFreeSlot(slots), -1);
    EXPECT_EQ(AddProjectFile(slots, "/full.sqs"), -1);
    ClearProjectFiles(slots);
    EXPECT_EQ(FirstFreeSlot(slots), 0);
    EXPECT_EQ(slots[15], "");
}
