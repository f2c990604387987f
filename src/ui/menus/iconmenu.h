#pragma once
#include <QColor>
#include <QHash>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "core/menus/menulayout.h"

class QPainter;

namespace qm {

// An owner-drawn pop-up menu: a grey picture column with 16 x 16 pictures, a flat blue highlight
// in which the picture lifts over its shadow, right-aligned shortcuts. Items are ordinary
// QActions (the frame's commands), so keyboard, mnemonics and accessibility are Qt's own; the
// menu keeps each item's caption and command id, and CMenuStyle asks it to measure and draw.
class CIconMenu : public QMenu {
    Q_OBJECT
public:
    explicit CIconMenu(QWidget* parent = nullptr);

    // Stores the font (not owned) used for drawing; true when the menu exists.
    bool Create(const QFont* font);
    // Command id 0 appends a separator. A picture takes the first free slot; with all 16 taken the
    // item has none. action is the command the item triggers; without one the item is a disabled
    // placeholder. standardCaption gives the mnemonic letter (see MnemonicCaption).
    QAction* AppendIconItem(int commandId, int bitmapId, const QString& caption, QAction* action = nullptr,
                            const QString& standardCaption = {});
    QAction* AppendPopup(CIconMenu* popup, const QString& caption, const QString& standardCaption = {});
    // One entry of a list the frame refills (recent files, windows, quick scripts): a new action the
    // menu owns, its command id in data(), the prompt as status tip, the text with its mnemonic as drawn.
    QAction* AppendListItem(int commandId, int bitmapId, const QString& text, const QString& prompt);
    // Removes every item and frees the picture slots.
    void RemoveAllItems();

    // One item as the drawing sees it.
    struct ItemState {
        int commandId = 0;
        QString caption;  // the whole caption, a tab before the shortcut; "&" marks the mnemonic
        bool selected = false;
        bool disabled = false;
        bool checked = false;
        bool underlineMnemonic = false;
    };
    void DrawItem(QPainter& p, const QRect& rc, const ItemState& item) const;
    // The item's size by the measuring rule, widened to fit what DrawItem draws.
    QSize MeasureItem(int commandId, const QString& caption) const;
    // The item behind a QAction of this menu: its command id (0 separator, -1 unknown).
    int CommandOf(const QAction* action) const;
    QString CaptionOf(const QAction* action) const;
    // The action whose style option was made last: the one being measured or drawn.
    const QAction* StyledAction() const { return m_styledAction; }

    const QFont* m_font = nullptr;
    int m_imageWidth = 16;
    int m_imageHeight = 16;
    QColor m_transparentColour{0, 255, 0};
    int m_iconColumnWidth = kIconColumnWidth;
    int m_itemHeight = kIconItemHeight;
    int m_lightenAmount = kLightenAmount;
    int m_lightenPictures = 1;
    float m_widthFactor = kMenuWidthFactor;
    QColor m_menuColour, m_textColour;
    QColor m_selectionFill{193, 210, 238};
    QColor m_selectionBorder{49, 106, 197};
    QColor m_greyTextColour, m_separatorColour, m_iconColumnColour;
    QColor m_shadowColour{160, 178, 206};
    std::array<int, kPictureSlots> m_pictureCommands{};
    std::array<int, kPictureSlots> m_pictureBitmaps{};
    QImage m_checkMark;  // 8 x 8, black on white

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
    QSize sizeHint() const override;

private:
    struct Item {
        int commandId = 0;
        QString caption;  // as shown, mnemonic marked
    };
    QHash<const QAction*, Item> m_items;
    mutable const QAction* m_styledAction = nullptr;
};

// The owner-drawn menu bar: flat items, a blue frame while the pointer is over one, an open frame
// while its menu hangs below. The document bar starts with a picture that does nothing.
class CTopMenu : public QMenuBar {
    Q_OBJECT
public:
    explicit CTopMenu(QWidget* parent = nullptr);

    // Stores the font; with a picture id that loads, the first item shows it (command 1123).
    bool Create(const QFont* font, int bitmapId);
    QAction* AppendPopup(CIconMenu* popup, const QString& caption, const QString& standardCaption = {});

    struct ItemState {
        bool picture = false;  // the bar picture item
        QString caption;
        bool hot = false;      // the pointer is over it
        bool open = false;     // its menu is open
        bool disabled = false;
        bool underlineMnemonic = false;
    };
    void DrawItem(QPainter& p, const QRect& rc, const ItemState& item) const;
    QSize MeasureItem(bool picture, const QString& caption, int proposedHeight) const;
    QAction* PictureAction() const { return m_pictureAction; }

    const QFont* m_font = nullptr;
    float m_widthFactor = kMenuWidthFactor;
    int m_imageSize = 16;
    QColor m_transparentColour{0, 255, 0};
    QColor m_barColour, m_textColour;
    QColor m_hotFill{193, 210, 238};
    QColor m_hotBorder{49, 106, 197};
    QColor m_openFill, m_openBorder;
    QImage m_barPicture;

private:
    QAction* m_pictureAction = nullptr;
};

}  // namespace qm
