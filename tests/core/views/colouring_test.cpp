#include "core/views/colouring.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {
Catalogue TestCatalogue() {
    Catalogue c;
    c.m_commands = {"addWeapon", "hint", "setDamage", "exit", "player"};
    c.m_weapons = {"RIFLEA"};
    c.m_ammo = {"MagA"};
    c.m_vehicleAmmo = {"ShellA"};
    c.m_equipment = {"Binocular"};
    c.RebuildIndexes();
    return c;
}

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// One letter per character: t text, r remark, c command, i item, p programming, v variable;
// upper case when bold.
std::string Paint(const std::vector<ColourRun>& runs) {
    std::string out;
    for (const auto& r : runs) {
        char ch = "trcipv"[static_cast<int>(r.role)];
        if (r.bold) ch = static_cast<char>(ch - 32);
        out.append(static_cast<size_t>(r.length), ch);
    }
    return out;
}

std::string Script(const std::string& line) {
    static const Catalogue c = TestCatalogue();
    return Paint(ColourScriptLine(U(line), c));
}
std::string Description(const std::string& line) { return Paint(ColourDescriptionLine(U(line))); }
}  // namespace

TEST(ScriptColouring, LineKindsByTheFirstCharacterOnly) {
    EXPECT_EQ(Script("; remark hint"), "rrrrrrrrrrrrr");
    EXPECT_EQ(Script("#loop"), "ppppp");
    EXPECT_EQ(Script("&x hint"), "ppppppp");
    // Two spaces before ";" make no remark: its words are looked up as usual.
    EXPECT_EQ(Script("  ; hint"), "tttt" "cccc");
    EXPECT_EQ(Script(""), "");
}

TEST(ScriptColouring, TildeLinesKeepTheirColourUnderANumber) {
    EXPECT_EQ(Script("~1.5"), "pppp");
    EXPECT_EQ(Script("~5 hint"), "ppp" "cccc");
}

TEST(ScriptColouring, KeywordsAndSpecialVariables) {
    EXPECT_EQ(Script("goto \"loop\""), "pppp" "ttttttt");
    EXPECT_EQ(Script("if (a and b) then {}"), "pp" "tttt" "ppp" "tttt" "pppp" "ttt");
    EXPECT_EQ(Script("a && b || c"), "ttpptttpptt");
    EXPECT_EQ(Script("_this _Time _TIME _unit"), "ppppptppppptppppptvvvvv");
}

TEST(ScriptColouring, CommandsIgnoreLetterCaseAndColourTheWholeName) {
    EXPECT_EQ(Script("player ADDWEAPON x"), "cccccctccccccccctt");
    EXPECT_EQ(Script("_u setDamage 1"), "vv" "t" "ccccccccc" "tt");
    EXPECT_EQ(Script("hint"), "cccc");
}

TEST(ScriptColouring, QuotedItemsAreColouredWithoutTheirQuotes) {
    EXPECT_EQ(Script("this addWeapon \"riflea\""), "ttttt" "ccccccccc" "tt" "iiiiii" "t");
    EXPECT_EQ(Script("\"MagA\" \"ShellA\" \"Binocular\""), "tiiiitttiiiiiitttiiiiiiiiit");
    // A quoted string of several words: only the last word reaches the look-up.
    EXPECT_EQ(Script("hint \"a riflea\""), "cccc" "tttt" "iiiiii" "t");
    EXPECT_EQ(Script("hint \"riflea b\""), "ccccttttttttttt");
}

TEST(ScriptColouring, ItemsBehindManyQuotesAreColouredWholeAndTheQuotesAreNot) {
    EXPECT_EQ(Script("\"\"riflea\"\""), "tt" "iiiiii" "tt");
    EXPECT_EQ(Script("\"\"\"RifleA\"\"\""), "ttt" "iiiiii" "ttt");
    EXPECT_EQ(Script("hint \"\"\"\"MagA\"\"\"\""), "cccc" "t" "tttt" "iiii" "tttt");
    EXPECT_EQ(Script("\"\"\"\""), "tttt");
}

TEST(ScriptColouring, SpecialCharactersOutsideAndPercentInsideQuotes) {
    // The word directly before ":" is not looked up.
    EXPECT_EQ(Script("?alive:hint"), "p" "ttttt" "p" "cccc");
    EXPECT_EQ(Script("? a : exit"), "p" "ttt" "p" "t" "cccc");
    EXPECT_EQ(Script("hint:x"), "ttttpt");
    EXPECT_EQ(Script("!a @b"), "pttpt");
    EXPECT_EQ(Script("hint \"50%\" ?"), "cccc" "tttt" "p" "tt" "p");
    EXPECT_EQ(Script("hint \"a:b\""), "cccctttttt");
}

TEST(ScriptColouring, NumbersAndUnknownWordsKeepTheTextColour) {
    EXPECT_EQ(Script("x = 10 + y"), "tttttttttt");
}

TEST(ScriptColouring, NonAsciiLettersEndWords) {
    EXPECT_EQ(Paint(ColourScriptLine(u"\u00e9hint", TestCatalogue())), "t" "cccc");
}

TEST(DescriptionColouring, ClassIsBoldAndARemarkEndsTheLine) {
    EXPECT_EQ(Description("class CfgSounds // class again"), "PPPPP" "ttttttttttt" "rrrrrrrrrrrrrr");
    EXPECT_EQ(Description("subclass x"), "tttPPPPPtt");
    EXPECT_EQ(Description("CLASS"), "PPPPP");
    EXPECT_EQ(Description("// only"), "rrrrrrr");
    EXPECT_EQ(Description("a / b"), "ttttt");
    EXPECT_EQ(Description(""), "");
}

TEST(WordAround, LettersDigitsAndUnderscore) {
    const std::u16string line = u"a \"Rifle_2\" b";
    EXPECT_EQ(WordAround(line, 4), (std::pair<int, int>{3, 10}));
    EXPECT_EQ(WordAround(line, 10), (std::pair<int, int>{3, 10}));  // right after the word
    EXPECT_EQ(WordAround(line, 1), (std::pair<int, int>{0, 1}));
    EXPECT_EQ(WordAround(line, 2), (std::pair<int, int>{2, 2}));
    EXPECT_EQ(WordAround(line, 99), (std::pair<int, int>{99, 99}));
}
