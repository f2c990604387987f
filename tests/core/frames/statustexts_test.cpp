#include "core/frames/statustexts.h"

#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/app/gameregistry.h"
#include "core/frames/gamelaunch.h"
#include "core/platform/memoryregistry.h"

using namespace qm;

TEST(StatusTexts, LineAndColumnFollowCaretAndSelection) {
    // Caret at line 1, column 1.
    EXPECT_EQ(LineIndicatorText({0, 0, 0, 0}), "Ln: 1");
    EXPECT_EQ(ColumnIndicatorText({0, 0, 0, 0}), "Ch: 1");
    // Columns 3 to 7 of line 5 selected: positions 2 to 7 of line index 4.
    EXPECT_EQ(LineIndicatorText({4, 2, 4, 7}), "Ln: 5");
    EXPECT_EQ(ColumnIndicatorText({4, 2, 4, 7}), "Ch: 3-7");
    // Line 2 to just before the first character of line 4.
    EXPECT_EQ(LineIndicatorText({1, 5, 3, 0}), "Ln: 2-4");
    EXPECT_EQ(ColumnIndicatorText({1, 5, 3, 0}), "Ch: 6-0");
    // The same column on two lines is still a selection.
    EXPECT_EQ(ColumnIndicatorText({0, 3, 1, 3}), "Ch: 4-3");
}

TEST(StatusTexts, EditionPaneNamesOnlyTheExpansion) {
    EXPECT_EQ(EditionIndicatorText(1), "RESISTANCE");
    EXPECT_EQ(EditionIndicatorText(0), "");
}

TEST(GameLaunch, ParametersExecutableAndMissionFolder) {
    EXPECT_EQ(GameParameters(1, 1), "-nosplash -window");
    EXPECT_EQ(GameParameters(1, 0), "-nosplash");
    EXPECT_EQ(GameParameters(0, 1), "-window");
    EXPECT_EQ(GameParameters(0, 0), "");
    EXPECT_EQ(GameExecutable(1), "VarnholtResistance.exe");
    EXPECT_EQ(GameExecutable(0), "Varnholt.exe");
    const std::string s(1, kPathSep);
    EXPECT_EQ(MissionFolder("/games/varnholt", "Sgt Kell"),
              "/games/varnholt" + s + "Users" + s + "Sgt Kell" + s + "Missions" + s);
    // Without the game's registry entries the folder starts at the root.
    EXPECT_EQ(MissionFolder("", ""), s + "Users" + s + s + "Missions" + s);
}

TEST(GameLaunch, RegistryValuesAreReadFromTheirHivesAndCut) {
    MemoryRegistry r;
    EXPECT_EQ(GetGameFolder(r), "");
    EXPECT_EQ(GetPlayerName(r), "");
    r.WriteString(Hive::LocalMachine, kGameRegistryKey, "MAIN", "/games/varnholt");
    r.WriteString(Hive::CurrentUser, kGameRegistryKey, "Player Name", std::string(300, 'p'));
    EXPECT_EQ(GetGameFolder(r), "/games/varnholt");
    EXPECT_EQ(GetPlayerName(r), std::string(259, 'p'));
    // The wrong hive is not read.
    r.WriteString(Hive::CurrentUser, kGameRegistryKey, "MAIN", "/elsewhere");
    EXPECT_EQ(GetGameFolder(r), "/games/varnholt");
}
