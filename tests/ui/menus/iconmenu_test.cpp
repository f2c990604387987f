// The owner-drawn menus painted into images: the pixels the drawing rules fix.
#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include "support/qtprinters.h"
#include "ui/menus/iconmenu.h"
#include "ui/menus/menustyle.h"
#include <QStyleOptionMenuItem>
#include "ui/menus/pictures.h"

using namespace qm;

namespace {
const QColor kBorder(49, 106, 197), kFill(193, 210, 238), kShadow(160, 178, 206);

class IconMenuDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        m_font.setPointSizeF(8.5);
        menu.Create(&m_font);
        m_picture = MenuPicture(153);
        ASSERT_FALSE(m_picture.isNull());
        // The picture's right-most opaque pixel: a lifted copy two pixels up-left never covers the
        // shadow one pixel down-right of it.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(m_picture.pixel(x, y)) && x >= m_edge.x()) m_edge = QPoint(x, y);
    }
    QImage Draw(const CIconMenu::ItemState& item, QSize size = {200, 22}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        menu.DrawItem(p, QRect(QPoint(0, 0), size), item);
        return image;
    }
    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    CIconMenu::ItemState Open(bool selected) {
        CIconMenu::ItemState s;
        s.commandId = 57601;
        s.caption = "Open...\tCtrl+O";
        s.selected = selected;
        return s;
    }

    QFont m_font;
    CIconMenu menu;
    QImage m_picture;
    QPoint m_edge{-1, -1};
};
}  // namespace

TEST_F(IconMenuDrawing, HighlightedItemIsBlueWithBorderAndItsPictureLifts) {
    menu.AppendIconItem(57601, 153, "Open...\tCtrl+O");
    const QImage img = Draw(Open(true));
    EXPECT_EQ(At(img, 0, 0), kBorder);
    EXPECT_EQ(At(img, 199, 21), kBorder);
    EXPECT_EQ(At(img, 1, 1), kFill);  // the picture column is blue like the rest
    EXPECT_EQ(At(img, 20, 20), kFill);
    EXPECT_EQ(At(img, 198, 1), kFill);
    // Picture position (3, 3); selected it sits at (2, 2) over its shadow at (4, 4).
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(m_picture.pixel(x, y))) {
                ASSERT_EQ(At(img, 2 + x, 2 + y), m_picture.pixelColor(x, y)) << x << "," << y;
            }
    EXPECT_EQ(At(img, 4 + m_edge.x(), 4 + m_edge.y()), kShadow);
}

TEST_F(IconMenuDrawing, IdleItemHasTheGreyColumnTheShadowAndALightenedPicture) {
    menu.AppendIconItem(57601, 153, "Open...\tCtrl+O");
    const QImage img = Draw(Open(false));
    EXPECT_EQ(At(img, 0, 0), menu.m_iconColumnColour);
    EXPECT_EQ(At(img, 21, 21), menu.m_iconColumnColour);
    EXPECT_EQ(At(img, 22, 0), menu.m_menuColour);
    EXPECT_EQ(At(img, 199, 0), menu.m_menuColour);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb c = m_picture.pixel(x, y);
            if (!qAlpha(c)) continue;
            const QColor lightened(std::min(255, qRed(c) + 64), std::min(255, qGreen(c) + 64),
                                   std::min(255, qBlue(c) + 64));
            ASSERT_EQ(At(img, 3 + x, 3 + y), lightened) << x << "," << y;
        }
    EXPECT_EQ(At(img, 4 + m_edge.x(), 4 + m_edge.y()), kShadow);
    // Without lightening the picture itself.
    menu.m_lightenPictures = 0;
    const QImage plain = Draw(Open(false));
    EXPECT_EQ(At(plain, 3 + m_edge.x(), 3 + m_edge.y()), m_picture.pixelColor(m_edge));
}

TEST_F(IconMenuDrawing, DisabledItemIsGreyNeverHighlightedAndItsPictureSitsLower) {
    menu.AppendIconItem(57601, 153, "Open...\tCtrl+O");
    CIconMenu::ItemState s = Open(true);
    s.disabled = true;
    const QImage img = Draw(s);
    EXPECT_EQ(At(img, 0, 0), menu.m_iconColumnColour);
    EXPECT_EQ(At(img, 100, 1), menu.m_menuColour);
    // The grey picture at (3, 4): every opaque pixel grey, no shadow.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(m_picture.pixel(x, y))) {
                const QColor c = At(img, 3 + x, 4 + y);
                ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
            }
    // Caption pixels are in the grey text colour, none in the normal one.
    bool grey = false, normal = false;
    for (int y = 0; y < 22; ++y)
        for (int x = 27; x < 120; ++x) {
            grey |= At(img, x, y) == menu.m_greyTextColour;
            normal |= At(img, x, y) == menu.m_textColour && menu.m_textColour != menu.m_greyTextColour;
        }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(normal);
}

TEST_F(IconMenuDrawing, SeparatorLineStartsPastTheColumnAtTheCentre) {
    CIconMenu::ItemState s;
    s.commandId = 0;
    const QImage img = Draw(s, {90, 3});
    EXPECT_EQ(At(img, 27, 1), menu.m_separatorColour);
    EXPECT_EQ(At(img, 89, 1), menu.m_separatorColour);
    EXPECT_EQ(At(img, 26, 1), menu.m_menuColour);
    EXPECT_EQ(At(img, 27, 0), menu.m_menuColour);
    EXPECT_EQ(At(img, 27, 2), menu.m_menuColour);
    EXPECT_EQ(At(img, 0, 1), menu.m_iconColumnColour);
    EXPECT_EQ(At(img, 21, 1), menu.m_iconColumnColour);
}

TEST_F(IconMenuDrawing, CheckMarkBoxWithItsGlyphAndAPictureOverIt) {
    CIconMenu::ItemState s;
    s.commandId = 1211;
    s.caption = "Command Bar";
    s.checked = true;
    QImage img = Draw(s);
    EXPECT_EQ(At(img, 3, 3), kBorder);
    EXPECT_EQ(At(img, 18, 18), kBorder);
    EXPECT_EQ(At(img, 4, 4), kFill);
    EXPECT_EQ(At(img, 17, 17), kFill);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(At(img, 7 + x, 7 + y), kCheckGlyph[y][x] == '#' ? QColor(Qt::black) : kFill) << x << "," << y;
    // With a picture the picture covers the box (idle: lightened at (3, 3)).
    menu.AppendIconItem(1211, 153, "Command Bar");
    img = Draw(s);
    const QRgb c = m_picture.pixel(m_edge);
    EXPECT_EQ(At(img, 3 + m_edge.x(), 3 + m_edge.y()),
              QColor(std::min(255, qRed(c) + 64), std::min(255, qGreen(c) + 64), std::min(255, qBlue(c) + 64)));
}

TEST_F(IconMenuDrawing, ShortcutEndsFivePixelsFromTheRightAndCaptionStartsAt27) {
    const QImage img = Draw(Open(false));
    auto inked = [&](int x) {
        for (int y = 0; y < 22; ++y)
            if (At(img, x, y) != menu.m_menuColour) return true;
        return false;
    };
    int first = -1, last = -1;
    for (int x = 22; x < 200; ++x)
        if (inked(x)) {
            if (first < 0) first = x;
            last = x;
        }
    EXPECT_GE(first, 27);
    EXPECT_LE(first, 29);
    EXPECT_LE(last, 200 - 5 - 1);
    EXPECT_GE(last, 200 - 5 - 3);
    // No tab, no right part.
    CIconMenu::ItemState close = Open(false);
    close.caption = "Close";
    const QImage plain = Draw(close);
    for (int x = 120; x < 200; ++x)
        for (int y = 0; y < 22; ++y) ASSERT_EQ(At(plain, x, y), menu.m_menuColour);
}

TEST(IconMenu, PictureSlotsFillUpToSixteenAndAreFreedWithTheItems) {
    CIconMenu menu;
    for (int i = 0; i < 18; ++i) menu.AppendIconItem(2000 + i, 168, QString("Item %1").arg(i));
    EXPECT_EQ(menu.m_pictureCommands[15], 2015);
    EXPECT_EQ(menu.m_pictureBitmaps[0], 168);
    EXPECT_EQ(std::count(menu.m_pictureCommands.begin(), menu.m_pictureCommands.end(), 2016), 0);
    menu.AppendIconItem(0, 168, "ignored");
    EXPECT_EQ(menu.actions().size(), 19);
    EXPECT_TRUE(menu.actions().last()->isSeparator());
    // An item without a command of its own is a disabled placeholder.
    EXPECT_FALSE(menu.actions().first()->isEnabled());
    menu.RemoveAllItems();
    EXPECT_TRUE(menu.actions().isEmpty());
    EXPECT_EQ(menu.m_pictureCommands[0], 0);
    EXPECT_EQ(menu.m_pictureBitmaps[15], 0);
}

TEST(IconMenu, MeasuredSizes) {
    QFont font;
    CIconMenu menu;
    menu.Create(&font);
    EXPECT_EQ(menu.MeasureItem(0, QString()), QSize(90, 3));
    const QSize item = menu.MeasureItem(57601, "&Open...\tCtrl+O");
    EXPECT_EQ(item.height(), 22);
    const QFontMetrics fm(QApplication::font());
    EXPECT_GE(item.width(), static_cast<int>((fm.horizontalAdvance("Open...\tCtrl+O") + 22) * 0.9f));
}

TEST(TopMenuDrawing, HotAndOpenItemsAndThePicture) {
    QFont font;
    CTopMenu bar;
    ASSERT_TRUE(bar.Create(&font, 181));
    ASSERT_NE(bar.PictureAction(), nullptr);
    EXPECT_EQ(bar.PictureAction()->data().toInt(), 1123);
    QImage img(60, 20, QImage::Format_RGB32);
    auto draw = [&](const CTopMenu::ItemState& s) {
        img.fill(Qt::magenta);
        QPainter p(&img);
        bar.DrawItem(p, QRect(0, 0, 60, 20), s);
    };
    CTopMenu::ItemState s;
    s.caption = "File";
    s.hot = true;
    draw(s);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::magenta));  // the frame starts one pixel down
    EXPECT_EQ(img.pixelColor(0, 1), kBorder);
    EXPECT_EQ(img.pixelColor(59, 19), kBorder);
    EXPECT_EQ(img.pixelColor(1, 2), kFill);
    s.hot = false;
    s.open = true;
    draw(s);
    EXPECT_EQ(img.pixelColor(0, 1), bar.m_openBorder);
    EXPECT_EQ(img.pixelColor(1, 2), bar.m_openFill);
    EXPECT_EQ(img.pixelColor(1, 19), bar.m_openFill);  // open at the bottom
    s.open = false;
    draw(s);
    EXPECT_EQ(img.pixelColor(0, 0), bar.m_barColour);
    CTopMenu::ItemState picture;
    picture.picture = true;
    draw(picture);
    // Centred: (60 - 16) / 2 = 22, (20 - 16) / 2 = 2; the picture's own pixels, green left out.
    const QImage pic = MenuPicture(181);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(img.pixelColor(22 + x, 2 + y), qAlpha(pic.pixel(x, y)) ? pic.pixelColor(x, y) : bar.m_barColour);
}

TEST(IconMenu, APopupItemCaptionedLikeABarItemIsMeasuredAsOne) {
    QFont font;
    CMenuStyle style;
    CIconMenu menu;
    menu.setStyle(&style);
    menu.Create(&font);
    QAction* window = menu.AppendIconItem(3000, 0, "Window");
    QAction* other = menu.AppendIconItem(3001, 0, "Windows");
    auto width = [&](QAction* a) {
        QStyleOptionMenuItem opt;
        opt.initFrom(&menu);
        opt.text = menu.CaptionOf(a);
        opt.menuItemType = QStyleOptionMenuItem::Normal;
        return style.sizeFromContents(QStyle::CT_MenuItem, &opt, QSize(), &menu);
    };
    CTopMenu bar;
    bar.Create(&font, 0);
    EXPECT_EQ(width(window).width(), bar.MeasureItem(false, "Window", 22).width());
    EXPECT_EQ(width(other), menu.MeasureItem(3001, "&Windows"));
}
