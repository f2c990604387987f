#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/app/filefilter.h"

using namespace qm;

TEST(DataPaths, EditionChoosesTheFolderOfTheEditionFilesOnly) {
    AppFolders f{"/opt/qm/", 1, std::nullopt, "/home/u/", {}};
    EXPECT_EQ(GetDataPath(PATH_COMMANDS, f), "/opt/qm/data/resistance/commands.txt");
    EXPECT_EQ(GetDataPath(PATH_DATA, f), "/opt/qm/data/resistance/data.txt");
    EXPECT_EQ(GetDataPath(PATH_UNIT, f), "/opt/qm/data/resistance/unit.txt");
    f.expansionEdition = 0;
    EXPECT_EQ(GetDataPath(PATH_COMMANDS, f), "/opt/qm/data/original/commands.txt");
    EXPECT_EQ(GetDataPath(PATH_DATA, f), "/opt/qm/data/original/data.txt");
    EXPECT_EQ(GetDataPath(PATH_UNIT, f), "/opt/qm/data/original/unit.txt");
    for (int e : {0, 1}) {
        f.expansionEdition = e;
        EXPECT_EQ(GetDataPath(PATH_SYNTAX, f), "/opt/qm/data/syntax.txt");
        EXPECT_EQ(GetDataPath(PATH_HEADER, f), "/opt/qm/data/header.txt");
        EXPECT_EQ(GetDataPath(PATH_SCRIPTS, f), "/opt/qm/scripts/");
        EXPECT_EQ(GetDataPath(PATH_SNIPPETS, f), "/opt/qm/snippets/");
        EXPECT_EQ(GetDataPath(PATH_COMREF, f), "/opt/qm/comref/comref.html");
    }
}

TEST(DataPaths, BackupFolderFollowsSystemDriveOrHome) {
    AppFolders f{"/opt/qm/", 1, std::string("C:"), "/home/u/", {}};
    EXPECT_EQ(GetDataPath(PATH_BACKUP, f), "C:/Quillmark Backup/");
    f.systemDrive.reset();
    EXPECT_EQ(GetDataPath(PATH_BACKUP, f), "/home/u/Quillmark Backup/");
    f.homeFolder = "/home/v";
    EXPECT_EQ(GetDataPath(PATH_BACKUP, f), "/home/v/Quillmark Backup/");
}

TEST(FileFilter, BothFormsByteForByte) {
    EXPECT_EQ(BuildFileFilter(true),
              "Varnholt Files|*.sqs;*.ext;*.html;*.sqf;*.csv;*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(BuildFileFilter(false),
              "Script Files (*.sqs)|*.sqs|Description Files (*.ext)|*.ext|Briefing/Overview Files (*.html)|*.html|"
              "Function Files (*.sqf)|*.sqf|String Table Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|"
              "All Files (*.*)|*.*||");
}
