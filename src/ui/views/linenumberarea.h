#pragma once
#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace qm {

class CEditView;

// The margin left of an editor view that numbers its lines, in the view's font and a muted
// colour. It paints only the lines the view shows, so the length of the text costs it nothing.
class CLineNumberArea : public QWidget {
    Q_OBJECT
public:
    explicit CLineNumberArea(CEditView* view);

    // The width the numbers of the view's last line need, with a little room on either side.
    int AreaWidth() const;
    // Follows the view: its margin, its place, its scrolling and edits.
    void UpdateWidth();
    void Place();
    QSize sizeHint() const override { return {AreaWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The view repaints its whole window on every keystroke, and the margin with it: the numbers
    // are drawn once into a picture and drawn again only when the shown lines move or change.
    QPixmap m_picture;
    std::vector<std::pair<int, int>> m_pictureLines;
    std::optional<std::array<int, 4>> m_pictureKey;  // the view's ShownLinesKey when drawn
    qint64 m_pictureLook = 0;

    CEditView* m_view;
    int m_digits = 1;
};

}  // namespace qm
