#include "ui/menus/iconmenu.h"

#include <QApplication>
#include <QDebug>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "ui/menus/pictures.h"

namespace qm {

namespace {
// The caption as it is measured: each "&" that marks a mnemonic left out, "&&" shown as "&".
// (Menus are measured on every show; a regular expression here cost more than the measuring.)
QString WithoutMnemonicMarks(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (caption[i] != u'&' || (i + 1 < caption.size() && caption[i + 1] == u'&')) plain += caption[i];
    return plain;
}

QColor SystemColour(QPalette::ColorGroup group, QPalette::ColorRole role) {
    return QApplication::palette().color(group, role);
}

// Every pixel that is not transparent, in one colour.
QImage Silhouette(const QImage& picture, const QColor& colour) {
    QImage out = picture.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(out.pixel(x, y)) != 0) out.setPixel(x, y, colour.rgba());
    return out;
}

// Each channel raised by amount, capped at 255.
QImage Lightened(const QImage& picture, int amount) {
    QImage out = picture.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            if (qAlpha(c) == 0) continue;
            out.setPixel(x, y, qRgb(std::min(255, qRed(c) + amount), std::min(255, qGreen(c) + amount),
                                    std::min(255, qBlue(c) + amount)));
        }
    return out;
}

// A light grey version: the picture's brightness squeezed into the upper half.
QImage Greyed(const QImage& picture) {
    QImage out = picture.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            if (qAlpha(c) == 0) continue;
            const int g = 128 + qGray(c) / 2;
            out.setPixel(x, y, qRgb(g, g, g));
        }
    return out;
}

QImage CheckGlyph() {
    QImage glyph(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) glyph.setPixel(x, y, kCheckGlyph[y][x] == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return glyph;
}

// The main window's own font: the measuring rule measures with it, not with the menu font.
QFont MeasuringFont(const QWidget* menu) {
    const QWidget* w = menu->parentWidget();
    return w ? w->window()->font() : QApplication::font();
}

MenuRect ToMenuRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
}  // namespace

// ---- CIconMenu ----

CIconMenu::CIconMenu(QWidget* parent) : QMenu(parent) {
    m_menuColour = SystemColour(QPalette::Active, QPalette::Base);
    m_textColour = SystemColour(QPalette::Active, QPalette::Text);
    m_greyTextColour = SystemColour(QPalette::Disabled, QPalette::Text);
    m_separatorColour = m_greyTextColour;
    m_iconColumnColour = SystemColour(QPalette::Active, QPalette::Button);
    m_checkMark = CheckGlyph();
}

bool CIconMenu::Create(const QFont* font) {
    m_font = font;
    if (font) setFont(*font);
    return true;
}

QAction* CIconMenu::AppendIconItem(int commandId, int bitmapId, const QString& caption, QAction* action,
                                   const QString& standardCaption) {
    if (commandId == 0) {
        QAction* sep = addSeparator();
        m_items.insert(sep, {0, QString()});
        return sep;
    }
    if (bitmapId != 0) {
        for (int i = 0; i < kPictureSlots; ++i) {
            if (m_pictureCommands[i] != 0) continue;
            m_pictureCommands[i] = commandId;
            m_pictureBitmaps[i] = bitmapId;
            break;
        }
    }
    const QString shown = QString::fromStdString(MnemonicCaption(caption.toStdString(), standardCaption.toStdString()));
    if (!action) {
        action = new QAction(shown.section(QLatin1Char('\t'), 0, 0), this);
        action->setData(commandId);
        action->setEnabled(false);
    }
    addAction(action);
    m_items.insert(action, {commandId, shown});
    return action;
}

QAction* CIconMenu::AppendPopup(CIconMenu* popup, const QString& caption, const QString& standardCaption) {
    const QString shown = QString::fromStdString(MnemonicCaption(caption.toStdString(), standardCaption.toStdString()));
    popup->setTitle(shown);
    QAction* a = addMenu(popup);
    m_items.insert(a, {-1, shown});
    return a;
}

void CIconMenu::RemoveAllItems() {
    for (QAction* a : actions()) {
        removeAction(a);
        // Placeholders and separators belong to the menu; the frame's commands do not.
        if (a->parent() == this) a->deleteLater();
    }
    m_items.clear();
    m_pictureCommands.fill(0);
    m_pictureBitmaps.fill(0);
}

int CIconMenu::CommandOf(const QAction* action) const {
    if (!action) return -1;
    if (action->isSeparator()) return 0;
    const auto it = m_items.constFind(action);
    return it == m_items.constEnd() ? -1 : it->commandId;
}

QAction* CIconMenu::AppendListItem(int commandId, int bitmapId, const QString& text, const QString& prompt) {
    auto* a = new QAction(text, this);
    a->setData(commandId);
    a->setStatusTip(prompt);
    AppendIconItem(commandId, bitmapId, text, a);
    a->setText(CaptionOf(a).section(QLatin1Char('\t'), 0, 0));
    return a;
}

QString CIconMenu::CaptionOf(const QAction* action) const {
    const auto it = m_items.constFind(action);
    return it == m_items.constEnd() ? QString() : it->caption;
}

void CIconMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    m_styledAction = action;
    const auto it = m_items.constFind(action);
    if (it != m_items.constEnd() && !action->isSeparator()) option->text = it->caption;
}

QSize CIconMenu::MeasureItem(int commandId, const QString& caption) const {
    const QString plain = WithoutMnemonicMarks(caption);
    const QFontMetrics measuring(MeasuringFont(this));
    const MenuSize measured = MeasureIconItem(commandId, measuring.horizontalAdvance(plain));
    if (commandId == 0) return {measured.width, measured.height};
    const QFontMetrics drawing(m_font ? *m_font : font());
    const CaptionParts parts = SplitCaption(plain.toStdString());
    const int captionWidth = drawing.horizontalAdvance(QString::fromStdString(parts.caption));
    const int shortcutWidth = parts.hasShortcut ? drawing.horizontalAdvance(QString::fromStdString(parts.shortcut)) : 0;
    return {FitIconItemWidth(measured.width, captionWidth, shortcutWidth), measured.height};
}

QSize CIconMenu::sizeHint() const {
    // Qt would add room for the widest key sequence on top of the items; the items' own widths
    // already hold their shortcuts.
    QSize hint = QMenu::sizeHint();
    int widest = 0;
    for (QAction* a : actions()) {
        if (!a->isVisible()) continue;
        QStyleOptionMenuItem opt;
        initStyleOption(&opt, a);
        widest = std::max(widest, style()->sizeFromContents(QStyle::CT_MenuItem, &opt, QSize(), this).width());
    }
    if (widest == 0) return hint;
    const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this) +
                      style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this);
    hint.setWidth(widest + 2 * frame);
    return hint;
}

void CIconMenu::DrawItem(QPainter& p, const QRect& rc, const ItemState& item) const {
    p.save();
    const QRect column(rc.left(), rc.top(), m_iconColumnWidth, rc.height());
    if (item.commandId == 0) {
        p.fillRect(rc, m_menuColour);
        p.fillRect(column, m_iconColumnColour);
        const int y = SeparatorLineY(ToMenuRect(rc));
        p.setPen(QPen(m_separatorColour, 1));
        p.drawLine(rc.left() + kCaptionLeft, y, rc.right(), y);
        p.restore();
        return;
    }
    p.setFont(m_font ? *m_font : font());
    QColor captionColour = m_textColour;
    if (item.selected && !item.disabled) {
        p.fillRect(rc, m_selectionBorder);
        p.fillRect(rc.adjusted(1, 1, -1, -1), m_selectionFill);
    } else {
        p.fillRect(rc, m_menuColour);
        p.fillRect(column, m_iconColumnColour);
    }
    if (item.disabled) captionColour = m_greyTextColour;

    const int mnemonic = item.underlineMnemonic ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    const int tab = item.caption.indexOf(QLatin1Char('\t'));
    const QString caption = tab < 0 ? item.caption : item.caption.left(tab);
    p.setPen(captionColour);
    const QRect captionRect(rc.left() + kCaptionLeft, rc.top(), rc.right() + 1 - (rc.left() + kCaptionLeft), rc.height());
    p.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | mnemonic, caption);
    if (tab >= 0)
        p.drawText(rc.adjusted(0, 0, -kShortcutRightGap, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   item.caption.mid(tab + 1));

    const MenuPoint at = IconPicturePosition(ToMenuRect(rc));
    if (item.checked) {
        p.fillRect(QRect(at.x, at.y, 16, 16), m_selectionBorder);
        p.fillRect(QRect(at.x + 1, at.y + 1, 14, 14), m_selectionFill);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (m_checkMark.pixel(x, y) != qRgb(255, 255, 255))  // white is transparent
                    p.fillRect(QRect(at.x + 4 + x, at.y + 4 + y, 1, 1), QColor::fromRgb(m_checkMark.pixel(x, y)));
    }
    for (int i = 0; i < kPictureSlots; ++i) {
        if (m_pictureCommands[i] != item.commandId || item.commandId == 0) continue;
        const QImage picture = MenuPicture(m_pictureBitmaps[i]);
        if (picture.isNull()) continue;
        if (item.disabled) {
            p.drawImage(at.x, at.y + 1, Greyed(picture));
            continue;
        }
        p.drawImage(at.x + 1, at.y + 1, Silhouette(picture, m_shadowColour));
        if (item.selected) p.drawImage(at.x - 1, at.y - 1, picture);
        else p.drawImage(at.x, at.y, m_lightenPictures ? Lightened(picture, m_lightenAmount) : picture);
    }
    p.restore();
}

// ---- CTopMenu ----

CTopMenu::CTopMenu(QWidget* parent) : QMenuBar(parent) {
    m_barColour = SystemColour(QPalette::Active, QPalette::Button);
    m_textColour = SystemColour(QPalette::Active, QPalette::Text);
    m_openFill = SystemColour(QPalette::Active, QPalette::Base);
    m_openBorder = SystemColour(QPalette::Disabled, QPalette::Text);
}

bool CTopMenu::Create(const QFont* font, int bitmapId) {
    m_font = font;
    if (font) setFont(*font);
    if (bitmapId != 0) {
        m_barPicture = MenuPicture(bitmapId);
        if (!m_barPicture.isNull()) {
            // Command 1123 has no handler: choosing the picture does nothing.
            m_pictureAction = addAction(QIcon(QPixmap::fromImage(m_barPicture)), QString());
            m_pictureAction->setData(kBarPictureCommand);
        }
    }
    return true;
}

QAction* CTopMenu::AppendPopup(CIconMenu* popup, const QString& caption, const QString& standardCaption) {
    popup->setTitle(QString::fromStdString(MnemonicCaption(caption.toStdString(), standardCaption.toStdString())));
    return addMenu(popup);
}

QSize CTopMenu::MeasureItem(bool picture, const QString& caption, int proposedHeight) const {
    const QString plain = WithoutMnemonicMarks(caption);
    const QFontMetrics measuring(MeasuringFont(this));
    const int measured = MeasureTopItem(picture ? kBarPictureCommand : 0, measuring.horizontalAdvance(plain));
    const int content = picture ? m_barPicture.width() : QFontMetrics(m_font ? *m_font : font()).horizontalAdvance(plain);
    return {FitTopItemWidth(measured, content), proposedHeight};
}

void CTopMenu::DrawItem(QPainter& p, const QRect& rc, const ItemState& item) const {
    p.save();
    if (item.picture) {
        p.fillRect(rc, m_barColour);
        const MenuPoint at = TopPicturePosition(ToMenuRect(rc), m_barPicture.width(), m_barPicture.height());
        p.drawImage(at.x, at.y, m_barPicture);
        p.restore();
        return;
    }
    p.setFont(m_font ? *m_font : font());
    if (item.hot && !item.open) {
        const QRect r = rc.adjusted(0, 1, 0, 0);
        p.fillRect(r, m_hotBorder);
        p.fillRect(r.adjusted(1, 1, -1, -1), m_hotFill);
    } else if (item.open && !item.disabled) {
        const QRect r = rc.adjusted(0, 1, 0, 0);
        p.fillRect(r, m_openBorder);
        p.fillRect(r.adjusted(1, 1, -1, 0), m_openFill);
    } else {
        p.fillRect(rc, m_barColour);
    }
    p.setPen(item.disabled ? SystemColour(QPalette::Disabled, QPalette::Text) : m_textColour);
    const int mnemonic = item.underlineMnemonic ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    p.drawText(rc, Qt::AlignCenter | Qt::TextSingleLine | mnemonic, item.caption);
    p.restore();
}

}  // namespace qm
