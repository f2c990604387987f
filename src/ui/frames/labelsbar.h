#pragma once
#include <QToolBar>

namespace qm {

// The bar above a script's text that holds the labels list; a line in the palette's mid colour
// closes it off from the text below. (Drawn here rather than by a style sheet, which made every
// control on the bar lay out and paint through Qt's much slower style-sheet style.)
class CLabelsBar : public QToolBar {
    Q_OBJECT
public:
    explicit CLabelsBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm
