#pragma once
#include <QComboBox>
#include <QStringList>

namespace qm {

// The owner-drawn font list: each family once, sorted; a fixed-pitch face is shown with " *"
// after its name and an outline (TrueType) face with a small mark at the left.
class CFontCombo : public QComboBox {
    Q_OBJECT
public:
    enum Role { FixedPitchRole = Qt::UserRole + 1, OutlineRole };
    static constexpr int kItemHeight = 18;  // a 12-pixel mark plus 6

    explicit CFontCombo(QWidget* parent = nullptr, int visibleItems = 15);

    // Fills the list from the screen's families, and the faces the program maps to installed ones.
    void FillFontList();
    // Fills it from the given families (each listed once); selects the first.
    void FillFontList(const QStringList& families);
    // Exact name, letter case ignored; nothing happens when the name is not listed.
    void SelectFontName(const QString& name);
    QString GetSelectedFontName() const;

    // The 12 x 12 outline-font mark, grey and white.
    static const QPixmap& OutlineMark();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm
