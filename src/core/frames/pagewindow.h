#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

// A long page is shown a window at a time: it is cut into pieces at tag boundaries, and a window
// of neighbouring pieces is a page of its own, which starts by opening again the tags that are
// open where its first piece begins (the body with its colours, a font, a centred division) and
// carries the page's style sheets.
using TextRange = std::pair<size_t, size_t>;  // [first, second) of the page's text

inline constexpr size_t kNoText = size_t(-1);

struct PagePiece {
    size_t begin = 0, end = 0;
    std::vector<TextRange> openTags;  // the start tags open at begin, outermost first
    // Its first shown text (past blanks, tags, comments and raw-text elements), or kNoText: a
    // window's marker anchor goes there, since one among the blanks between blocks is dropped.
    size_t textAt = kNoText;
};

struct PageCut {
    std::vector<PagePiece> pieces;       // together the whole page, in order
    std::vector<TextRange> styleSheets;  // every <style> element, in order
};

// Cuts a page into pieces of about pieceBytes. A piece ends only before a tag, a comment or a
// line's start, and never inside a table, a list of options, a head or a raw-text element, so a
// page that is one table is one piece; inside a link or anchor only when it runs on for long
// (links and anchors are not carried). At most kMaxCarriedTags tags are carried (the outermost),
// and a start tag longer than kMaxCarriedTagBytes is carried by its name alone.
inline constexpr size_t kMaxCarriedTags = 64;
inline constexpr size_t kMaxCarriedTagBytes = 4096;
PageCut CutPage(std::string_view html, size_t pieceBytes);

// The index of the piece that holds offset (the last one for an offset past the end).
size_t PieceAt(const PageCut& cut, size_t offset);

// The name of the anchor put at the start of each piece of a window, so that the shown place
// can be found again in the next window.
std::string PieceMarker(size_t index);
// The index a marker names; -1 for any other anchor name.
long MarkerPiece(std::string_view anchor);

// Pieces first..last (inclusive) as a page of their own: the style sheets that come before the
// window, the tags open at its start, then each piece with its marker anchor at its first text.
std::string PageWindowHtml(std::string_view html, const PageCut& cut, size_t first, size_t last);

// The pieces a window around piece `centre` holds: about windowBytes of text, fewer at the page's
// ends. Returns {first, last}.
std::pair<size_t, size_t> WindowAround(const PageCut& cut, size_t centre, size_t windowBytes);

}  // namespace qm
