#pragma once
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace qm {

// A 16 x 16 picture from the resources, its pure green background drawn transparent.
// A missing picture gives a null icon, never a failure. PictureIcon decodes the picture when the
// icon is first drawn.
QPixmap LoadPicture(const QString& name);
QIcon PictureIcon(const QString& name);
// The owner-drawn menus' picture with this id (32-bit, green made transparent); null when missing.
QImage MenuPicture(int id);
// The program's logo; white is transparent when the picture has no alpha channel of its own.
QPixmap LogoPicture();

}  // namespace qm
