#include "core/app/ansicodec.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(AnsiCodec, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    size_t bad = 99;
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all), &bad), all);
    EXPECT_EQ(bad, 0u);
}

TEST(AnsiCodec, MapsTheWindowsRangeToItsCharacters) {
    EXPECT_EQ(AnsiToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(AnsiToUtf8("\xE9t\xE9"), "\u00E9t\u00E9");
    EXPECT_EQ(Utf8ToAnsi("\u201Cq\u201D"), "\x93q\x94");
}

TEST(AnsiCodec, CharactersWithoutAByteBecomeQuestionMarksAndAreCounted) {
    size_t bad = 0;
    EXPECT_EQ(Utf8ToAnsi("a\u4E2Db\u0394", &bad), "a?b?");
    EXPECT_EQ(bad, 2u);
}
