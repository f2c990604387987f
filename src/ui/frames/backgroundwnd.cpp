#include "ui/frames/backgroundwnd.h"

#include <QBitmap>
#include <QPainter>

namespace qm {

CBackgroundWnd::CBackgroundWnd(QWidget* parent) : QMdiArea(parent), m_logo(QStringLiteral(":/logo.png")) {
    // White is the picture's transparent colour when it has no alpha channel of its own.
    if (!m_logo.isNull() && !m_logo.hasAlphaChannel()) m_logo.setMask(m_logo.createMaskFromColor(Qt::white));
}

QRect CBackgroundWnd::LogoRect() const {
    const QSize area = viewport()->size();
    return QRect(area.width() - 8 - m_logo.width(), area.height() - 8 - m_logo.height(), m_logo.width(),
                 m_logo.height());
}

void CBackgroundWnd::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (m_logo.isNull()) return;
    QPainter p(viewport());
    p.drawPixmap(LogoRect().topLeft(), m_logo);
}

}  // namespace qm
