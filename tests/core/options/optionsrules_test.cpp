#include "core/options/optionsrules.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(FontList, EachNameOnceSortedWithoutVerticalVariants) {
    EXPECT_EQ(FontListNames({"Verdana", "@MS Mincho", "arial", "Courier New", "Verdana", "MS Mincho", "Courier New"}),
              (std::vector<std::string>{"arial", "Courier New", "MS Mincho", "Verdana"}));
    EXPECT_TRUE(FontListNames({"@Only", ""}).empty());
}

TEST(FontSizeList, TheFirstItemBeginningWithTheSizeIsShown) {
    EXPECT_EQ(FontSizeListIndex(6), 0);
    EXPECT_EQ(FontSizeListIndex(10), 4);
    EXPECT_EQ(FontSizeListIndex(24), 18);
    EXPECT_EQ(FontSizeListIndex(1), 4);   // "10"
    EXPECT_EQ(FontSizeListIndex(2), 14);  // "20"
    EXPECT_EQ(FontSizeListIndex(5), 0);   // none: "6"
    EXPECT_EQ(FontSizeListIndex(99), 0);
    EXPECT_EQ(FontSizeListIndex(-1), 0);
    EXPECT_EQ(FontSizeOfListIndex(4), 10);
}

TEST(FontSizeList, PointsBecomePixelsRoundedDown) {
    EXPECT_EQ(FontPixelHeight(10, 96), 13);
    EXPECT_EQ(FontPixelHeight(12, 96), 16);
    EXPECT_EQ(FontPixelHeight(10, 72), 10);
    EXPECT_EQ(FontPixelHeight(0, 96), 1);
}
