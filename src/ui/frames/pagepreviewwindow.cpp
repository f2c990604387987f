// The long page's window: which part of the page the pane holds, and moving it as the user
// scrolls or jumps, so that only the part in view is ever built and laid out.
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextBrowser>

#include <algorithm>
#include <climits>

#include "ui/doc/scriptdoc.h"
#include "ui/frames/pagepreview.h"
#include "ui/frames/previewpage.h"

namespace qm {

void CPagePreview::BuildOnWorker(Build& build, const QString& html) {
    build.page = new CPreviewPage(build.path);
    if (build.newText) {
        auto text = std::make_shared<std::string>(html.toStdString());
        build.sections = ListPageSections(*text);
        build.captions.reserve(static_cast<qsizetype>(build.sections.size()));
        for (const auto& section : build.sections) build.captions << QString::fromStdString(section.caption);
        if (text->size() <= build.sizes.wholePageBytes) {
            build.page->setHtml(html);
            return;
        }
        build.cut = std::make_shared<PageCut>(CutPage(*text, build.sizes.pieceBytes));
        if (build.oldText) {
            const std::string& old = *build.oldText;
            const size_t common = std::min(old.size(), text->size());
            build.samePrefix = static_cast<size_t>(
                std::mismatch(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(common), text->begin()).first - old.begin());
            build.moved = static_cast<std::ptrdiff_t>(text->size()) - static_cast<std::ptrdiff_t>(old.size());
            build.centreOffset = build.InNewText(build.centreOffset);
            build.oldText.reset();
        }
        build.text = std::move(text);
    }
    const PageCut& cut = *build.cut;
    std::tie(build.first, build.last) =
        WindowAround(cut, PieceAt(cut, build.centreOffset), build.sizes.windowBytes);
    build.page->setHtml(QString::fromStdString(PageWindowHtml(*build.text, cut, build.first, build.last)));

    // Where each piece starts: the text its marker anchor is attached to.
    build.pieceStarts.assign(build.last - build.first + 1, -1);
    for (QTextBlock block = build.page->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames()) {
                const long piece = MarkerPiece(name.toStdString());
                if (piece >= static_cast<long>(build.first) && piece <= static_cast<long>(build.last))
                    build.pieceStarts[static_cast<size_t>(piece) - build.first] = it.fragment().position();
            }
    // A piece with no text of its own starts where the next one does.
    int next = std::max(0, build.page->characterCount() - 1);
    for (size_t k = build.pieceStarts.size(); k-- > 0;) {
        if (build.pieceStarts[k] < 0) build.pieceStarts[k] = next;
        next = build.pieceStarts[k];
    }
}

void CPagePreview::ShowWindow(Build& build) {
    // The new page starts at its top until the place is kept: that is no scrolling of the user's.
    m_swapping = true;
    ShowPageBar(true);  // before the page goes in: it is laid out at the width it keeps
    SwapPage(build.page);
    m_first = build.first;
    m_last = build.last;
    m_pieceStarts = std::move(build.pieceStarts);
    ScrollTo(build.target);
    m_swapping = false;
    SyncPageBar();
    ++m_pagesShown;
    emit PageShown();
}

int CPagePreview::PieceTop(size_t piece) const {
    return CLayoutPacer::TopOf(m_browser->document(), m_pieceStarts[piece]);
}

int CPagePreview::PieceBottom(size_t piece) const {
    if (m_first + piece < m_last) return PieceTop(piece + 1);
    const QScrollBar* inner = m_browser->verticalScrollBar();
    return inner->maximum() + m_browser->viewport()->height();
}

CPagePreview::Target CPagePreview::PlaceInView() const {
    Target place;
    if (!IsWindowed() || m_pieceStarts.empty()) return place;
    const int top = m_browser->verticalScrollBar()->value();
    const int at = m_browser->cursorForPosition(QPoint(0, 0)).position();
    size_t k = static_cast<size_t>(std::upper_bound(m_pieceStarts.begin(), m_pieceStarts.end(), at) - m_pieceStarts.begin());
    k = k == 0 ? 0 : k - 1;
    // The line at the top may belong to the piece before the one its first character starts.
    while (k > 0 && PieceTop(k) > top) --k;
    place.offset = m_cut->pieces[m_first + k].begin;
    place.below = top - PieceTop(k);
    return place;
}

// Where a section's anchor lies in the window: the text it is attached to, counting the sections
// of the same name before it in its piece (the wizard's pages repeat names across sides).
int CPagePreview::SectionPosition(int section) const {
    const PageSection& wanted = m_shownSections[static_cast<size_t>(section)];
    const size_t piece = PieceAt(*m_cut, wanted.offset);
    int before = 0;
    for (int i = section - 1; i >= 0 && PieceAt(*m_cut, m_shownSections[static_cast<size_t>(i)].offset) == piece; --i)
        before += m_shownSections[static_cast<size_t>(i)].anchor == wanted.anchor;
    const QString name = QString::fromStdString(wanted.anchor);
    const QTextDocument* doc = m_browser->document();
    const int from = m_pieceStarts[piece - m_first];
    for (QTextBlock block = doc->findBlock(from); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().position() + it.fragment().length() <= from) continue;
            if (it.fragment().charFormat().anchorNames().contains(name) && before-- == 0) return it.fragment().position();
        }
    return from;
}

void CPagePreview::ScrollTo(const Target& target) {
    if (m_pieceStarts.empty()) return;
    const size_t piece = std::clamp(PieceAt(*m_cut, target.offset), m_first, m_last);
    if (target.section >= 0 && static_cast<size_t>(target.section) < m_shownSections.size())
        m_pacer.StartAt(m_browser, SectionPosition(target.section), 0);
    else if (piece == 0 && target.below <= 0) {  // the page's top, margins and all
        m_browser->verticalScrollBar()->setValue(0);
        m_pacer.Start(m_browser, QPoint());
    } else
        m_pacer.StartAt(m_browser, m_pieceStarts[piece - m_first], target.below);
}

void CPagePreview::GoToSection(int index) {
    if (index < 0 || index >= static_cast<int>(m_shownSections.size())) return;
    const PageSection& section = m_shownSections[static_cast<size_t>(index)];
    if (!IsWindowed()) {
        m_browser->scrollToAnchor(QString::fromStdString(section.anchor));
        return;
    }
    const size_t piece = PieceAt(*m_cut, section.offset);
    Target target;
    target.offset = m_cut->pieces[piece].begin;
    target.section = index;
    if (piece >= m_first && piece <= m_last) {
        ScrollTo(target);
    } else if (m_worker || m_copy.IsRunning()) {
        m_pendingSection = index;
    } else {
        MoveWindow(piece, target);
    }
}

void CPagePreview::MoveWindow(size_t centre, Target target) {
    if (!m_document || m_worker || m_copy.IsRunning() || !IsWindowed()) return;
    auto build = std::make_shared<Build>();
    build->newText = false;
    build->text = m_text;
    build->cut = m_cut;
    build->centreOffset = m_cut->pieces[centre].begin;
    build->target = target;
    StartWorker(std::move(build), QString());
}

void CPagePreview::OnScrolled() {
    if (!IsWindowed() || m_swapping || m_worker || m_copy.IsRunning() || m_pacer.IsRunning()) return;
    const QScrollBar* bar = m_browser->verticalScrollBar();
    // Not while the thumb is dragged: the window moves once it is let go.
    if (bar->isSliderDown() || bar->maximum() <= 0) return;
    const int edge = bar->maximum() / 5;
    const bool nearTop = m_first > 0 && bar->value() < edge;
    const bool nearBottom = m_last + 1 < m_cut->pieces.size() && bar->value() > bar->maximum() - edge;
    if (!nearTop && !nearBottom) return;
    // The new window reaches past the view's end it nears.
    const int y = nearBottom ? m_browser->viewport()->height() - 1 : 0;
    const int at = m_browser->cursorForPosition(QPoint(0, y)).position();
    const auto after = std::upper_bound(m_pieceStarts.begin(), m_pieceStarts.end(), at);
    const size_t centre = m_first + static_cast<size_t>(std::max<std::ptrdiff_t>(0, after - m_pieceStarts.begin() - 1));
    if (WindowAround(*m_cut, centre, s_window.windowBytes) == std::make_pair(m_first, m_last)) return;
    Target place = PlaceInView();
    place.followView = true;
    MoveWindow(centre, place);
}

void CPagePreview::ShowPageBar(bool show) {
    if (m_pageBar->isHidden() != show) return;
    m_pageBar->setVisible(show);
    m_browser->setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

// The page bar stands for the text's bytes: the place in view is the piece at the view's top and
// how far down into it the view is, by height.
void CPagePreview::SyncPageBar() {
    if (!IsWindowed() || m_pieceStarts.empty() || m_pageBar->isSliderDown()) return;
    const QScrollBar* inner = m_browser->verticalScrollBar();
    const int viewHeight = std::max(1, m_browser->viewport()->height());
    const int windowHeight = inner->maximum() + viewHeight;
    const Target place = PlaceInView();
    const size_t k = std::clamp(PieceAt(*m_cut, place.offset), m_first, m_last);
    const PagePiece& piece = m_cut->pieces[k];
    const int top = PieceTop(k - m_first);
    const int bottom = PieceBottom(k - m_first);
    const double into = bottom > top ? std::clamp(double(place.below) / (bottom - top), 0.0, 1.0) : 0.0;
    const double windowBytes = double(m_cut->pieces[m_last].end - m_cut->pieces[m_first].begin);
    const int pageStep = std::max(1, static_cast<int>(windowBytes * viewHeight / std::max(windowHeight, viewHeight)));
    const int total = static_cast<int>(std::min<size_t>(m_text->size(), INT_MAX));
    int value = static_cast<int>(double(piece.begin) + into * double(piece.end - piece.begin));
    // At the page's own ends the thumb is at the bar's ends.
    if (m_first == 0 && inner->value() == 0) value = 0;
    if (m_last + 1 == m_cut->pieces.size() && inner->value() >= inner->maximum()) value = INT_MAX;
    m_syncing = true;
    m_pageBar->setRange(0, std::max(0, total - pageStep));
    m_pageBar->setPageStep(pageStep);
    m_pageBar->setSingleStep(std::max(1, pageStep / 10));
    m_pageBar->setValue(std::min(value, m_pageBar->maximum()));
    m_syncing = false;
}

void CPagePreview::OnPageBarMoved(int offset) {
    if (m_syncing || !IsWindowed() || m_pieceStarts.empty()) return;
    if (m_worker || m_copy.IsRunning()) {  // taken up once the window being built is shown
        m_pendingOffset = offset;
        return;
    }
    const size_t count = m_cut->pieces.size();
    const size_t k = PieceAt(*m_cut, static_cast<size_t>(std::max(0, offset)));
    const PagePiece& piece = m_cut->pieces[k];
    // Inside the window and away from its ends (but for the page's own), the view scrolls there.
    const bool inside = k >= m_first && k <= m_last && (k > m_first || m_first == 0) && (k < m_last || m_last + 1 == count);
    if (!inside) {
        Target target;
        target.offset = piece.begin;
        MoveWindow(k, target);
        return;
    }
    QScrollBar* inner = m_browser->verticalScrollBar();
    if (offset >= m_pageBar->maximum() && m_last + 1 == count) {
        inner->setValue(inner->maximum());
        return;
    }
    const int top = PieceTop(k - m_first);
    const int bottom = PieceBottom(k - m_first);
    const double into = piece.end > piece.begin ? double(offset - static_cast<int>(piece.begin)) / double(piece.end - piece.begin) : 0.0;
    const int y = top + static_cast<int>(into * (bottom - top));
    if (m_pacer.IsRunning() || y > inner->maximum())
        m_pacer.StartAt(m_browser, m_pieceStarts[k - m_first], y - top);
    else
        inner->setValue(y);
}

}  // namespace qm
