#include "core/app/catalogue.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

using namespace qm;

namespace {
struct DataFolder {
    TempDir dir;
    DataFilePaths paths{dir.Path("commands.txt"), dir.Path("data.txt"), dir.Path("unit.txt"), dir.Path("syntax.txt"),
                        dir.Path("header.txt")};
    DataFolder() {
        dir.Write("commands.txt", "addWeapon\r\nsetDamage\r\n\r\nhint");
        dir.Write("data.txt", "[WEAPONS]\nRifleA\nRifleB\n\n[AMMO]\nMagA\n\n[VEHICLE_AMMO]\nShellA\n\n[EQUIPMENT]\nBinocular\n");
        dir.Write("unit.txt", "[PRIMARY]\nRifleA,MagA,1\n\n[SECONDARY]\n");
        dir.Write("syntax.txt", "[addWeapon]\nunit addWeapon name\nNothing\nplayer addWeapon \"RifleA\"\n\n[hint]\nhint text\nNothing\nhint \"x\"\n");
        dir.Write("header.txt", "[SCRIPT]\n; script\n; by me\n\n[DESCRIPTION]\n// description\n");
    }
    Catalogue Load(bool expectOk = true) {
        Catalogue c;
        EXPECT_EQ(c.LoadDataFiles(paths), expectOk);
        return c;
    }
};
}  // namespace

TEST(Catalogue, LoadsEveryFileInItsForm) {
    DataFolder f;
    Catalogue c = f.Load();
    EXPECT_EQ(c.m_commands, (StringList{"addWeapon", "setDamage", "", "hint"}));
    EXPECT_EQ(c.m_weapons, (StringList{"RifleA", "RifleB"}));
    EXPECT_EQ(c.m_ammo, (StringList{"MagA"}));
    EXPECT_EQ(c.m_vehicleAmmo, (StringList{"ShellA"}));
    EXPECT_EQ(c.m_equipment, (StringList{"Binocular"}));
    EXPECT_EQ(c.m_unitData, (StringList{"[PRIMARY]", "RifleA,MagA,1", "", "[SECONDARY]"}));
    EXPECT_EQ(c.m_syntax.size(), 8u);
    EXPECT_EQ(c.m_scriptHeader, "; script\r\n; by me\r\n");
    EXPECT_EQ(c.m_descriptionHeader, "// description\r\n");
}

TEST(Catalogue, SectionRulesOfDataFile) {
    DataFolder f;
    // A blank line ends a section; a lower-case header is no header; a repeated header appends;
    // a header right after items without a blank line is an item; free text between sections is ignored.
    f.dir.Write("data.txt",
                "free text\n[AMMO]\nMagA\n\nMagLost\n[weapons]\nLowerCaseLost\n\n[WEAPONS]\nRifleA\n[AMMO]\n\n"
                "[AMMO]\nMagB\n  \n");
    Catalogue c = f.Load();
    EXPECT_EQ(c.m_ammo, (StringList{"MagA", "MagB", "  "}));
    EXPECT_EQ(c.m_weapons, (StringList{"RifleA", "[AMMO]"}));
}

TEST(Catalogue, SyntaxBlocksDropBlankLinesAndAreFoundIgnoringCase) {
    DataFolder f;
    f.dir.Write("syntax.txt", "[addWeapon]\nusage\n\nreturn\n\nexample\n[Short]\nonly one\n");
    Catalogue c = f.Load();
    EXPECT_EQ(c.SyntaxFor("ADDWEAPON"), (StringList{"usage", "return", "example"}));
    // A block near the end of the file shows only the lines that exist.
    EXPECT_EQ(c.SyntaxFor("short"), (StringList{"only one"}));
    EXPECT_TRUE(c.SyntaxFor("missing").empty());
}

TEST(Catalogue, MissingHeaderFileFailsButKeepsEverythingBefore) {
    DataFolder f;
    f.paths.header = f.dir.Path("nope.txt");
    Catalogue c = f.Load(false);
    EXPECT_EQ(c.m_commands.size(), 4u);
    EXPECT_EQ(c.m_weapons.size(), 2u);
    EXPECT_EQ(c.m_unitData.size(), 4u);
    EXPECT_EQ(c.m_syntax.size(), 8u);
    EXPECT_TRUE(c.m_scriptHeader.empty());
    EXPECT_TRUE(c.m_descriptionHeader.empty());
}

TEST(Catalogue, MissingDataFileOnReloadEmptiesEverythingAfterCommands) {
    DataFolder f;
    Catalogue c = f.Load();
    f.paths.data = f.dir.Path("gone.txt");
    EXPECT_FALSE(c.LoadDataFiles(f.paths));
    EXPECT_EQ(c.m_commands.size(), 4u);
    EXPECT_TRUE(c.m_weapons.empty());
    EXPECT_TRUE(c.m_ammo.empty());
    EXPECT_TRUE(c.m_unitData.empty());
    EXPECT_TRUE(c.m_syntax.empty());
    EXPECT_TRUE(c.m_scriptHeader.empty());
    EXPECT_FALSE(c.IsItem("RifleA"));
}

TEST(Catalogue, HeaderTextsKeepLinesLiterally) {
    DataFolder f;
    f.dir.Write("header.txt", "[DESCRIPTION]\n  // indented\n\n[SCRIPT]\n;a\r\n");
    Catalogue c = f.Load();
    EXPECT_EQ(c.m_descriptionHeader, "  // indented\r\n");
    EXPECT_EQ(c.m_scriptHeader, ";a\r\n");
}

TEST(Catalogue, LooksUpWordsIgnoringCase) {
    DataFolder f;
    Catalogue c = f.Load();
    EXPECT_EQ(c.FindCommand("ADDWEAPON"), 0);
    EXPECT_EQ(c.FindCommand("hint"), 3);
    EXPECT_EQ(c.FindCommand("nothing"), -1);
    EXPECT_TRUE(c.IsItem("riflea"));
    EXPECT_TRUE(c.IsItem("SHELLA"));
    EXPECT_TRUE(c.IsItem("binocular"));
    EXPECT_FALSE(c.IsItem("hint"));
}

TEST(FindInList, FirstEqualElementByCaseRule) {
    StringList l{"Alpha", "beta", "ALPHA"};
    EXPECT_EQ(FindInList(l, "ALPHA", true), 2);
    EXPECT_EQ(FindInList(l, "alpha", true), -1);
    EXPECT_EQ(FindInList(l, "alpha", false), 0);
    EXPECT_EQ(FindInList(l, "gamma", false), -1);
    EXPECT_EQ(FindInList({}, "", false), -1);
}

TEST(FoldedIndex, AgreesWithFindInList) {
    StringList l{"Alpha", "", "beta", "ALPHA", "\u00C9t\u00E9"};
    FoldedIndex idx;
    idx.Build(l);
    for (const char* w : {"alpha", "ALPHA", "", "Beta", "\u00E9T\u00C9", "none"})
        EXPECT_EQ(idx.Find(w), FindInList(l, w, false)) << w;
}

TEST(DataLines, LineFeedEndsALineAndOneCarriageReturnBeforeItGoes) {
    EXPECT_EQ(ReadDataLines("a\r\nb\n\nc"), (StringList{"a", "b", "", "c"}));
    EXPECT_EQ(ReadDataLines("a\r\r\n"), (StringList{"a\r"}));
    EXPECT_EQ(ReadDataLines(""), StringList{});
    EXPECT_EQ(ReadDataLines("\xE9"), (StringList{"\u00E9"}));
}
