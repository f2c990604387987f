#include "ui/options/fontcombo.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "core/options/optionsrules.h"
#include "ui/app/fonts.h"

namespace qm {

namespace {
constexpr int kTextLeft = 20;

void DrawItem(QPainter& p, const QRect& rect, const QModelIndex& index, bool selected, const QPalette& pal) {
    p.fillRect(rect, pal.color(selected ? QPalette::Highlight : QPalette::Base));
    if (!index.isValid()) return;
    p.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    QString text = index.data(Qt::DisplayRole).toString();
    if (index.data(CFontCombo::FixedPitchRole).toBool()) text += QStringLiteral(" *");
    if (index.data(CFontCombo::OutlineRole).toBool()) {
        const QPixmap& mark = CFontCombo::OutlineMark();
        p.drawPixmap(rect.left() + 2, rect.top() + (rect.height() - mark.height()) / 2, mark);
    }
    p.drawText(rect.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

class FontItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        DrawItem(*p, option.rect, index, option.state & QStyle::State_Selected, option.palette);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + kTextLeft, CFontCombo::kItemHeight};
    }
};
}  // namespace

CFontCombo::CFontCombo(QWidget* parent, int visibleItems) : QComboBox(parent) {
    setItemDelegate(new FontItemDelegate(this));
    setMaxVisibleItems(visibleItems);
    // A scrolled list of that many items, not a menu as tall as the screen.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
}

const QPixmap& CFontCombo::OutlineMark() {
    static const QPixmap mark = [] {
        // Two overlapping letter blocks, as outline fonts are marked: a grey one behind a white one.
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        const QColor grey(0x99, 0x99, 0x99);
        p.fillRect(0, 0, 8, 8, grey);
        p.fillRect(1, 1, 6, 6, Qt::white);
        p.fillRect(3, 3, 2, 4, grey);
        p.fillRect(4, 4, 8, 8, grey);
        p.fillRect(5, 5, 6, 6, Qt::white);
        p.fillRect(7, 6, 2, 4, grey);
        return pm;
    }();
    return mark;
}

void CFontCombo::FillFontList() {
    QStringList families = QFontDatabase::families(QFontDatabase::Latin);
    // The stored settings name Windows faces that the program maps onto installed ones.
    for (const QString& f : SubstitutedFaces())
        if (!QFont::substitutes(f).isEmpty()) families << f;
    FillFontList(families);
}

void CFontCombo::FillFontList(const QStringList& families) {
    // A family from several foundries is listed as "Name [Foundry]"; the face name is the same.
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    std::vector<std::string> names;
    for (QString f : families) names.push_back(f.remove(foundry).toStdString());
    clear();
    for (const std::string& n : FontListNames(names)) {
        const QString name = QString::fromStdString(n);
        const QFont font(name);
        const QFontInfo info(font);
        addItem(name);
        const int row = count() - 1;
        setItemData(row, info.fixedPitch(), FixedPitchRole);
        setItemData(row, QFontDatabase::isSmoothlyScalable(info.family()), OutlineRole);
    }
    if (count() > 0) setCurrentIndex(0);
}

void CFontCombo::SelectFontName(const QString& name) {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
            setCurrentIndex(i);
            return;
        }
    }
}

QString CFontCombo::GetSelectedFontName() const { return currentIndex() < 0 ? QString() : currentText(); }

void CFontCombo::paintEvent(QPaintEvent*) {
    // The closed list shows the chosen face drawn as its items are.
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    DrawItem(p, field, model()->index(currentIndex(), 0), hasFocus(), palette());
}

}  // namespace qm
