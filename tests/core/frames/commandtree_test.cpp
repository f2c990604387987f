#include "core/frames/commandtree.h"
#include "core/app/datapaths.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {
Catalogue Sample() {
    Catalogue c;
    c.m_commands = {"addWeapon", "setDamage", "hint", "lastOne"};
    c.m_weapons = {"RifleA", "RifleB"};
    c.m_ammo = {"MagA"};
    c.m_equipment = {"Binocular"};
    // "ADDWEAPON" in capitals; "lastOne" is the last block and has only one line after it.
    c.m_syntax = {"[ADDWEAPON]", "unit addWeapon name", "Nothing", "player addWeapon \"RifleA\"",
                  "[hint]",      "hint text",           "Nothing", "hint \"x\"",
                  "[lastOne]",   "lastOne x"};
    c.RebuildIndexes();
    return c;
}
std::vector<std::string> Slots(std::initializer_list<std::pair<int, std::string>> used) {
    std::vector<std::string> s(16);
    for (const auto& [i, p] : used) s[i] = p;
    return s;
}
TreeSelection Child(int root, const std::string& text) { return {root, false, text, false}; }
TreeSelection Root(int root) { return {root, true, kTreeRootText[root], true}; }
}  // namespace

TEST(CommandTree, SixRootsInOrderWithItemsQuotedAndCommandsNot) {
    const auto tree = BuildCommandTree(Sample(), Slots({}));
    ASSERT_EQ(tree.size(), 6u);
    const char* roots[] = {"Commands", "Weapons", "Ammo", "Vehicle Ammo", "Equipment", "Project Files"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(tree[i].text, roots[i]);
    ASSERT_EQ(tree[ROOT_COMMANDS].children.size(), 4u);
    EXPECT_EQ(tree[ROOT_COMMANDS].children[2].text, "hint");  // list order, not sorted
    ASSERT_EQ(tree[ROOT_WEAPONS].children.size(), 2u);
    EXPECT_EQ(tree[ROOT_WEAPONS].children[0].text, "\"RifleA\"");
    EXPECT_EQ(tree[ROOT_AMMO].children[0].text, "\"MagA\"");
    EXPECT_EQ(tree[ROOT_EQUIPMENT].children[0].text, "\"Binocular\"");
    // An empty list gets one "Not Available"; no project slot used means no child at all.
    ASSERT_EQ(tree[ROOT_VEHICLE_AMMO].children.size(), 1u);
    EXPECT_EQ(tree[ROOT_VEHICLE_AMMO].children[0].text, "Not Available");
    EXPECT_TRUE(tree[ROOT_PROJECT_FILES].children.empty());
}

TEST(CommandTree, ProjectFilesAreSortedByFileNameAndKeepTheirSlot) {
    const std::string sep(1, kPathSep);
    const auto tree = BuildCommandTree(Sample(), Slots({{0, "C:" + sep + "Missions" + sep + "zulu.sqs"},
                                                        {3, "/home/me/missions/alpha.sqf"},
                                                        {15, sep + "m" + sep + "init.sqs"},
                                                        {7, "bare.txt"}}));
    const auto& files = tree[ROOT_PROJECT_FILES].children;
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].text, "alpha.sqf");
    EXPECT_EQ(files[0].slot, 3);
    EXPECT_EQ(files[1].text, "bare.txt");
    EXPECT_EQ(files[1].slot, 7);
    EXPECT_EQ(files[2].text, "init.sqs");
    EXPECT_EQ(files[2].slot, 15);
    EXPECT_EQ(files[3].text, "zulu.sqs");
    EXPECT_EQ(files[3].slot, 0);
}

TEST(SyntaxPane, CommandsShowTheirBlockFoundWithoutRegardToCase) {
    const Catalogue c = Sample();
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_COMMANDS, "addWeapon")),
              "unit addWeapon name\r\nNothing\r\nplayer addWeapon \"RifleA\"");
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_COMMANDS, "setDamage")),
              "No syntax available\r\nSee Command Reference Manual");
    // A block at the very end shows only the lines there are.
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_COMMANDS, "lastOne")), "lastOne x");
}

TEST(SyntaxPane, RootsShowTheirNameAndLeavesTheirPathWithTheInsertHint) {
    const Catalogue c = Sample();
    EXPECT_EQ(SyntaxPaneText(c, Root(ROOT_COMMANDS)), "Commands");
    EXPECT_EQ(SyntaxPaneText(c, Root(ROOT_WEAPONS)), "Weapons");
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_WEAPONS, "\"RifleA\"")),
              "Weapons - \"RifleA\"\r\nPress 'Insert' to insert the item\r\ninto the active document.");
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_VEHICLE_AMMO, "Not Available")),
              "Vehicle Ammo - Not Available\r\nPress 'Insert' to insert the item\r\ninto the active document.");
    const std::string hint = "Use the 'Project' menu to add\r\nor remove project files.";
    EXPECT_EQ(SyntaxPaneText(c, Root(ROOT_PROJECT_FILES)), hint);
    EXPECT_EQ(SyntaxPaneText(c, Child(ROOT_PROJECT_FILES, "init.sqs")), hint);
    EXPECT_EQ(SyntaxPaneText(c, TreeSelection{}), "");
}

TEST(InsertItem, OnlyALeafOutsideProjectFilesWhileADocumentIsActive) {
    EXPECT_TRUE(CanInsertItem(Child(ROOT_WEAPONS, "\"RifleA\""), true));
    EXPECT_TRUE(CanInsertItem(Child(ROOT_VEHICLE_AMMO, "Not Available"), true));
    EXPECT_FALSE(CanInsertItem(Child(ROOT_WEAPONS, "\"RifleA\""), false));
    EXPECT_FALSE(CanInsertItem(Root(ROOT_WEAPONS), true));
    EXPECT_FALSE(CanInsertItem(Child(ROOT_PROJECT_FILES, "init.sqs"), true));
    EXPECT_FALSE(CanInsertItem(TreeSelection{}, true));
    // "Project Files" without entries is a leaf of its own: the parent rule does not apply to it.
    EXPECT_TRUE(CanInsertItem({ROOT_PROJECT_FILES, true, "Project Files", false}, true));
}
