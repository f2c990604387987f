// Find in a very large text, and its characters without an ANSI byte. Find: against a plain search
// of the whole string, across the stretches the search reads, with letter case and whole words as
// the editor's Find treats them.
#include <gtest/gtest.h>

#include <random>

#include "core/app/casefold.h"
#include "core/doc/tableansi.h"
#include "core/doc/tablesearch.h"

using namespace qm;

namespace {
// The characters of the random texts: letters of both cases (ASCII and Windows-1252), a digit, and
// the two that part words here, a blank and "_".
const char* const kChars[] = {"a", "A", "b", "\xC3\xA9", "\xC3\x89", "\xC5\xB8", "\xC3\xBF", " ", "_", "1"};

bool Parts(const std::string& text, size_t at) { return text[at] == ' ' || text[at] == '_'; }

// The plain answer: every start in order, over the whole text at once.
std::vector<size_t> Starts(const std::string& text, const TableSearch& s) {
    const std::string hay = s.matchCase ? text : FoldCase(text), what = s.matchCase ? s.what : FoldCase(s.what);
    std::vector<size_t> starts;
    for (size_t at = hay.find(what); at != std::string::npos; at = hay.find(what, at + 1)) {
        const size_t end = at + what.size();
        if (s.wholeWord && ((at > 0 && !Parts(text, at - 1)) || (end < text.size() && !Parts(text, end)))) continue;
        starts.push_back(at);
    }
    return starts;
}
}  // namespace

TEST(TableSearch, FindsWhatAPlainSearchOfTheWholeTextFindsEitherWay) {
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        std::string text;
        for (int i = 0; i < 3000; ++i) text += kChars[random() % 10];
        PieceTable table(text);
        // Edits leave the text in many pieces, as typing does.
        for (int e = 0; e < 40; ++e) {
            const size_t at = random() % table.Size();
            if ((static_cast<unsigned char>(table.Text(at, 1)[0]) & 0xC0) != 0x80) table.Insert(at, kChars[random() % 10]);
        }
        text = table.WholeText();
        for (const char* what : {"a", "ab", "A\xC3\xA9", "\xC3\xBF a", "\xC5\xB8", "1_", "zz"}) {
            for (int flags = 0; flags < 4; ++flags) {
                const TableSearch s{what, bool(flags & 1), bool(flags & 2)};
                const std::vector<size_t> starts = Starts(text, s);
                for (size_t from = 0; from <= text.size(); from += 1 + random() % 97) {
                    const auto next = std::lower_bound(starts.begin(), starts.end(), from);
                    EXPECT_EQ(FindInTable(table, s, from, false), next == starts.end() ? std::string::npos : *next)
                        << what << " from " << from << " flags " << flags;
                    EXPECT_EQ(FindInTable(table, s, from, true),
                              next == starts.begin() ? std::string::npos : *(next - 1))
                        << what << " back from " << from << " flags " << flags;
                }
                for (size_t at : starts) EXPECT_TRUE(IsMatchAt(table, s, at, s.what.size()));
            }
        }
    }
}

TEST(TableSearch, AMatchAcrossTheStretchesReadIsFoundAndCaseFoldingKeepsOffsets) {
    // Capitals of two bytes across the first megabyte's end, which cuts the first of them in two.
    const size_t at = (size_t{1} << 20) - 1;
    const std::string text =
        std::string(at, 'x') + "\xC3\x89" "B\xC5\xB8" "c" + std::string(300000, 'y') + "e\xCC\x81";
    PieceTable table(text);
    const TableSearch s{"\xC3\xA9" "b\xC3\xBF" "C", false, true};
    EXPECT_EQ(FindInTable(table, s, 0, false), std::string::npos);  // "x" before it is a letter
    const TableSearch loose{"\xC3\xA9" "b\xC3\xBF" "C", false, false};
    EXPECT_EQ(FindInTable(table, loose, 0, false), at);
    EXPECT_EQ(FindInTable(table, loose, table.Size(), true), at);
    EXPECT_EQ(FindInTable(table, loose, at, true), std::string::npos);
    EXPECT_EQ(FindInTable(table, TableSearch{loose.what, true, false}, 0, false), std::string::npos);
    EXPECT_TRUE(IsMatchAt(table, loose, at, loose.what.size()));
    EXPECT_FALSE(IsMatchAt(table, loose, at + 1, loose.what.size()));
    // A match right before the text's last character.
    EXPECT_EQ(FindInTable(table, TableSearch{"ye", false, false}, 0, false), table.Size() - 4);
    EXPECT_EQ(FindInTable(table, TableSearch{"", false, false}, 0, false), std::string::npos);
}

TEST(TableAnsi, CharactersWithoutAByteBecomeQuestionMarksInOneUndoStep) {
    // The code page's own characters stay; others, of two to four bytes, go, one cut by the first megabyte.
    const std::string kept = "caf\xC3\xA9 \xE2\x82\xAC ", gone = "\xCE\xA9", emoji = "\xF0\x9F\x98\x80";
    std::string text = kept + gone + std::string((size_t{1} << 20) - kept.size() - 2 * gone.size() - 2, 'x') + emoji + "end";
    PieceTable table(text);
    table.Insert(0, gone);  // in a piece of its own; the emoji now starts 2 bytes before 1 MB
    EXPECT_EQ(ReplaceUnmappable(table), 3u);
    EXPECT_EQ(table.Text(0, 12), "?caf\xC3\xA9 \xE2\x82\xAC ?");
    EXPECT_EQ(table.Text(table.Size() - 6, 6), "xx?end");
    table.Undo();
    EXPECT_EQ(table.WholeText(), gone + text);
    EXPECT_EQ(ReplaceUnmappable(table = PieceTable(kept)), 0u);
    EXPECT_FALSE(table.CanUndo());
}
