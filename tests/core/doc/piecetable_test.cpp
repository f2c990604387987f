#include "core/doc/piecetable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace qm;

namespace {

size_t Breaks(std::string_view s) { return size_t(std::count(s.begin(), s.end(), '\n')); }

// Every question the table answers, asked of a plain string.
void ExpectSame(const PieceTable& t, const std::string& model) {
    ASSERT_EQ(t.Size(), model.size());
    ASSERT_EQ(t.WholeText(), model);
    ASSERT_EQ(t.LineCount(), Breaks(model) + 1);
    size_t start = 0;
    for (size_t line = 0; line < t.LineCount(); ++line) {
        const size_t end = std::min(model.find('\n', start), model.size());
        ASSERT_EQ(t.LineStart(line), start) << "line " << line;
        ASSERT_EQ(t.LineEnd(line), end) << "line " << line;
        ASSERT_EQ(t.LineOfOffset(start), line);
        ASSERT_EQ(t.LineOfOffset(end), line);
        start = end + 1;
    }
    ASSERT_EQ(t.LineStart(t.LineCount()), model.size());
}

}  // namespace

TEST(PieceTable, LinesOffsetsAndRangesOfAnEditedText) {
    PieceTable t("alpha\nbeta\n\ngamma");
    EXPECT_EQ(t.LineCount(), 4u);
    EXPECT_EQ(t.LineText(1), "beta");
    EXPECT_EQ(t.LineText(2), "");
    EXPECT_EQ(t.LineOfOffset(6), 1u);
    t.Insert(8, "X\nY");  // inside "beta"
    EXPECT_EQ(t.WholeText(), "alpha\nbeX\nYta\n\ngamma");
    EXPECT_EQ(t.LineText(2), "Yta");
    t.Erase(3, 6);  // "ha\nbeX" goes: two lines join
    EXPECT_EQ(t.WholeText(), "alp\nYta\n\ngamma");
    EXPECT_EQ(t.Text(2, 5), "p\nYta");
    EXPECT_EQ(t.Text(13, 100), "a");  // cut at the end
    // Spans cover the range in order and a false from the sink stops them.
    std::string joined;
    t.ForEachSpan(1, 10, [&](std::string_view s) {
        joined += s;
        return true;
    });
    EXPECT_EQ(joined, t.Text(1, 10));
    int calls = 0;
    t.ForEachSpan(0, t.Size(), [&](std::string_view) { return ++calls < 2; });
    EXPECT_EQ(calls, 2);
    ExpectSame(t, "alp\nYta\n\ngamma");

    PieceTable empty;
    EXPECT_EQ(empty.LineCount(), 1u);
    EXPECT_EQ(empty.LineEnd(0), 0u);
    empty.Erase(0, 5);  // nothing to erase: no undo step
    EXPECT_FALSE(empty.CanUndo());
    empty.Insert(99, "end");  // past the end: at the end
    EXPECT_EQ(empty.WholeText(), "end");
}

TEST(PieceTable, UndoRedoGroupsTypingAndTheSavedState) {
    PieceTable t("one two");
    t.MarkClean();
    for (char c : std::string("abc")) t.Insert(3 + size_t(c - 'a'), std::string(1, c), true);
    EXPECT_EQ(t.WholeText(), "oneabc two");
    EXPECT_FALSE(t.IsClean());
    t.Insert(0, ">", true);  // not where the typing stopped: a step of its own
    EXPECT_EQ(t.Undo(), 0u);
    EXPECT_EQ(t.Undo(), 3u);  // the typed run undoes at once, caret where it began
    EXPECT_EQ(t.WholeText(), "one two");
    EXPECT_TRUE(t.IsClean());
    EXPECT_EQ(t.Redo(), 6u);
    EXPECT_EQ(t.WholeText(), "oneabc two");

    // Save here; typing on from the same place must not join the saved step.
    t.MarkClean();
    t.Insert(6, "d", true);
    EXPECT_EQ(t.Undo(), 6u);
    EXPECT_TRUE(t.IsClean());

    // A group (a paste over a selection, Replace All) is one step, however many edits.
    t.BeginUndoGroup();
    t.Replace(0, 3, "ONE");
    t.BeginUndoGroup();
    t.Erase(7, 3);
    t.EndUndoGroup();
    t.Insert(7, "TWO");
    t.EndUndoGroup();
    EXPECT_EQ(t.WholeText(), "ONEabc TWO");
    t.Undo();
    EXPECT_EQ(t.WholeText(), "oneabc two");
    EXPECT_TRUE(t.IsClean());

    // An edit after an undo drops the redo steps; the saved state, left behind in them, is gone.
    t.Undo();
    EXPECT_FALSE(t.IsClean());
    t.Insert(0, "x");
    EXPECT_FALSE(t.CanRedo());
    while (t.CanUndo()) t.Undo();
    EXPECT_EQ(t.WholeText(), "one two");
    EXPECT_FALSE(t.IsClean());
}

TEST(PieceTable, ChangeReportsLetACallerFollowTheLines) {
    PieceTable t("a\nb\nc\nd");
    std::vector<PieceTable::Change> seen;
    t.onChange = [&](const PieceTable::Change& c) { seen.push_back(c); };
    t.Erase(1, 4);  // "\nb\nc" from line 0
    t.Insert(2, "x\ny\nz");
    t.Undo();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].line, 0u);
    EXPECT_EQ(seen[0].removed, 4u);
    EXPECT_EQ(seen[0].removedBreaks, 2u);
    EXPECT_EQ(seen[1].line, 1u);
    EXPECT_EQ(seen[1].insertedBreaks, 2u);
    EXPECT_EQ(seen[2].line, 1u);
    EXPECT_EQ(seen[2].removed, 5u);
    EXPECT_EQ(seen[2].removedBreaks, 2u);
}

// Thousands of random edits, undos and redos against a plain string. Without typing merged, each
// edit is one undo step, so the string's own history of texts says what every undo and redo gives.
TEST(PieceTable, RandomEditsUndosRedosAndSnapshotsMatchAPlainString) {
    std::mt19937 random(2026);
    const auto pick = [&](size_t n) { return n == 0 ? size_t{0} : size_t(random() % (n + 1)); };
    const std::string alphabet = "ab\nc\n#;xyz";
    for (int round = 0; round < 8; ++round) {
        const bool merging = round % 2 == 1;
        std::string model;
        for (int i = 0; i < 300 * round; ++i) model += alphabet[random() % alphabet.size()];
        PieceTable t(model);
        std::vector<std::string> history{model}, future;
        size_t reportedSize = model.size(), reportedBreaks = Breaks(model);
        t.onChange = [&](const PieceTable::Change& c) {
            ASSERT_EQ(c.line, Breaks(std::string_view(model).substr(0, c.offset)));
            reportedSize += c.inserted - c.removed;
            reportedBreaks += c.insertedBreaks - c.removedBreaks;
        };
        // Snapshots taken along the way keep their text whatever the table does after.
        std::vector<std::pair<PieceTable::Snapshot, std::string>> snapshots;
        for (int step = 0; step < 1500; ++step) {
            if (step % 100 == 0) snapshots.emplace_back(t.TakeSnapshot(), model);
            const int what = int(random() % 10);
            if (what < 4) {
                std::string text;
                for (size_t n = 1 + random() % (random() % 8 == 0 ? 200 : 4); n > 0; --n)
                    text += alphabet[random() % alphabet.size()];
                const size_t at = pick(model.size());
                t.Insert(at, text, merging && random() % 2 == 0);
                model.insert(at, text);
            } else if (what < 7) {
                const size_t at = pick(model.size());
                const size_t length = pick(std::min<size_t>(model.size() - at, random() % 4 == 0 ? 400 : 5));
                if (length == 0) continue;
                t.Erase(at, length);
                model.erase(at, length);
            } else if (what < 9) {
                if (!t.CanUndo()) continue;
                t.Undo();
                if (!merging) {
                    future.push_back(history.back());
                    history.pop_back();
                    ASSERT_EQ(t.WholeText(), history.back());
                }
                model = t.WholeText();
                continue;
            } else {
                if (!t.CanRedo()) continue;
                t.Redo();
                if (!merging) {
                    ASSERT_EQ(t.WholeText(), future.back());
                    history.push_back(future.back());
                    future.pop_back();
                }
                model = t.WholeText();
                continue;
            }
            history.push_back(model);
            future.clear();
            if (step % 50 == 0) ExpectSame(t, model);
            ASSERT_EQ(t.WholeText(), model);
            ASSERT_EQ(reportedSize, model.size());
            ASSERT_EQ(reportedBreaks + 1, t.LineCount());
        }
        ExpectSame(t, model);
        for (const auto& [snapshot, text] : snapshots) ASSERT_EQ(snapshot.WholeText(), text);
        // Undo all the way gives the first text back, redo all the way the last.
        const std::string last = t.WholeText();
        while (t.CanUndo()) {
            t.Undo();
            model = t.WholeText();
        }
        ExpectSame(t, history.front());
        while (t.CanRedo()) {
            t.Redo();
            model = t.WholeText();
        }
        ExpectSame(t, last);
    }
}

// Many small edits spread over a large text keep the table quick: chunks split as they fill.
TEST(PieceTable, ManyScatteredEditsOverALargeText) {
    std::string model;
    for (int i = 0; i < 20000; ++i) model += "line " + std::to_string(i) + "\n";
    PieceTable t(model);
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        const size_t at = random() % model.size();
        t.Insert(at, "#");
        model.insert(model.begin() + std::ptrdiff_t(at), '#');
    }
    EXPECT_GT(t.PieceCount(), 5000u);
    ExpectSame(t, model);
    for (int i = 0; i < 3000; ++i) {
        const size_t at = random() % (model.size() - 10);
        t.Erase(at, 7);
        model.erase(at, 7);
    }
    ExpectSame(t, model);
    t.Erase(0, t.Size());
    EXPECT_EQ(t.PieceCount(), 0u);
    while (t.CanUndo()) t.Undo();
    EXPECT_EQ(t.LineCount(), 20001u);
}
