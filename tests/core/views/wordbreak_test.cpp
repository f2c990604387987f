#include "core/views/wordbreak.h"

#include <gtest/gtest.h>

#include "core/views/labelindex.h"

using namespace qm;

TEST(DoubleClick, LocalVariableIsSelectedWithItsUnderscore) {
    const std::u16string line = u"x = _unit + 1";
    EXPECT_EQ(DoubleClickSelection(line, 6, true), (std::pair<int, int>{4, 9}));
    // A text view takes the word alone.
    EXPECT_EQ(DoubleClickSelection(line, 6, false), (std::pair<int, int>{5, 9}));
}

TEST(DoubleClick, OneTrailingSpaceIsLeftOut) {
    const std::u16string line = u"hint  \"x\"";
    EXPECT_EQ(DoubleClickSelection(line, 2, true), (std::pair<int, int>{0, 5}));
    EXPECT_EQ(DoubleClickSelection(u"hint x", 1, false), (std::pair<int, int>{0, 4}));
}

TEST(DoubleClick, FirstWordNeverGoesBelowZero) {
    EXPECT_EQ(DoubleClickSelection(u"_a", 1, true), (std::pair<int, int>{0, 2}));
    EXPECT_EQ(DoubleClickSelection(u"word", 0, true), (std::pair<int, int>{0, 4}));
    EXPECT_EQ(DoubleClickSelection(u"", 0, true), (std::pair<int, int>{0, 0}));
}

TEST(WordSteps, StartOfWordAndNextWord) {
    const std::u16string line = u"ab  cd.ef";
    EXPECT_EQ(WordStartAt(line, 1), 0);
    EXPECT_EQ(WordStartAt(line, 3), 0);  // from spaces: the word before
    EXPECT_EQ(NextWordStart(line, 1), 4);
    EXPECT_EQ(NextWordStart(line, 4), 6);
    EXPECT_EQ(WordStartAt(line, 9), 7);
}

TEST(DescriptionIndent, TabsAndABraceCountSpacesDoNot) {
    EXPECT_EQ(DescriptionIndent(u"\t\t{"), 3);
    EXPECT_EQ(DescriptionIndent(u"\tclass A"), 1);
    EXPECT_EQ(DescriptionIndent(u"    {"), 0);
    EXPECT_EQ(DescriptionIndent(u"{"), 1);
    EXPECT_EQ(DescriptionIndent(u""), 0);
}

TEST(LabelIndex, KeepsLabelLinesInOrderAndFollowsOneLineEdits) {
    LabelIndex idx;
    EXPECT_TRUE(idx.Rebuild({u"#start ; first", u" #indented", u"hint", u"#start ; first", u""}));
    ASSERT_EQ(idx.Entries().size(), 2u);
    EXPECT_EQ(idx.Entries()[1].line, 3);
    EXPECT_FALSE(idx.Rebuild({u"#start ; first", u" #indented", u"hint", u"#start ; first", u""}));
    // Typing "#" at the start of a line adds it; editing the text follows; removing it drops it.
    using U = LabelIndex::Update;
    auto update = [&](int line, const std::u16string& text) {
        U u = idx.UpdateLine(line, text);
        return std::pair<U::Kind, int>{u.kind, u.index};
    };
    EXPECT_EQ(update(2, u"#"), (std::pair<U::Kind, int>{U::Inserted, 1}));
    EXPECT_EQ(idx.IndexOfLine(2), 1);
    EXPECT_EQ(update(2, u"#mid"), (std::pair<U::Kind, int>{U::Changed, 1}));
    EXPECT_EQ(idx.Entries()[1].text, u"#mid");
    EXPECT_EQ(update(2, u"#mid").first, U::None);
    EXPECT_EQ(update(2, u"mid"), (std::pair<U::Kind, int>{U::Removed, 1}));
    EXPECT_EQ(idx.IndexOfLine(2), -1);
    EXPECT_EQ(update(4, u"hint").first, U::None);
    EXPECT_EQ(update(0, u"#start"), (std::pair<U::Kind, int>{U::Changed, 0}));
}
