#include "ui/menus/pictures.h"

#include <QBitmap>
#include <QFile>
#include <QHash>

namespace qm {

QPixmap LoadPicture(const QString& name) {
    const QString path = QStringLiteral(":/pictures/%1.png").arg(name);
    if (!QFile::exists(path)) return {};
    QPixmap pm(path);
    if (!pm.isNull()) pm.setMask(pm.createMaskFromColor(QColor(0, 255, 0)));
    return pm;
}

QPixmap LogoPicture() {
    QPixmap logo(QStringLiteral(":/logo.png"));
    if (!logo.isNull() && !logo.hasAlphaChannel()) logo.setMask(logo.createMaskFromColor(Qt::white));
    return logo;
}

QImage MenuPicture(int id) {
    static QHash<int, QImage> cache;
    if (const auto it = cache.constFind(id); it != cache.constEnd()) return *it;
    QImage picture;
    const QString path = QStringLiteral(":/pictures/menu/%1.png").arg(id);
    if (QFile::exists(path) && picture.load(path)) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) == 0x00FF00) picture.setPixel(x, y, 0);
    }
    cache.insert(id, picture);
    return picture;
}

QIcon PictureIcon(const QString& name) {
    const QPixmap pm = LoadPicture(name);
    return pm.isNull() ? QIcon() : QIcon(pm);
}

}  // namespace qm
