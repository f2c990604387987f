#include "ui/frames/labelsbar.h"

#include <QPainter>

namespace qm {

CLabelsBar::CLabelsBar(QWidget* parent) : QToolBar(parent) {
    setContentsMargins(0, 0, 0, 1);  // the line's row
}

void CLabelsBar::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
}

}  // namespace qm
