#include "ui/frames/layoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace qm {

namespace {
constexpr qint64 kStepNs = 4'000'000;
// Characters laid out per call: small enough that a call stays well inside a step.
constexpr int kChunk = 2000;

QPoint Place(const QTextEdit* view) {
    return {view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()};
}
}  // namespace

CLayoutPacer::CLayoutPacer(QObject* parent) : QObject(parent) {
    m_steps.setInterval(0);
    connect(&m_steps, &QTimer::timeout, this, &CLayoutPacer::Step);
}

void CLayoutPacer::Start(QTextEdit* view, QPoint place) { Begin(view, place, -1, 0); }

void CLayoutPacer::Begin(QTextEdit* view, QPoint place, int placeAt, int below) {
    Stop();
    m_view = view;
    m_doc = view->document();
    m_layout = m_doc->documentLayout();
    m_pageSize = m_doc->pageSize();
    m_position = 0;
    m_place = place;
    m_placeAt = placeAt;
    m_placeBelow = below;
    m_placePending = place != QPoint() || placeAt >= 0;
    m_shownPlace = Place(view);
    m_layout->installEventFilter(this);
    // A short page is laid out (and its place kept) at once.
    Step();
    if (m_layout) m_steps.start();
}

void CLayoutPacer::StartAt(QTextEdit* view, int position, int below) {
    Begin(view, QPoint(view->horizontalScrollBar()->value(), 0), std::max(0, position), below);
}

int CLayoutPacer::TopOf(const QTextDocument* doc, int position) {
    const QTextBlock block = doc->findBlock(position);
    if (!block.isValid()) return 0;
    qreal top = doc->documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout* layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(position - block.position());
        if (line.isValid()) top += line.y();
    }
    return static_cast<int>(top);
}

void CLayoutPacer::Stop() {
    m_steps.stop();
    if (m_layout) m_layout->removeEventFilter(this);
    m_layout = nullptr;
    m_doc = nullptr;
    m_placePending = false;
    m_placeAt = -1;
}

bool CLayoutPacer::eventFilter(QObject* watched, QEvent* event) {
    // The layout's own timers: its next lazy step, and once it is done, its report of the size
    // (which the step that ends the layout starts, after the pacer has let go).
    return watched == m_layout && event->type() == QEvent::Timer;
}

void CLayoutPacer::Step() {
    if (!m_view || !m_doc || !m_layout || m_view->document() != m_doc) {
        Stop();
        return;
    }
    // A new width lays the page out afresh from its top.
    if (m_doc->pageSize() != m_pageSize) {
        m_pageSize = m_doc->pageSize();
        m_position = 0;
    }
    QElapsedTimer clock;
    clock.start();
    const int end = m_doc->characterCount();
    qreal bottom = 0;
    // A place to keep is laid out to in one go (and the view's height below it), so the view does
    // not show the page's top first and jump there after.
    const auto placeAhead = [&] {
        if (m_placeAt < 0 || !m_placePending) return false;
        if (m_position <= m_placeAt) return true;
        return bottom < TopOf(m_doc, m_placeAt) + m_placeBelow + m_view->viewport()->height();
    };
    // The step that reaches a place ends there: it is the one the swap of pages waits for.
    const bool reaching = placeAhead();
    while (m_position < end && (reaching ? placeAhead() : clock.nsecsElapsed() < kStepNs)) {
        // Asking where a block lies lays the page out down to it (and no further).
        const QTextBlock block = m_doc->findBlock(std::min(end - 1, m_position + kChunk));
        bottom = m_layout->blockBoundingRect(block).bottom();
        m_position = std::max(m_position + 1, block.position() + block.length());
    }
    const bool laidOut = m_position >= end;
    // The scroll bars follow the part laid out so far.
    const QPoint before = Place(m_view);
    emit m_layout->documentSizeChanged(QSizeF(m_pageSize.width(), bottom));
    // A shorter range may pull the view up: that is not the user going elsewhere.
    if (before == m_shownPlace) m_shownPlace = Place(m_view);
    m_inStep = true;
    KeepPlace(laidOut);
    m_inStep = false;
    if (laidOut) {
        Stop();
        emit LaidOut();
    }
}

void CLayoutPacer::KeepPlace(bool laidOut) {
    if (!m_placePending) return;
    if (Place(m_view) != m_shownPlace) {  // the user has gone elsewhere
        m_placePending = false;
        m_placeAt = -1;
        return;
    }
    if (m_placeAt >= 0) {
        if (!laidOut && m_position <= m_placeAt) return;
        m_place.setY(std::max(0, TopOf(m_doc, m_placeAt) + m_placeBelow));
        m_placeAt = -1;
    }
    QScrollBar* v = m_view->verticalScrollBar();
    QScrollBar* h = m_view->horizontalScrollBar();
    if (!laidOut && v->maximum() < m_place.y()) return;
    v->setValue(m_place.y());
    h->setValue(m_place.x());
    m_shownPlace = Place(m_view);
    m_placePending = false;
}

}  // namespace qm
