#include "core/platform/memoryregistry.h"

#include <gtest/gtest.h>

#include "core/app/recentfiles.h"

using namespace qm;

TEST(MemoryRegistry, TypedValuesWithDefaultsAndCaseInsensitiveNames) {
    MemoryRegistry r;
    EXPECT_EQ(r.GetInt(Hive::CurrentUser, "Software\\A", "X", 5), 5);
    r.WriteInt(Hive::CurrentUser, "Software\\A", "X", 7);
    EXPECT_EQ(r.GetInt(Hive::CurrentUser, "software\\a\\", "x", 5), 7);
    // A string does not read as a DWORD, nor the other way round.
    r.WriteString(Hive::CurrentUser, "Software\\A", "S", "12");
    EXPECT_EQ(r.GetInt(Hive::CurrentUser, "Software\\A", "S", -1), -1);
    EXPECT_EQ(r.GetString(Hive::CurrentUser, "Software\\A", "X", "d"), "d");
    // Hives are separate.
    EXPECT_FALSE(r.ReadInt(Hive::LocalMachine, "Software\\A", "X"));
}

TEST(MemoryRegistry, DeletesValuesAndKeyTrees) {
    MemoryRegistry r;
    r.WriteString(Hive::ClassesRoot, ".sqs", "", "VarnholtScript.Document");
    r.WriteString(Hive::ClassesRoot, "VarnholtScript.Document\\shell\\open\\command", "", "q \"%1\"");
    r.WriteString(Hive::ClassesRoot, "VarnholtScript.DocumentX", "", "keep");
    EXPECT_TRUE(r.KeyExists(Hive::ClassesRoot, "VarnholtScript.Document"));
    EXPECT_TRUE(r.DeleteKeyTree(Hive::ClassesRoot, "VarnholtScript.Document"));
    EXPECT_FALSE(r.KeyExists(Hive::ClassesRoot, "VarnholtScript.Document"));
    EXPECT_TRUE(r.KeyExists(Hive::ClassesRoot, "VarnholtScript.DocumentX"));
    EXPECT_TRUE(r.DeleteValue(Hive::ClassesRoot, ".sqs", ""));
    EXPECT_FALSE(r.DeleteValue(Hive::ClassesRoot, ".sqs", ""));
}

TEST(RecentFiles, CapacityBoundsTheListAndNewestComesFirst) {
    MemoryRegistry r;
    AppProfile p(r);
    RecentFileList four(4);
    for (int i = 0; i < 6; ++i) four.Add("/m/" + std::to_string(i) + ".sqs");
    four.Add("/m/3.sqs");
    EXPECT_EQ(four.Files(), (std::vector<std::string>{"/m/3.sqs", "/m/5.sqs", "/m/4.sqs", "/m/2.sqs"}));
    four.WriteList(p);
    EXPECT_EQ(p.GetProfileString(kRecentFileSection, "File1"), "/m/3.sqs");

    RecentFileList sixteen(16);
    sixteen.ReadList(p);
    EXPECT_EQ(sixteen.Size(), 4u);
    sixteen.Remove(0);
    sixteen.WriteList(p);
    EXPECT_EQ(p.GetProfileString(kRecentFileSection, "File1"), "/m/5.sqs");
    EXPECT_EQ(p.GetProfileString(kRecentFileSection, "File4", "none"), "none");
}
