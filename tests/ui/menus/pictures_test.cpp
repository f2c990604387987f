// The toolbar and action pictures: decoded when first drawn, green drawn transparent.
#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include "ui/menus/pictures.h"

using namespace qm;

TEST(PictureIcon, AMissingPictureIsANullIconAndAShippedOneDrawsWithItsGreenTransparent) {
    EXPECT_TRUE(PictureIcon(QStringLiteral("no-such-picture")).isNull());

    const QIcon icon = PictureIcon(QStringLiteral("save"));
    ASSERT_FALSE(icon.isNull());
    const QPixmap direct = LoadPicture(QStringLiteral("save"));
    ASSERT_FALSE(direct.isNull());
    const QImage drawn = icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = direct.toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(drawn.size(), QSize(16, 16));
    EXPECT_EQ(drawn, expected);
    int transparent = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_NE(drawn.pixel(x, y) & 0xFFFFFF, 0x00FF00u) << x << "," << y;  // no green left showing
            if (qAlpha(drawn.pixel(x, y)) == 0) ++transparent;
        }
    EXPECT_GT(transparent, 0);

    // Painting through the icon puts the same pixels down; a disabled one is drawn differently.
    QImage canvas(16, 16, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        icon.paint(&p, QRect(0, 0, 16, 16));
    }
    EXPECT_EQ(canvas, expected);
    EXPECT_NE(icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32), expected);
    // A copy shares the picture.
    const QIcon copy = icon;  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(copy.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32), expected);
}
