#include "ui/views/linenumberarea.h"

#include <QPainter>
#include <QTextBlock>

#include "ui/views/editview.h"

namespace qm {

namespace {
constexpr int kPadding = 4;  // pixels either side of the numbers

int Digits(int count) {
    int digits = 1;
    for (int n = std::max(1, count); n >= 10; n /= 10) ++digits;
    return digits;
}
}  // namespace

CLineNumberArea::CLineNumberArea(CEditView* view) : QWidget(view), m_view(view) {
    setCursor(Qt::ArrowCursor);
    connect(view, &QPlainTextEdit::blockCountChanged, this, &CLineNumberArea::UpdateWidth);
    connect(view, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (!isVisible()) return;
        if (dy) scroll(0, dy);
        else update(0, rect.y(), width(), rect.height());
    });
}

int CLineNumberArea::AreaWidth() const {
    // At least three digits, so the margin does not move while a short text grows.
    return 2 * kPadding + m_view->fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, m_digits);
}

void CLineNumberArea::UpdateWidth() {
    const int digits = Digits(m_view->blockCount());
    if (digits == m_digits) return;
    m_digits = digits;
    m_view->PlaceLineNumbers();
}

void CLineNumberArea::Place() {
    const QRect r = m_view->contentsRect();
    setGeometry(QRect(r.left(), r.top(), AreaWidth(), r.height()));
}

void CLineNumberArea::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QPalette& pal = m_view->palette();
    const QColor base = pal.color(QPalette::Base), text = pal.color(QPalette::Text);
    // A shade of the view's own colours: visible on any background the user chose.
    p.fillRect(event->rect(), QColor::fromRgbF(base.redF() * 0.94 + text.redF() * 0.06,
                                               base.greenF() * 0.94 + text.greenF() * 0.06,
                                               base.blueF() * 0.94 + text.blueF() * 0.06));
    p.setPen(QColor::fromRgbF(base.redF() * 0.5 + text.redF() * 0.5, base.greenF() * 0.5 + text.greenF() * 0.5,
                              base.blueF() * 0.5 + text.blueF() * 0.5));
    p.setFont(m_view->font());
    const int lineHeight = m_view->fontMetrics().height();
    const int right = width() - kPadding;
    for (const auto& [number, top] : m_view->ShownLineTops()) {
        if (top > event->rect().bottom()) break;
        if (top + lineHeight < event->rect().top()) continue;
        p.drawText(0, top, right, lineHeight, Qt::AlignRight | Qt::AlignVCenter, QString::number(number + 1));
    }
}

}  // namespace qm
