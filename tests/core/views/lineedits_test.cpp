#include "core/views/lineedits.h"

#include <gtest/gtest.h>

#include "core/views/bracketmatch.h"
#include "core/views/wrapsearch.h"

using namespace qm;

using Lines = std::vector<std::u16string>;

TEST(ToggleRemark, RemarksABlockAndGivesItBackWithBlankLinesKept) {
    const Lines script = {u"hint \"a\"", u"", u"  ~5", u";already"};
    const Lines remarked = ToggleRemark(script, u";");
    EXPECT_EQ(remarked, (Lines{u";hint \"a\"", u"", u";  ~5", u";;already"}));
    EXPECT_EQ(ToggleRemark(remarked, u";"), script);
    // Every non-blank line remarked: the remarks come off, one marker each.
    EXPECT_EQ(ToggleRemark(Lines{u"//class A", u"\t", u"////x"}, u"//"), (Lines{u"class A", u"\t", u"//x"}));
    // A marker further in is not a remark of the line.
    EXPECT_EQ(ToggleRemark(Lines{u" ;x"}, u";"), (Lines{u"; ;x"}));
    EXPECT_EQ(ToggleRemark(Lines{u"", u" "}, u";"), (Lines{u"", u" "}));
}

TEST(IndentLines, TabInAndOutLeavingBlankLinesAndShortIndents) {
    const Lines lines = {u"class A", u"", u"\tx=1;"};
    const Lines in = IndentLines(lines, false, 8);
    EXPECT_EQ(in, (Lines{u"\tclass A", u"", u"\t\tx=1;"}));
    EXPECT_EQ(IndentLines(in, true, 8), lines);
    // Spaces come off up to one tab's width; a line without indent stays.
    EXPECT_EQ(IndentLines(Lines{u"      a", u"  b", u"c", u"    "}, true, 4), (Lines{u"  a", u"b", u"c", u""}));
}

namespace {
std::optional<BracketPair> Match(const Lines& text, TextPoint caret, BracketRules rules, int maxLines = 3000) {
    return MatchBracket([&](int i) { return text[i]; }, static_cast<int>(text.size()), caret, rules, maxLines);
}
}  // namespace

TEST(MatchBracket, PairsAcrossLinesInBothDirections) {
    const Lines sqf = {u"if (a) then {", u"  x = [1, (2)];", u"};"};
    // After the caret first, then before it.
    EXPECT_EQ(Match(sqf, {0, 12}, BracketRules::Script), (BracketPair{{0, 12}, {2, 0}}));
    EXPECT_EQ(Match(sqf, {2, 1}, BracketRules::Script), (BracketPair{{2, 0}, {0, 12}}));
    EXPECT_EQ(Match(sqf, {1, 6}, BracketRules::Script), (BracketPair{{1, 6}, {1, 13}}));
    EXPECT_EQ(Match(sqf, {1, 11}, BracketRules::Script), (BracketPair{{1, 10}, {1, 12}}));
    EXPECT_EQ(Match(sqf, {0, 1}, BracketRules::Script), std::nullopt);  // no bracket at the caret
    EXPECT_EQ(Match(Lines{u"(a]"}, {0, 0}, BracketRules::Script), std::nullopt);  // no partner
    EXPECT_EQ(Match(Lines{u""}, {3, 0}, BracketRules::Script), std::nullopt);      // no such line
}

TEST(MatchBracket, StringsAndRemarksAreLeftOut) {
    const Lines script = {u"hint format [\"%1 ]\", (x)]", u"; ] a remark", u"]"};
    EXPECT_EQ(Match(script, {0, 12}, BracketRules::Script), (BracketPair{{0, 12}, {0, 24}}));
    EXPECT_EQ(Match(script, {0, 17}, BracketRules::Script), std::nullopt);  // inside the string
    EXPECT_EQ(Match(script, {1, 2}, BracketRules::Script), std::nullopt);   // inside the remark

    const Lines ext = {u"class A { // }", u"  text = \"{\";", u"};"};
    EXPECT_EQ(Match(ext, {0, 8}, BracketRules::Description), (BracketPair{{0, 8}, {2, 0}}));
    EXPECT_EQ(Match(ext, {0, 13}, BracketRules::Description), std::nullopt);
    // The same lines as a script: "//" is no remark there.
    EXPECT_EQ(Match(ext, {0, 8}, BracketRules::Script), (BracketPair{{0, 8}, {0, 13}}));
}

TEST(MatchBracket, StopsLookingAfterItsLineLimit) {
    Lines text(50, u"x");
    text.front() = u"{";
    text.back() = u"}";
    EXPECT_EQ(Match(text, {0, 0}, BracketRules::Script, 49), (BracketPair{{0, 0}, {49, 0}}));
    EXPECT_EQ(Match(text, {0, 0}, BracketRules::Script, 48), std::nullopt);
}

TEST(FindWrapping, GoesOnFromTheOtherEndAndSaysSo) {
    // Matches at 10 and 30 of a text of 50.
    const auto down = [](int from) { return from <= 10 ? 10 : from <= 30 ? 30 : -1; };
    const auto up = [](int from) { return from >= 30 ? 30 : from >= 10 ? 10 : -1; };
    EXPECT_EQ(FindWrapping(down, 5, 50, false).position, 10);
    EXPECT_FALSE(FindWrapping(down, 5, 50, false).wrapped);
    const WrapFound pastEnd = FindWrapping(down, 31, 50, false);
    EXPECT_EQ(pastEnd.position, 10);
    EXPECT_TRUE(pastEnd.wrapped);
    const WrapFound pastStart = FindWrapping(up, 9, 50, true);
    EXPECT_EQ(pastStart.position, 30);
    EXPECT_TRUE(pastStart.wrapped);
    EXPECT_EQ(FindWrapping([](int) { return -1; }, 20, 50, false).position, -1);
    EXPECT_FALSE(FindWrapping([](int) { return -1; }, 0, 50, false).wrapped);
    EXPECT_STREQ(WrapMessage(false), "Passed the end of the text");
    EXPECT_STREQ(WrapMessage(true), "Passed the start of the text");
}
