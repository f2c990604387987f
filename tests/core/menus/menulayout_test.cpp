#include "core/menus/menulayout.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(MenuMeasure, PopupItemsFollowTheWidthRuleAndSeparatorsAreFixed) {
    EXPECT_EQ(MeasureIconItem(0, 500), (MenuSize{90, 3}));
    // (100 + 22) x 0.9 = 109.8, truncated.
    EXPECT_EQ(MeasureIconItem(57601, 100), (MenuSize{109, 22}));
    EXPECT_EQ(MeasureIconItem(57601, 0), (MenuSize{19, 22}));
    // The factor is a 32-bit float, as stored.
    EXPECT_EQ(MeasureIconItem(1, 78).width, static_cast<int>(100 * 0.9f));
}

TEST(MenuMeasure, FittedItemsNeverCutTheirText) {
    // Wide enough already: the measured width stands.
    EXPECT_EQ(FitIconItemWidth(200, 50, 0), 200);
    // The caption starts at 27 and keeps 5 pixels at the right.
    EXPECT_EQ(FitIconItemWidth(40, 50, 0), 27 + 50 + 5);
    // A shortcut adds the gap and its own width.
    EXPECT_EQ(FitIconItemWidth(40, 50, 30), 27 + 50 + kShortcutGap + 30 + 5);
}

TEST(MenuMeasure, BarItems) {
    EXPECT_EQ(MeasureTopItem(kBarPictureCommand, 999), 8);
    EXPECT_EQ(MeasureTopItem(0, 25), 22);  // 22.5 truncated
    EXPECT_EQ(FitTopItemWidth(8, 16), 16 + 2 * kTopItemPadding);
    EXPECT_EQ(FitTopItemWidth(22, 20), 22 + 2 * kTopItemPadding);
    for (const char* c : {"File", "Edit", "View", "Project", "Tools", "Window", "Help"}) EXPECT_TRUE(IsBarCaption(c));
    EXPECT_FALSE(IsBarCaption("file"));
    EXPECT_FALSE(IsBarCaption("Recent Files"));
}

TEST(MenuMeasure, PicturePositionsAndSeparatorRow) {
    // x = left + 3, y = top + (height - 16) / 2 with integer halves.
    EXPECT_EQ(IconPicturePosition({10, 40, 200, 62}), (MenuPoint{13, 43}));
    EXPECT_EQ(IconPicturePosition({0, 0, 100, 21}), (MenuPoint{3, 2}));
    EXPECT_EQ(SeparatorLineY({0, 10, 90, 13}), 11);
    EXPECT_EQ(TopPicturePosition({100, 0, 128, 20}, 16, 16), (MenuPoint{106, 2}));
    EXPECT_EQ(TopPicturePosition({0, 0, 8, 20}, 16, 16), (MenuPoint{-4, 2}));
}

TEST(MenuCaptions, SplitAtTheFirstTab) {
    const CaptionParts p = SplitCaption("Prevoius\tShift+F6");
    EXPECT_EQ(p.caption, "Prevoius");
    EXPECT_EQ(p.shortcut, "Shift+F6");
    EXPECT_TRUE(p.hasShortcut);
    EXPECT_FALSE(SplitCaption("Close").hasShortcut);
    EXPECT_EQ(SplitCaption("a\tb\tc").shortcut, "b\tc");
}

TEST(MenuCaptions, MnemonicFollowsTheStandardCaption) {
    EXPECT_EQ(MnemonicCaption("Open...\tCtrl+O", "&Open..."), "&Open...\tCtrl+O");
    // The marked letter at a word start is preferred to an earlier one inside a word.
    EXPECT_EQ(MnemonicCaption("Save As...", "Save &As..."), "Save &As...");
    EXPECT_EQ(MnemonicCaption("Custom Unit Wizard...", "&Special Unit Wizard..."), "Cu&stom Unit Wizard...");
    EXPECT_EQ(MnemonicCaption("Exit\tEsc", "E&xit"), "E&xit\tEsc");
    // No standard caption: the first letter or digit.
    EXPECT_EQ(MnemonicCaption("Recent Files", ""), "&Recent Files");
    EXPECT_EQ(MnemonicCaption("1 ...\\test.sqs", ""), "&1 ...\\test.sqs");
    // A letter the caption lacks gives no mnemonic; ampersands of the text stay text.
    EXPECT_EQ(MnemonicCaption("Labels Bar", "&Quit"), "Labels Bar");
    EXPECT_EQ(MnemonicCaption("Open R&D's Missions...", ""), "&Open R&&D's Missions...");
    EXPECT_EQ(MnemonicCaption("Copy", "&&Copy"), "&Copy");
}

TEST(MenuCaptions, CheckGlyphIsEightByEight) {
    int black = 0;
    for (const char* row : kCheckGlyph) {
        ASSERT_EQ(std::string(row).size(), 8u);
        for (int i = 0; i < 8; ++i) black += row[i] == '#';
    }
    EXPECT_EQ(black, 1 + 2 + 4 + 5 + 5 + 3 + 1);
    EXPECT_EQ(kCheckGlyph[3][1], '#');  // row 4 column 2
}
