#include "ui/menus/pictures.h"

#include <QBitmap>
#include <QFile>

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

QIcon PictureIcon(const QString& name) {
    const QPixmap pm = LoadPicture(name);
    return pm.isNull() ? QIcon() : QIcon(pm);
}

}  // namespace qm
