#include "core/tools/lastsession.h"

#include <gtest/gtest.h>

#include "core/platform/memoryregistry.h"

using namespace qm;

TEST(LastSession, KeepsSavedFilesOnceInOrderWithTheirLines) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    EXPECT_TRUE(ReadLastSession(profile).empty());
    WriteLastSession(profile, {{"/m/b.sqs", 411}, {"", 3}, {"/m/a.ext", -2}, {"/m/b.sqs", 7}});
    const std::vector<SessionEntry> want = {{"/m/b.sqs", 411}, {"/m/a.ext", 0}};
    EXPECT_EQ(ReadLastSession(profile), want);

    // A shorter list leaves nothing of the longer one behind.
    WriteLastSession(profile, {{"/m/c.sqf", 1}});
    EXPECT_EQ(ReadLastSession(profile), (std::vector<SessionEntry>{{"/m/c.sqf", 1}}));
    EXPECT_EQ(profile.GetProfileString(kLastSessionSection, "File1", "gone"), "gone");
}

TEST(LastSession, DamagedEntriesReadAsLittleAsPossible) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    profile.WriteProfileInt(kLastSessionSection, "Count", 1000000);
    profile.WriteProfileString(kLastSessionSection, "File0", "/m/x.sqs");
    profile.WriteProfileInt(kLastSessionSection, "Line0", -5);
    EXPECT_EQ(ReadLastSession(profile), (std::vector<SessionEntry>{{"/m/x.sqs", 0}}));

    std::vector<SessionEntry> many;
    for (int i = 0; i < 100; ++i) many.push_back({"/m/" + std::to_string(i), i});
    WriteLastSession(profile, many);
    const auto read = ReadLastSession(profile);
    ASSERT_EQ(read.size(), static_cast<size_t>(kLastSessionLimit));
    EXPECT_EQ(read.back().path, "/m/63");
}
