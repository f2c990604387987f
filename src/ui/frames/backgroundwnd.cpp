#include "ui/frames/backgroundwnd.h"

#include <QPainter>

#include "ui/menus/pictures.h"

namespace qm {

CBackgroundWnd::CBackgroundWnd(QWidget* parent) : QMdiArea(parent), m_logo(LogoPicture()) {}

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
