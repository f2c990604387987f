#include "ui/frames/backgroundwnd.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QStyle>

#include "ui/menus/pictures.h"

namespace qm {

CBackgroundWnd::CBackgroundWnd(QWidget* parent) : QMdiArea(parent), m_logo(LogoPicture()) {}

QRect CBackgroundWnd::LogoRect() const {
    const QSize area = viewport()->size();
    return QRect(area.width() - 8 - m_logo.width(), area.height() - 8 - m_logo.height(), m_logo.width(),
                 m_logo.height());
}

void CBackgroundWnd::TileHorizontally() { Tile(Qt::Vertical); }

void CBackgroundWnd::TileVertically() { Tile(Qt::Horizontal); }

void CBackgroundWnd::Tile(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> windows;
    bool icons = false;
    for (QMdiSubWindow* w : subWindowList()) {
        if (w->isHidden()) continue;
        if (w->isMinimized()) icons = true;
        else windows << w;
    }
    if (windows.isEmpty()) return;
    QRect area = viewport()->rect();
    if (icons) {
        ArrangeIcons();
        area.setBottom(area.bottom() - style()->pixelMetric(QStyle::PM_TitleBarHeight) - 8);
    }
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized()) w->showNormal();
        if (orientation == Qt::Vertical) {
            const int top = area.top() + area.height() * i / n, bottom = area.top() + area.height() * (i + 1) / n;
            w->setGeometry(area.left(), top, area.width(), bottom - top);
        } else {
            const int left = area.left() + area.width() * i / n, right = area.left() + area.width() * (i + 1) / n;
            w->setGeometry(left, area.top(), right - left, area.height());
        }
    }
}

void CBackgroundWnd::ArrangeIcons() {
    const QRect area = viewport()->rect();
    int x = area.left(), y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* w : subWindowList()) {
        if (w->isHidden() || !w->isMinimized()) continue;
        const QSize size = w->size();
        if (x > area.left() && x + size.width() > area.right() + 1) {  // the row is full: start one above
            x = area.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        w->move(x, y - size.height());
        x += size.width();
    }
}

void CBackgroundWnd::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (m_logo.isNull()) return;
    QPainter p(viewport());
    p.drawPixmap(LogoRect().topLeft(), m_logo);
}

}  // namespace qm
