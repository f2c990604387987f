#include "core/tools/datamaintenance.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
// A program folder with the five data files and two snippets, and a backup folder beside it.
class DataMaintenance : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < kDataFileCount; ++i)
            files[i] = t.Write(std::string("data/") + kBackupNames[i], std::string("v1 ") + kBackupNames[i]);
        t.Write("snippets/loop.txt", "loop");
        t.Write("snippets/Hint.TXT", "hint");
        t.Write("snippets/notes.doc", "not a snippet");
        fs::create_directories(t.Path("snippets/sub.txt"));  // a folder is no snippet
        snippets = t.Path("snippets") + "/";
        backup = t.Path("backup") + "/";
    }
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
    for (const char* name : kBackupNames) EXPECT_EQ(TempDir::Read(backup + name), std::string("v1 ") + name);
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
    for (int i = 0; i < kDataFileCount; ++i) EXPECT_EQ(TempDir::Read(files[i]), std::string("v1 ") + kBackupNames[i]);
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
    EXPECT_EQ(TempDir::Read(other[0]), "v1 commands.txt");
    EXPECT_EQ(TempDir::Read(other[3]), "v1 unit.txt");
}

TEST_F(DataMaintenance, RestoreWithoutABackupChangesNothing) {
    const MaintenanceResult r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(RestoreMessage(r), "ERROR: Backup data files were not found.");
    EXPECT_EQ(TempDir::Read(files[0]), "v1 commands.txt");

    // An incomplete backup restores none of its files.
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    fs::remove(backup + "header.txt");
    SetData("edited");
    EXPECT_EQ(RestoreDataFiles(files, snippets, backup).status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(TempDir::Read(files[0]), "edited");
}

TEST_F(DataMaintenance, RestoreStopsAtAFileThatCannotBeWritten) {
    ASSERT_TRUE(BackupDataFiles(files, snippets, backup).ok());
    SetData("edited");
    fs::permissions(files[2], fs::perms::owner_read);  // syntax.txt read-only
    MaintenanceResult r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::DataFileFailed);
    EXPECT_EQ(TempDir::Read(files[1]), "v1 data.txt");  // copied before the failure: stays
    EXPECT_EQ(TempDir::Read(files[2]), "edited");
    EXPECT_EQ(TempDir::Read(files[3]), "edited");
    fs::permissions(files[2], fs::perms::owner_read | fs::perms::owner_write);

    // The snippets folder cannot take files.
    fs::permissions(t.Path("snippets"), fs::perms::owner_read | fs::perms::owner_exec);
    t.Write("backup/snippets/new.txt", "new");
    r = RestoreDataFiles(files, snippets, backup);
    EXPECT_EQ(r.status, MaintenanceStatus::SnippetFailed);
    EXPECT_EQ(RestoreMessage(r), "ERROR: An error occured while restoring the data files.");
    EXPECT_EQ(TempDir::Read(files[4]), "v1 header.txt");
}
