#include "core/tools/quickscripts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/tools/toolfiles.h"
#include "support/tempdir.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
bool HasWriteBits(const std::string& path) {
    constexpr auto w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (fs::status(path).permissions() & w) != fs::perms::none;
}
}  // namespace

TEST(QuickScripts, ListsOnlyFilesSortedAndAtMostEleven) {
    TempDir t;
    for (const char* n : {"b.sqs", "A.sqs", "c.txt", "d.sqf", "e", "f", "g", "h", "i", "j", "k", "l", "m"})
        t.Write(std::string("scripts/") + n, "x");
    fs::create_directories(t.Path("scripts/folder"));
    const auto names = ListQuickScripts(t.Path("scripts"));
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[0], "A.sqs");
    EXPECT_EQ(names[1], "b.sqs");
    EXPECT_EQ(names[10], "k");
    EXPECT_EQ(AllQuickScriptFiles(t.Path("scripts")).size(), 13u);  // the remove list shows them all
    EXPECT_TRUE(ListQuickScripts(t.Path("missing")).empty());
}

TEST(QuickScripts, ACopyIsReadOnlyAndASecondCopyIsRefused) {
    TempDir t;
    const std::string src = t.Write("mission/init.sqs", "hint \"a\"\r\n");
    ASSERT_TRUE(AddQuickScriptCopy(src, t.Path("scripts")).ok);  // the folder is made
    const std::string copy = t.Path("scripts/init.sqs");
    EXPECT_EQ(TempDir::Read(copy), "hint \"a\"\r\n");
    EXPECT_FALSE(HasWriteBits(copy));
    EXPECT_TRUE(IsReadOnlyFile(copy));

    t.Write("mission/init.sqs", "changed");
    EXPECT_FALSE(AddQuickScriptCopy(src, t.Path("scripts")).ok);
    EXPECT_EQ(TempDir::Read(copy), "hint \"a\"\r\n");
    EXPECT_FALSE(AddQuickScriptCopy(t.Path("mission/none.sqs"), t.Path("scripts")).ok);
}

TEST(QuickScripts, WritingTheActiveFileRefusesAReadOnlyScriptEvenForTheSuperuser) {
    TempDir t;
    ASSERT_TRUE(WriteQuickScript("/home/me/missions/start.sqs", "a\nb", t.Path("scripts")).ok);
    const std::string path = t.Path("scripts/start.sqs");
    EXPECT_EQ(TempDir::Read(path), "a\r\nb");
    EXPECT_FALSE(HasWriteBits(path));

    const FileResult again = WriteQuickScript("/elsewhere/start.sqs", "other", t.Path("scripts"));
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(TempDir::Read(path), "a\r\nb");

    // A writable file of the name is replaced and then made read-only.
    t.Write("scripts/plain.sqs", "old");
    ASSERT_TRUE(WriteQuickScript("plain.sqs", "new", t.Path("scripts")).ok);
    EXPECT_EQ(TempDir::Read(t.Path("scripts/plain.sqs")), "new");
    EXPECT_FALSE(HasWriteBits(t.Path("scripts/plain.sqs")));

    EXPECT_FALSE(WriteQuickScript("/home/me/", "x", t.Path("scripts")).ok);  // no file name
}

TEST(QuickScripts, AnUnwritableOrImpossibleFolderRefusesNewScripts) {
    TempDir t;
    const std::string src = t.Write("init.sqs", "x");
    fs::create_directories(t.Path("locked"));
    fs::permissions(t.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(AddQuickScriptCopy(src, t.Path("locked")).ok);
    EXPECT_FALSE(WriteQuickScript(src, "x", t.Path("locked")).ok);
    EXPECT_FALSE(fs::exists(t.Path("locked/init.sqs")));
    // A folder that cannot be made: its parent is a file.
    EXPECT_FALSE(AddQuickScriptCopy(src, t.Path("init.sqs/scripts")).ok);
}

TEST(QuickScripts, RemovingClearsReadOnlyThenDeletes) {
    TempDir t;
    ASSERT_TRUE(WriteQuickScript("a.sqs", "x", t.Path("scripts")).ok);
    EXPECT_TRUE(RemoveQuickScript(t.Path("scripts"), "a.sqs"));
    EXPECT_FALSE(fs::exists(t.Path("scripts/a.sqs")));
    EXPECT_FALSE(RemoveQuickScript(t.Path("scripts"), "a.sqs"));
    EXPECT_FALSE(RemoveQuickScript(t.Path("scripts"), "../scripts"));

    ASSERT_TRUE(WriteQuickScript("b.sqs", "x", t.Path("scripts")).ok);
    fs::permissions(t.Path("scripts"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(RemoveQuickScript(t.Path("scripts"), "b.sqs"));
    EXPECT_TRUE(fs::exists(t.Path("scripts/b.sqs")));
}

TEST(ToolFiles, PathPartsAndCopyRules) {
    EXPECT_EQ(FolderOf("/a/b/c.sqs"), "/a/b");
    EXPECT_EQ(FolderOf("/a/b/"), "/a");
    EXPECT_EQ(FolderOf("/c.sqs"), "/");
    EXPECT_EQ(FolderOf("c.sqs"), ".");

    TempDir t;
    const std::string src = t.Write("a.txt", "one");
    const std::string dst = t.Write("b.txt", "two");
    EXPECT_FALSE(CopyFileTo(src, dst, false).ok);
    EXPECT_EQ(TempDir::Read(dst), "two");
    ASSERT_TRUE(CopyFileTo(src, dst, true).ok);
    EXPECT_EQ(TempDir::Read(dst), "one");
    ASSERT_TRUE(SetReadOnly(dst, true));
    EXPECT_FALSE(CopyFileTo(t.Write("c.txt", "three"), dst, true).ok);
    EXPECT_EQ(TempDir::Read(dst), "one");
    EXPECT_FALSE(CopyFileTo(t.Path(), t.Path("d.txt"), true).ok);  // a folder is no file
}
