#include "core/views/labelindex.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {
std::vector<std::u16string> Lines(std::initializer_list<const char16_t*> l) { return {l.begin(), l.end()}; }
std::vector<LabelIndex::Entry> E(std::initializer_list<LabelIndex::Entry> l) { return l; }
}  // namespace

TEST(LabelIndex, ReplacedLinesMoveTheEntriesBelowAndReportWhatTheListShows) {
    LabelIndex index;
    index.Rebuild(Lines({u"#a", u"x", u"#b", u"x", u"#c"}));
    // A line break typed inside line 1: lines 1..1 become 1..2, #b and #c move down one.
    auto s = index.ReplaceLines(1, 1, Lines({u"x", u""}));
    EXPECT_FALSE(s.changed);
    EXPECT_EQ(index.Entries(), E({{0, u"#a"}, {3, u"#b"}, {5, u"#c"}}));
    // Three lines, one a label, pasted over lines 3..4 (#b and the line after).
    s = index.ReplaceLines(3, 4, Lines({u"#p", u"y", u"#b"}));
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(s.index, 1);
    EXPECT_EQ(s.removed, 1);
    EXPECT_EQ(s.inserted, 2);
    EXPECT_EQ(index.Entries(), E({{0, u"#a"}, {3, u"#p"}, {5, u"#b"}, {6, u"#c"}}));
    // Lines 0..5 deleted into one line.
    s = index.ReplaceLines(0, 5, Lines({u"z"}));
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(s.removed, 3);
    EXPECT_EQ(index.Entries(), E({{1, u"#c"}}));
}

TEST(LabelIndex, ScanningPiecesFindsLabelsSplitAcrossThem) {
    LabelIndex index;
    index.BeginScan();
    for (std::u16string_view piece : {u"#one\nx #no\n#t", u"wo", u" end\n\n", u"#", u"3"}) index.Scan(piece);
    EXPECT_EQ(index.Entries(), E({{0, u"#one"}, {2, u"#two end"}, {4, u"#3"}}));
    index.BeginScan();
    EXPECT_TRUE(index.Entries().empty());
}
