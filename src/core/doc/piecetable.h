#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// A text held as pieces of two buffers: the text it was made with, never changed, and everything
// added since, only ever appended to. An edit splits or trims a few pieces and never moves the
// text, so an edit anywhere in a 50 MB text costs about what it costs in a small one, and an undo
// step keeps the pieces it took out rather than a copy of their text. Lines end with '\n'.
//
// Pieces are kept in chunks of a few hundred with their byte and line-break totals, and each
// buffer keeps the positions of its line breaks, so finding an offset or a line walks the chunks,
// then one chunk's pieces, then one binary search.
class PieceTable {
public:
    explicit PieceTable(std::string text = {});

    size_t Size() const { return m_size; }
    // Line breaks plus one: an empty text has one line.
    size_t LineCount() const { return m_breaks + 1; }
    // The offset of a line's first byte (line past the last: Size()).
    size_t LineStart(size_t line) const;
    // The offset of the line's '\n', or Size() for the last line.
    size_t LineEnd(size_t line) const;
    size_t LineOfOffset(size_t offset) const;

    // The bytes of [offset, offset + length), cut at the end of the text.
    std::string Text(size_t offset, size_t length) const;
    std::string LineText(size_t line) const { return Text(LineStart(line), LineEnd(line) - LineStart(line)); }
    std::string WholeText() const { return Text(0, m_size); }
    // Hands the bytes of a range to `sink` stretch by stretch as they lie in the buffers, so a
    // caller can write the text without a copy of it. A false from the sink stops.
    void ForEachSpan(size_t offset, size_t length, const std::function<bool(std::string_view)>& sink) const;

    // The text as it is now, to be put together on another thread while the table goes on
    // changing: the opened text is shared, not copied; what was typed since and the list of
    // pieces are copied, which costs little next to the whole text.
    class Snapshot {
    public:
        std::string WholeText() const;

    private:
        friend class PieceTable;
        std::shared_ptr<const std::string> m_original;
        std::string m_added;
        std::vector<std::pair<bool, std::pair<size_t, size_t>>> m_spans;  // added?, start, length
        size_t m_size = 0;
    };
    Snapshot TakeSnapshot() const;

    // What one edit did, as the text was before it: `removed` bytes at `offset` (holding
    // `removedBreaks` line breaks) gave way to `inserted` bytes (holding `insertedBreaks`), on line
    // `line`. Undo and Redo report their edits too.
    struct Change {
        size_t offset = 0, removed = 0, inserted = 0;
        size_t line = 0, removedBreaks = 0, insertedBreaks = 0;
    };
    std::function<void(const Change&)> onChange;

    // Typing: a mergeable insert right where the previous one ended joins its undo step, as
    // consecutive typed characters undo together.
    void Insert(size_t offset, std::string_view text, bool mergeable = false);
    void Erase(size_t offset, size_t length);
    void Replace(size_t offset, size_t length, std::string_view text);

    // Edits between these (they nest) undo as one step.
    void BeginUndoGroup();
    void EndUndoGroup();
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Where the caret goes after an undo or redo: the end of the text it put back.
    std::optional<size_t> Undo();
    std::optional<size_t> Redo();
    void ClearUndo();
    // The saved state: IsClean() while undo and redo lead back to it.
    void MarkClean() { m_clean = m_undo.size(); }
    void MarkDirty() { m_clean = kNever; }
    bool IsClean() const { return m_clean == m_undo.size(); }

    // The longest line of the text the table was made with, in bytes: a first width for a view.
    size_t FirstLongestLine() const { return m_firstLongest; }

    // Pieces in use (for tests and measurements).
    size_t PieceCount() const;

private:
    struct Piece {
        bool added = false;
        size_t start = 0, length = 0, breaks = 0;
    };
    struct Chunk {
        std::vector<Piece> pieces;
        size_t bytes = 0, breaks = 0;
    };
    struct Step {
        size_t offset = 0;
        std::vector<Piece> removed, inserted;
        bool mergeable = false;
    };
    using Group = std::vector<Step>;
    struct Place {
        size_t chunk = 0, piece = 0, into = 0;  // `into` bytes into the piece
    };
    static constexpr size_t kNever = size_t(-1);

    const std::string& Buffer(const Piece& p) const { return p.added ? m_added : *m_original; }
    const std::vector<size_t>& BreaksOf(const Piece& p) const { return p.added ? m_addedBreaks : m_originalBreaks; }
    size_t CountBreaks(bool added, size_t from, size_t to) const;
    Piece Cut(const Piece& p, size_t from, size_t to) const;
    // The piece holding `offset` (or the end of the text).
    Place Find(size_t offset) const;
    // Splits the piece at `offset` so that a piece starts there; returns that place.
    Place SplitAt(size_t offset);
    void InsertPieces(size_t offset, const std::vector<Piece>& pieces);
    std::vector<Piece> RemoveRange(size_t offset, size_t length);
    void Retotal(Chunk& chunk);
    void Rebalance(size_t chunk);
    void Record(Step step);
    static size_t Length(const std::vector<Piece>& pieces);
    static size_t Breaks(const std::vector<Piece>& pieces);

    std::shared_ptr<const std::string> m_original;  // never changes: snapshots share it
    std::string m_added;
    std::vector<size_t> m_originalBreaks, m_addedBreaks;
    std::vector<Chunk> m_chunks;
    size_t m_size = 0, m_breaks = 0, m_firstLongest = 0;
    std::vector<Group> m_undo, m_redo;
    int m_groupDepth = 0;
    bool m_groupStarted = false;
    size_t m_clean = 0;
};

}  // namespace qm
