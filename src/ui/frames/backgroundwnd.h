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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_logo;
};

}  // namespace qm
