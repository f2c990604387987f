#include "core/doc/piecetable.h"

#include <algorithm>
#include <cstring>

namespace qm {

namespace {
// Pieces a chunk holds at most before it is split in two: small enough that inserting into one
// moves little, large enough that walking the chunks of a heavily edited text stays short.
constexpr size_t kChunkMax = 512;

void AddBreaks(std::vector<size_t>& breaks, const std::string& buffer, size_t from) {
    const char* data = buffer.data();
    const char* end = data + buffer.size();
    for (const char* p = data + from; (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p))));
         ++p)
        breaks.push_back(size_t(p - data));
}
}  // namespace

PieceTable::PieceTable(std::string text) : m_original(std::make_shared<const std::string>(std::move(text))) {
    const std::string& original = *m_original;
    AddBreaks(m_originalBreaks, original, 0);
    size_t lineStart = 0;
    for (size_t b : m_originalBreaks) {
        m_firstLongest = std::max(m_firstLongest, b - lineStart);
        lineStart = b + 1;
    }
    m_firstLongest = std::max(m_firstLongest, original.size() - lineStart);
    if (!original.empty()) InsertPieces(0, {Piece{false, 0, original.size(), m_originalBreaks.size()}});
}

PieceTable::Snapshot PieceTable::TakeSnapshot() const {
    Snapshot s;
    s.m_original = m_original;
    s.m_added = m_added;
    s.m_size = m_size;
    for (const Chunk& chunk : m_chunks)
        for (const Piece& p : chunk.pieces) s.m_spans.push_back({p.added, {p.start, p.length}});
    return s;
}

std::string PieceTable::Snapshot::WholeText() const {
    std::string text;
    text.reserve(m_size);
    for (const auto& [added, span] : m_spans) text.append(added ? m_added : *m_original, span.first, span.second);
    return text;
}

size_t PieceTable::Length(const std::vector<Piece>& pieces) {
    size_t n = 0;
    for (const Piece& p : pieces) n += p.length;
    return n;
}

size_t PieceTable::Breaks(const std::vector<Piece>& pieces) {
    size_t n = 0;
    for (const Piece& p : pieces) n += p.breaks;
    return n;
}

size_t PieceTable::PieceCount() const {
    size_t n = 0;
    for (const Chunk& c : m_chunks) n += c.pieces.size();
    return n;
}

size_t PieceTable::CountBreaks(bool added, size_t from, size_t to) const {
    const std::vector<size_t>& b = added ? m_addedBreaks : m_originalBreaks;
    return size_t(std::lower_bound(b.begin(), b.end(), to) - std::lower_bound(b.begin(), b.end(), from));
}

PieceTable::Piece PieceTable::Cut(const Piece& p, size_t from, size_t to) const {
    return Piece{p.added, p.start + from, to - from, CountBreaks(p.added, p.start + from, p.start + to)};
}

PieceTable::Place PieceTable::Find(size_t offset) const {
    size_t at = 0;
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        const Chunk& chunk = m_chunks[c];
        if (offset >= at + chunk.bytes) {
            at += chunk.bytes;
            continue;
        }
        for (size_t i = 0; i < chunk.pieces.size(); ++i) {
            if (offset < at + chunk.pieces[i].length) return Place{c, i, offset - at};
            at += chunk.pieces[i].length;
        }
    }
    return Place{m_chunks.size(), 0, 0};
}

PieceTable::Place PieceTable::SplitAt(size_t offset) {
    Place place = Find(offset);
    if (place.into == 0) return place;
    std::vector<Piece>& pieces = m_chunks[place.chunk].pieces;
    const Piece whole = pieces[place.piece];
    pieces[place.piece] = Cut(whole, 0, place.into);
    pieces.insert(pieces.begin() + std::ptrdiff_t(place.piece) + 1, Cut(whole, place.into, whole.length));
    return Place{place.chunk, place.piece + 1, 0};
}

void PieceTable::Rebalance(size_t c) {
    while (m_chunks[c].pieces.size() > kChunkMax) {
        Chunk rest;
        std::vector<Piece>& pieces = m_chunks[c].pieces;
        const auto cut = pieces.begin() + std::ptrdiff_t(kChunkMax / 2);
        rest.pieces.assign(cut, pieces.end());
        pieces.erase(cut, pieces.end());
        Retotal(m_chunks[c]);
        Retotal(rest);
        m_chunks.insert(m_chunks.begin() + std::ptrdiff_t(c) + 1, std::move(rest));
        ++c;
    }
}

void PieceTable::Retotal(Chunk& chunk) {
    chunk.bytes = Length(chunk.pieces);
    chunk.breaks = Breaks(chunk.pieces);
}

void PieceTable::InsertPieces(size_t offset, const std::vector<Piece>& pieces) {
    if (pieces.empty()) return;
    Place place = SplitAt(offset);
    if (m_chunks.empty()) m_chunks.emplace_back();
    if (place.chunk == m_chunks.size()) place = Place{m_chunks.size() - 1, m_chunks.back().pieces.size(), 0};
    size_t from = 0;
    // Typing appends to the added buffer right after the piece before the caret: that piece grows.
    Piece* before = nullptr;
    if (place.piece > 0) before = &m_chunks[place.chunk].pieces[place.piece - 1];
    else if (place.chunk > 0) before = &m_chunks[place.chunk - 1].pieces.back();
    if (before && before->added == pieces[0].added && before->start + before->length == pieces[0].start) {
        before->length += pieces[0].length;
        before->breaks += pieces[0].breaks;
        Chunk& owner = place.piece > 0 ? m_chunks[place.chunk] : m_chunks[place.chunk - 1];
        owner.bytes += pieces[0].length;
        owner.breaks += pieces[0].breaks;
        from = 1;
    }
    Chunk& chunk = m_chunks[place.chunk];
    chunk.pieces.insert(chunk.pieces.begin() + std::ptrdiff_t(place.piece), pieces.begin() + std::ptrdiff_t(from),
                        pieces.end());
    for (size_t i = from; i < pieces.size(); ++i) {
        chunk.bytes += pieces[i].length;
        chunk.breaks += pieces[i].breaks;
    }
    m_size += Length(pieces);
    m_breaks += Breaks(pieces);
    Rebalance(place.chunk);
}

std::vector<PieceTable::Piece> PieceTable::RemoveRange(size_t offset, size_t length) {
    std::vector<Piece> removed;
    if (length == 0) return removed;
    const Place first = SplitAt(offset);
    SplitAt(offset + length);  // splits at or after `first`, which stays where it is
    size_t c = first.chunk, i = first.piece, left = length;
    while (left > 0 && c < m_chunks.size()) {
        Chunk& chunk = m_chunks[c];
        size_t end = i;
        while (end < chunk.pieces.size() && left > 0) {
            removed.push_back(chunk.pieces[end]);
            chunk.bytes -= chunk.pieces[end].length;
            chunk.breaks -= chunk.pieces[end].breaks;
            left -= chunk.pieces[end].length;
            ++end;
        }
        chunk.pieces.erase(chunk.pieces.begin() + std::ptrdiff_t(i), chunk.pieces.begin() + std::ptrdiff_t(end));
        if (chunk.pieces.empty()) m_chunks.erase(m_chunks.begin() + std::ptrdiff_t(c));
        else ++c;
        i = 0;
    }
    m_size -= Length(removed);
    m_breaks -= Breaks(removed);
    return removed;
}

size_t PieceTable::LineStart(size_t line) const {
    if (line == 0) return 0;
    if (line > m_breaks) return m_size;
    size_t n = line, at = 0;  // the n-th break from here ends the line before
    for (const Chunk& chunk : m_chunks) {
        if (chunk.breaks < n) {
            n -= chunk.breaks;
            at += chunk.bytes;
            continue;
        }
        for (const Piece& p : chunk.pieces) {
            if (p.breaks < n) {
                n -= p.breaks;
                at += p.length;
                continue;
            }
            const std::vector<size_t>& b = BreaksOf(p);
            const auto it = std::lower_bound(b.begin(), b.end(), p.start) + std::ptrdiff_t(n - 1);
            return at + (*it - p.start) + 1;
        }
    }
    return m_size;
}

size_t PieceTable::LineEnd(size_t line) const { return line >= m_breaks ? m_size : LineStart(line + 1) - 1; }

size_t PieceTable::LineOfOffset(size_t offset) const {
    if (offset >= m_size) return m_breaks;
    size_t at = 0, line = 0;
    for (const Chunk& chunk : m_chunks) {
        if (offset >= at + chunk.bytes) {
            at += chunk.bytes;
            line += chunk.breaks;
            continue;
        }
        for (const Piece& p : chunk.pieces) {
            if (offset >= at + p.length) {
                at += p.length;
                line += p.breaks;
                continue;
            }
            return line + CountBreaks(p.added, p.start, p.start + (offset - at));
        }
    }
    return line;
}

void PieceTable::ForEachSpan(size_t offset, size_t length, const std::function<bool(std::string_view)>& sink) const {
    offset = std::min(offset, m_size);
    length = std::min(length, m_size - offset);
    Place place = Find(offset);
    size_t into = place.into;
    for (size_t c = place.chunk; c < m_chunks.size() && length > 0; ++c) {
        const std::vector<Piece>& pieces = m_chunks[c].pieces;
        for (size_t i = c == place.chunk ? place.piece : 0; i < pieces.size() && length > 0; ++i) {
            const Piece& p = pieces[i];
            const size_t n = std::min(length, p.length - into);
            if (!sink(std::string_view(Buffer(p)).substr(p.start + into, n))) return;
            length -= n;
            into = 0;
        }
    }
}

std::string PieceTable::Text(size_t offset, size_t length) const {
    std::string text;
    text.reserve(std::min(length, m_size - std::min(offset, m_size)));
    ForEachSpan(offset, length, [&](std::string_view s) {
        text.append(s);
        return true;
    });
    return text;
}

void PieceTable::Record(Step step) {
    if (m_clean != kNever && m_clean > m_undo.size()) m_clean = kNever;  // the saved state was undone and left
    m_redo.clear();
    if (m_groupDepth > 0 && m_groupStarted && !m_undo.empty()) {
        m_undo.back().push_back(std::move(step));
        return;
    }
    m_undo.push_back(Group{std::move(step)});
    m_groupStarted = m_groupDepth > 0;
}

void PieceTable::Insert(size_t offset, std::string_view text, bool mergeable) {
    if (text.empty()) return;
    offset = std::min(offset, m_size);
    const size_t start = m_added.size(), breaksBefore = m_addedBreaks.size();
    m_added.append(text);
    AddBreaks(m_addedBreaks, m_added, start);
    const Piece piece{true, start, text.size(), m_addedBreaks.size() - breaksBefore};
    const size_t line = onChange ? LineOfOffset(offset) : 0;
    InsertPieces(offset, {piece});
    if (onChange) onChange(Change{offset, 0, piece.length, line, 0, piece.breaks});

    if (mergeable && m_groupDepth == 0 && m_redo.empty() && !m_undo.empty() && m_clean != m_undo.size() &&
        m_undo.back().size() == 1) {
        Step& last = m_undo.back().front();
        if (last.mergeable && last.removed.empty() && last.offset + Length(last.inserted) == offset) {
            Piece& tail = last.inserted.back();
            if (tail.added && tail.start + tail.length == piece.start) {
                tail.length += piece.length;
                tail.breaks += piece.breaks;
            } else {
                last.inserted.push_back(piece);
            }
            return;
        }
    }
    Record(Step{offset, {}, {piece}, mergeable});
}

void PieceTable::Erase(size_t offset, size_t length) {
    offset = std::min(offset, m_size);
    length = std::min(length, m_size - offset);
    if (length == 0) return;
    const size_t line = onChange ? LineOfOffset(offset) : 0;
    std::vector<Piece> removed = RemoveRange(offset, length);
    if (onChange) onChange(Change{offset, length, 0, line, Breaks(removed), 0});
    Record(Step{offset, std::move(removed), {}, false});
}

void PieceTable::Replace(size_t offset, size_t length, std::string_view text) {
    BeginUndoGroup();
    Erase(offset, length);
    Insert(offset, text);
    EndUndoGroup();
}

void PieceTable::BeginUndoGroup() {
    if (m_groupDepth++ == 0) m_groupStarted = false;
}

void PieceTable::EndUndoGroup() {
    if (m_groupDepth > 0 && --m_groupDepth == 0) m_groupStarted = false;
}

std::optional<size_t> PieceTable::Undo() {
    if (m_undo.empty() || m_groupDepth > 0) return std::nullopt;
    Group group = std::move(m_undo.back());
    m_undo.pop_back();
    size_t caret = 0;
    for (auto step = group.rbegin(); step != group.rend(); ++step) {
        const size_t length = Length(step->inserted);
        const size_t line = onChange ? LineOfOffset(step->offset) : 0;
        RemoveRange(step->offset, length);
        InsertPieces(step->offset, step->removed);
        if (onChange)
            onChange(Change{step->offset, length, Length(step->removed), line, Breaks(step->inserted),
                            Breaks(step->removed)});
        caret = step->offset + Length(step->removed);
        step->mergeable = false;  // typing after an undo starts a step of its own
    }
    m_redo.push_back(std::move(group));
    return caret;
}

std::optional<size_t> PieceTable::Redo() {
    if (m_redo.empty() || m_groupDepth > 0) return std::nullopt;
    Group group = std::move(m_redo.back());
    m_redo.pop_back();
    size_t caret = 0;
    for (const Step& step : group) {
        const size_t length = Length(step.removed);
        const size_t line = onChange ? LineOfOffset(step.offset) : 0;
        RemoveRange(step.offset, length);
        InsertPieces(step.offset, step.inserted);
        if (onChange)
            onChange(Change{step.offset, length, Length(step.inserted), line, Breaks(step.removed),
                            Breaks(step.inserted)});
        caret = step.offset + Length(step.inserted);
    }
    m_undo.push_back(std::move(group));
    return caret;
}

void PieceTable::ClearUndo() {
    m_undo.clear();
    m_redo.clear();
    m_clean = 0;
}

}  // namespace qm
