#include "core/tools/datamaintenance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/app/safefile.h"
#include "support/tempdir.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
// A program folder with the five data files and two snippets, and a backup folder beside it.
class DataMaintenance : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < kDataFileCount; ++i)
            files[i] = t.Write(std::string("data/") + kBackupNames[i], V1(kBackupNames[i]));
        t.Write("snippets/loop.txt", "loop");
        t.Write("snippets/Hint.TXT", "hint");
        t.Write("snippets/notes.doc", "not a snippet");
        fs::create_directories(t.Path("snippets/sub.txt"));  // a folder is no snippet
        snippets = t.Path("snippets") + "/";
        backup = t.Path("backup") + "/";
    }
    // A first version of a data file, with the section headers a restore looks for.
    static std::string V1(const std::string& name) { return "[WEAPONS]\n[SCRIPT]\n[abs]\nv1 " + name + "\n"; }
    void SetData(const std::string& text) {
        for (int i = 0; i < kDataFileCount; ++i) t.Write(std::string("data/") + kBackupNames[i], text);
    }

    TempDir t;
    DataFilePathSet files;
    std::string snippets, backup;
};
}  // namespace

TEST_F(DataMaintenance, BackupCreatesTheFoldersAndCopiesFiveFilesThenTheSnippets) {
    const MaintenanceResult r = BackupDataFiles(files, snippets, backup);
    ASSERT_TRUE(r.ok()) << r.reason;
    for (const char* name : kBackupNames) EXPECT_EQ(TempDir::Read(backup + name), V1(name));
    EXPECT_EQ(TempDir::Read(backup + "snippets/loop.txt"), "loop");
    EXPECT_EQ(TempDir::Read(backup + "snippets/Hint.TXT"), "hint");
    EXPECT_FALSE(fs::exists(backup + "snippets/notes.doc"));
    EXPECT_EQ(BackupMessage(r, backup), "Data files were backed up successfully to this location:\n" + backup);

    // A second backup replaces the copies.
    SetData("v2");
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    EXPECT_EQ(TempDir::Read(backup + "unit.txt"), "v2");
}

TEST_F(DataMaintenance, BackupWithoutSnippetsStillCopiesTheDataFiles) {
    ASSERT_TRUE(BackupDataFiles(files, t.Path("nosnippets") + "/", backup).ok());
    EXPECT_TRUE(fs::exists(backup + "header.txt"));
    EXPECT_TRUE(fs::is_directory(backup + "snippets"));
}

TEST_F(DataMaintenance, BackupStopsAtTheFirstFailedCopy) {
    // The third data file is missing: the first two are copied, the rest are not.
    fs::remove(files[2]);
    MaintenanceResult r = BackupDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(BackupMessage(r, backup), "ERROR: An error occured while backing up the data files.");
    EXPECT_TRUE(fs::exists(backup + "data.txt"));
    EXPECT_FALSE(fs::exists(backup + "unit.txt"));
    EXPECT_FALSE(fs::exists(backup + "snippets/loop.txt"));
}

TEST_F(DataMaintenance, BackupIntoAnUnwritableOrImpossibleFolderFails) {
    fs::create_directories(t.Path("locked"));
    fs::permissions(t.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(BackupDataFiles(files, snippets, t.Path("locked") + "/").status, MaintenanceStatus::DataFileFailed);
    EXPECT_FALSE(fs::exists(t.Path("locked/commands.txt")));
    // Below a file no folder can be made.
    EXPECT_EQ(BackupDataFiles(files, snippets, files[0] + "/backup/").status, MaintenanceStatus::DataFileFailed);

    // A read-only snippet copy in the backup stops the snippet step.
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    fs::permissions(backup + "snippets/Hint.TXT", fs::perms::owner_read);
    const MaintenanceResult r = BackupDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::SnippetFailed);
    EXPECT_EQ(BackupMessage(r, backup), "ERROR: An error occured while backing up the data files.");
}

TEST_F(DataMaintenance, EmptyFolderSettingsNeverMeanTheFilesystemRoot) {
    EXPECT_EQ(BackupDataFiles(files, snippets, "").status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(RestoreDataFiles(files, snippets, "").status, MaintenanceStatus::DataFileFailed);
    ASSERT_TRUE(BackupDataFiles(files, "", backup).ok());  // no snippets to copy
    t.Write("backup/snippets/a.txt", "a");
    EXPECT_EQ(RestoreDataFiles(files, "", backup).status, MaintenanceStatus::SnippetFailed);
    EXPECT_FALSE(fs::exists("/a.txt"));
}

TEST_F(DataMaintenance, RestoreCopiesTheFilesBackAndAddsOrReplacesSnippets) {
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    SetData("edited");
    t.Write("snippets/loop.txt", "changed loop");
    t.Write("snippets/mine.txt", "only here");
    fs::remove(t.Path("snippets/Hint.TXT"));

    const MaintenanceResult r = RestoreDataFiles(files, snippets, backup);
    ASSERT_TRUE(r.ok()) << r.reason;
    EXPECT_EQ(RestoreMessage(r), "Data files were successfully restored.");
    for (int i = 0; i < kDataFileCount; ++i) EXPECT_EQ(TempDir::Read(files[i]), V1(kBackupNames[i]));
    EXPECT_EQ(TempDir::Read(t.Path("snippets/loop.txt")), "loop");
    EXPECT_EQ(TempDir::Read(t.Path("snippets/Hint.TXT")), "hint");
    EXPECT_EQ(TempDir::Read(t.Path("snippets/mine.txt")), "only here");
}

TEST_F(DataMaintenance, RestoreGoesToTheEditionInUseNow) {
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    DataFilePathSet other = files;
    other[0] = t.Write("data/original/commands.txt", "original");
    other[1] = t.Write("data/original/data.txt", "original");
    other[3] = t.Write("data/original/unit.txt", "original");
    ASSERT_TRUE(RestoreDataFiles(other, snippets, backup).ok());
    EXPECT_EQ(TempDir::Read(other[0]), V1("commands.txt"));
    EXPECT_EQ(TempDir::Read(other[3]), V1("unit.txt"));
}

TEST_F(DataMaintenance, RestoreWithoutABackupChangesNothing) {
    const MaintenanceResult r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(RestoreMessage(r), "ERROR: Backup data files were not found.");
    EXPECT_EQ(TempDir::Read(files[0]), V1("commands.txt"));

    // An incomplete backup restores none of its files.
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    fs::remove(backup + "header.txt");
    SetData("edited");
    EXPECT_EQ(RestoreDataFiles(files, snippets, backup).status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(TempDir::Read(files[0]), "edited");
}

TEST_F(DataMaintenance, ARestoreReplacesEveryDataFileOrNone) {
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    SetData("edited");
    const auto untouched = [&](const char* why) {
        for (int i = 0; i < kDataFileCount; ++i) EXPECT_EQ(TempDir::Read(files[i]), "edited") << why << " " << i;
        for (const auto& e : fs::directory_iterator(t.Path("data")))
            EXPECT_FALSE(e.path().filename().string().starts_with(".")) << why << " left " << e.path();
    };
    // One data file in use that cannot be replaced: none is.
    fs::permissions(files[2], fs::perms::owner_read);  // syntax.txt read-only
    MaintenanceResult r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::TargetFailed);
    EXPECT_EQ(RestoreMessage(r).rfind(std::string(kRestoreError) + " This data file cannot be replaced:\n\n" + files[2], 0), 0u)
        << RestoreMessage(r);
    untouched("read-only");
    fs::permissions(files[2], fs::perms::owner_read | fs::perms::owner_write);

    // A backed-up file of random bytes, or text that is no data file of its kind, restores nothing.
    std::string noise(4096, '\0');
    std::mt19937 draw(7);
    for (char& c : noise) c = static_cast<char>(draw());
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>("unit.txt", noise),
                                      std::pair<std::string, std::string>("data.txt", "Just a letter\nto home.\n"),
                                      std::pair<std::string, std::string>("header.txt", "[WEAPONS]\nKarveth\n")}) {
        const std::string kept = TempDir::Read(backup + name);
        t.Write("backup/" + name, bytes);
        r = RestoreDataFiles(files, snippets, backup);
        EXPECT_EQ(r.status, MaintenanceStatus::BackupDamaged) << name;
        EXPECT_EQ(RestoreMessage(r), "ERROR: A backup data file is damaged or of the wrong kind:\n\n" + backup + name +
                                         "\n\nNo data file was changed.");
        untouched(name.c_str());
        t.Write("backup/" + name, kept);
    }
    // One that cannot be read (here: larger than the program reads).
    SetReadableFileLimit(8);
    r = RestoreDataFiles(files, snippets, backup);
    SetReadableFileLimit(0);
    EXPECT_EQ(r.status, MaintenanceStatus::BackupUnreadable);
    EXPECT_EQ(RestoreMessage(r).rfind("ERROR: A backup data file cannot be read:\n\n" + backup + "commands.txt", 0), 0u);
    untouched("unreadable");

    // An empty data file, as a user may have left one, is a backup like any other.
    t.Write("backup/header.txt", "");
    ASSERT_TRUE(RestoreDataFiles(files, snippets, backup).ok());
    EXPECT_EQ(TempDir::Read(files[1]), V1("data.txt"));
    EXPECT_EQ(TempDir::Read(files[4]), "");

    // The snippets folder cannot take files.
    fs::permissions(t.Path("snippets"), fs::perms::owner_read | fs::perms::owner_exec);
    t.Write("backup/snippets/new.txt", "new");
    r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::SnippetFailed);
    EXPECT_EQ(RestoreMessage(r), "ERROR: An error occured while restoring the data files.");
}
