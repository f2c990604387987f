#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/app/safefile.h"
#include "core/app/userdata.h"
#include "support/tempdir.h"

using namespace qm;

namespace {
void InstallFiles(const TempDir& d, const std::string& commands) {
    d.Write("lib/data/resistance/commands.txt", commands);
    d.Write("lib/data/syntax.txt", "[hint]\n");
    d.Write("lib/snippets/Loop.txt", "loop");
    d.Write("lib/quillmark.installed", "");
}
}  // namespace

TEST(UserData, PerUserFolderFollowsXdgDataHome) {
    EXPECT_EQ(PerUserDataFolder(std::string("/x/share"), "/home/u/"), "/x/share/quillmark/");
    EXPECT_EQ(PerUserDataFolder(std::string("relative/share"), "/home/u"), "/home/u/.local/share/quillmark/");
    EXPECT_EQ(PerUserDataFolder(std::nullopt, "/home/u/"), "/home/u/.local/share/quillmark/");
}

TEST(UserData, ABuiltCopyEditsItsOwnFolder) {
    TempDir d;
    d.Write("lib/data/syntax.txt", "[hint]\n");
    const DataFolderChoice c = ChooseDataFolder(d.Path("lib"), true, d.Path("user/quillmark/"));
    EXPECT_FALSE(c.perUser);
    EXPECT_EQ(c.folder, d.Path("lib/"));
    EXPECT_FALSE(std::filesystem::exists(d.Path("user")));
}

TEST(UserData, AnInstalledCopyIsCopiedOnceAndNeverOverwritten) {
    TempDir d;
    InstallFiles(d, "hint\n");
    const std::string user = d.Path("user/quillmark/");
    DataFolderChoice c = ChooseDataFolder(d.Path("lib/"), true, user);
    ASSERT_TRUE(c.perUser) << c.error;
    EXPECT_EQ(c.folder, user);
    EXPECT_EQ(TempDir::Read(user + "data/resistance/commands.txt"), "hint\n");
    EXPECT_EQ(TempDir::Read(user + "snippets/Loop.txt"), "loop");
    EXPECT_TRUE(std::filesystem::is_directory(user + "scripts"));

    AppFolders f{d.Path("lib/"), 1, std::nullopt, "/home/u/", c.folder};
    EXPECT_EQ(GetDataPath(PATH_COMMANDS, f), user + "data/resistance/commands.txt");
    EXPECT_EQ(GetDataPath(PATH_SNIPPETS, f), user + "snippets/");
    EXPECT_EQ(GetDataPath(PATH_SCRIPTS, f), user + "scripts/");
    EXPECT_EQ(GetDataPath(PATH_COMREF, f), d.Path("lib/comref/comref.html"));  // generated, stays installed

    // The user edits and deletes; an upgrade replaces the installed files.
    d.Write("user/quillmark/data/resistance/commands.txt", "hint\nmyCommand\n");
    std::filesystem::remove(user + "snippets/Loop.txt");
    InstallFiles(d, "hint\nnewCommand\n");
    d.Write("lib/snippets/New.txt", "new");
    c = ChooseDataFolder(d.Path("lib/"), true, user);
    ASSERT_TRUE(c.perUser);
    EXPECT_EQ(TempDir::Read(user + "data/resistance/commands.txt"), "hint\nmyCommand\n");
    EXPECT_FALSE(std::filesystem::exists(user + "snippets/Loop.txt"));
    EXPECT_FALSE(std::filesystem::exists(user + "snippets/New.txt"));
}

TEST(UserData, ACopyCutShortIsFinishedWithoutOverwriting) {
    TempDir d;
    InstallFiles(d, "hint\n");
    d.Write("user/quillmark/data/resistance/commands.txt", "mine\n");  // no marker: the first copy broke off
    const DataFolderChoice c = ChooseDataFolder(d.Path("lib/"), true, d.Path("user/quillmark/"));
    ASSERT_TRUE(c.perUser);
    EXPECT_EQ(TempDir::Read(d.Path("user/quillmark/data/resistance/commands.txt")), "mine\n");
    EXPECT_EQ(TempDir::Read(d.Path("user/quillmark/data/syntax.txt")), "[hint]\n");
    EXPECT_TRUE(std::filesystem::exists(d.Path("user/quillmark/") + kUserCopyMarker));
}

TEST(UserData, ShippedQuickScriptsAreReadOnlyInTheUserCopyAndSaveRefusesThem) {
    TempDir d;
    InstallFiles(d, "hint\n");
    d.Write("lib/scripts/heal.sqs", "shipped\r\n");  // installed writable by its owner, as a package may
    d.Write("lib/scripts/extra/wait.sqs", "shipped\r\n");
    d.Write("user/quillmark/scripts/mine.sqs", "my own\r\n");  // a copy cut short kept the user's script
    const std::string user = d.Path("user/quillmark/");
    ASSERT_TRUE(ChooseDataFolder(d.Path("lib/"), true, user).perUser);

    EXPECT_TRUE(IsReadOnlyFile(user + "scripts/heal.sqs"));
    EXPECT_TRUE(IsReadOnlyFile(user + "scripts/extra/wait.sqs"));
    EXPECT_FALSE(IsReadOnlyFile(user + "scripts/mine.sqs"));
    EXPECT_FALSE(WriteFileAtomically(user + "scripts/heal.sqs", "changed").ok);
    EXPECT_EQ(TempDir::Read(user + "scripts/heal.sqs"), "shipped\r\n");
    EXPECT_TRUE(WriteFileAtomically(user + "scripts/mine.sqs", "changed").ok);
    EXPECT_FALSE(IsReadOnlyFile(user + "snippets/Loop.txt"));  // snippets stay the user's to edit
}

TEST(UserData, ReadOnlyProgramFolderCountsAsInstalledAndAnUnusableHomeFallsBack) {
    TempDir d;
    d.Write("lib/data/syntax.txt", "[hint]\n");
    DataFolderChoice c = ChooseDataFolder(d.Path("lib/"), false, d.Path("user/quillmark/"));
    EXPECT_TRUE(c.perUser);

    d.Write("blocked", "a file where the folder should be");
    c = ChooseDataFolder(d.Path("lib/"), false, d.Path("blocked/quillmark/"));
    EXPECT_FALSE(c.perUser);
    EXPECT_EQ(c.folder, d.Path("lib/"));
    EXPECT_NE(c.error.find("blocked"), std::string::npos);
}
