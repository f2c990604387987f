#include "ui/menus/newtoolbar.h"

#include <QPainter>

namespace qm {

CNewToolBar::CNewToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    setObjectName(QStringLiteral("MainToolbar"));
    setIconSize(QSize(16, 16));
    setMovable(true);
    setFloatable(true);
}

void CNewToolBar::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.end();
    QToolBar::paintEvent(event);
}

}  // namespace qm
