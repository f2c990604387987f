#pragma once
#include <QMdiArea>
#include <QPixmap>

namespace qm {

// The area behind the document windows: paints the logo 8 pixels from its lower-right corner.
class CBackgroundWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CBackgroundWnd(QWidget* parent = nullptr);
    // Where the logo goes in viewport coordinates.
    QRect LogoRect() const;

    // Document windows that are not minimised, as non-overlapping tiles: one above the other
    // (horizontally) or side by side (vertically). Minimised windows keep their row at the bottom.
    void TileHorizontally();
    void TileVertically();
    // Minimised windows in rows along the bottom edge, left to right.
    void ArrangeIcons();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Tile(Qt::Orientation orientation);
    QPixmap m_logo;
};

}  // namespace qm
