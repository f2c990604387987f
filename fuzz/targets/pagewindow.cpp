// A long page cut into pieces and windows made of them, from any text: the first byte sets the
// pieces' size, the rest is the page.
#include "core/frames/pagepreview.h"
#include "core/frames/pagewindow.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(pagewindow) {
    if (size == 0) return;
    const size_t pieceBytes = 1 + data[0] % 64;
    const std::string page(reinterpret_cast<const char*>(data + 1), size - 1);
    const qm::PageCut cut = qm::CutPage(page, pieceBytes);
    // The pieces lie end to end over the whole page and carry only tags of the page.
    QM_FUZZ_CHECK(!cut.pieces.empty() && cut.pieces.front().begin == 0 && cut.pieces.back().end == page.size());
    for (size_t k = 0; k < cut.pieces.size(); ++k) {
        const qm::PagePiece& p = cut.pieces[k];
        QM_FUZZ_CHECK(p.begin <= p.end && (k == 0 || p.begin == cut.pieces[k - 1].end));
        QM_FUZZ_CHECK(k == 0 || p.begin < p.end);
        QM_FUZZ_CHECK(p.openTags.size() <= qm::kMaxCarriedTags);
        for (const qm::TextRange& t : p.openTags)
            QM_FUZZ_CHECK(t.first < t.second && t.second <= p.begin && page[t.first] == '<');
        if (p.begin < p.end) QM_FUZZ_CHECK(qm::PieceAt(cut, p.begin) == k);
    }
    for (const qm::TextRange& s : cut.styleSheets) QM_FUZZ_CHECK(s.first < s.second && s.second <= page.size());
    const auto [first, last] = qm::WindowAround(cut, cut.pieces.size() / 2, 4 * pieceBytes);
    QM_FUZZ_CHECK(first <= last && last < cut.pieces.size());
    const std::string window = qm::PageWindowHtml(page, cut, first, last);
    QM_FUZZ_CHECK(window.find(qm::PieceMarker(first)) != std::string::npos);
    for (const qm::PageSection& s : qm::ListPageSections(page)) QM_FUZZ_CHECK(s.offset < page.size() && page[s.offset] == '<');
}
