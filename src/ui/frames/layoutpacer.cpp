#include "ui/frames/layoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

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

void CLayoutPacer::Start(QTextEdit* view, QPoint place) {
    Stop();
    m_view = view;
    m_doc = view->document();
    m_layout = m_doc->documentLayout();
    m_pageSize = m_doc->pageSize();
    m_position = 0;
    m_place = place;
    m_placePending = place != QPoint();
    m_shownPlace = Place(view);
    m_layout->installEventFilter(this);
    // A short page is laid out (and its place kept) at once.
    Step();
    if (m_layout) m_steps.start();
}

void CLayoutPacer::Stop() {
    m_steps.stop();
    if (m_layout) m_layout->removeEventFilter(this);
    m_layout = nullptr;
    m_doc = nullptr;
    m_placePending = false;
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
    while (m_position < end && clock.nsecsElapsed() < kStepNs) {
        // Asking where a block lies lays the page out down to it (and no further).
        const QTextBlock block = m_doc->findBlock(std::min(end - 1, m_position + kChunk));
        bottom = m_layout->blockBoundingRect(block).bottom();
        m_position = std::max(m_position + 1, block.position() + block.length());
    }
    const bool laidOut = m_position >= end;
    // The scroll bars follow the part laid out so far.
    emit m_layout->documentSizeChanged(QSizeF(m_pageSize.width(), bottom));
    KeepPlace(laidOut);
    if (laidOut) Stop();
}

void CLayoutPacer::KeepPlace(bool laidOut) {
    if (!m_placePending) return;
    if (Place(m_view) != m_shownPlace) {  // the user has gone elsewhere
        m_placePending = false;
        return;
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
