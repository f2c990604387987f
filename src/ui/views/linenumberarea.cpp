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
        if (dy) {
            scroll(0, dy);
            return;
        }
        // Most keystrokes move no line: measuring the shown lines again and painting a second
        // widget would cost as much as the keystroke itself.
        const auto key = m_view->ShownLinesKey();
        if (key && key == m_pictureKey && !m_picture.isNull()) return;
        update(0, rect.y(), width(), rect.height());
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
    // Beside the text only: a bar across the top of the window takes the room above both.
    const QRect r = m_view->contentsRect(), text = m_view->viewport()->geometry();
    setGeometry(QRect(r.left(), text.top(), AreaWidth(), text.height()));
}

void CLineNumberArea::paintEvent(QPaintEvent* event) {
    const auto key = m_view->ShownLinesKey();
    const std::vector<std::pair<int, int>> lines =
        key && key == m_pictureKey && !m_picture.isNull() ? m_pictureLines : m_view->ShownLineTops();
    const QPalette& pal = m_view->palette();
    const QColor base = pal.color(QPalette::Base), text = pal.color(QPalette::Text);
    const qint64 look = qint64(qHash(m_view->font().key())) ^ (qint64(base.rgb()) << 32) ^ text.rgb() ^
                        (qint64(width()) << 20) ^ height() ^ qint64(devicePixelRatio() * 64);
    if (lines != m_pictureLines || look != m_pictureLook || m_picture.isNull()) {
        const qreal ratio = devicePixelRatio();
        m_picture = QPixmap(size() * ratio);
        m_picture.setDevicePixelRatio(ratio);
        const auto mix = [&](double t) {
            return QColor::fromRgbF(base.redF() * (1 - t) + text.redF() * t, base.greenF() * (1 - t) + text.greenF() * t,
                                    base.blueF() * (1 - t) + text.blueF() * t);
        };
        // Shades of the view's own colours: visible on any background the user chose.
        m_picture.fill(mix(0.06));
        QPainter p(&m_picture);
        p.setPen(mix(0.5));
        p.setFont(m_view->font());
        const int lineHeight = m_view->fontMetrics().height();
        for (const auto& [number, top] : lines)
            p.drawText(0, top, width() - kPadding, lineHeight, Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(number + 1));
        m_pictureLines = lines;
        m_pictureLook = look;
    }
    m_pictureKey = key;
    QPainter p(this);
    p.drawPixmap(event->rect(), m_picture, QRectF(QPointF(event->rect().topLeft()) * devicePixelRatio(),
                                                  QSizeF(event->rect().size()) * devicePixelRatio()));
}

}  // namespace qm
