#include "ui/menus/pictures.h"

#include <QBitmap>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>

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

namespace {
// Decodes the picture when the icon is first drawn or asked for a pixmap: most actions' pictures
// are only seen when a menu opens, and decoding them all made start-up slower.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(QString name) : m_name(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new PictureIconEngine(*this); }
    QString key() const override { return QStringLiteral("quillmark-picture"); }
    // Asked often while menus and bars are laid out; the picture is known to be there.
    bool isNull() override { return false; }

private:
    const QIcon& Icon() {
        if (!m_loaded) {
            const QPixmap pm = LoadPicture(m_name);
            if (!pm.isNull()) m_icon = QIcon(pm);
            m_loaded = true;
        }
        return m_icon;
    }
    QString m_name;
    QIcon m_icon;
    bool m_loaded = false;
};
}  // namespace

QIcon PictureIcon(const QString& name) {
    if (!QFile::exists(QStringLiteral(":/pictures/%1.png").arg(name))) return {};
    return QIcon(new PictureIconEngine(name));
}

}  // namespace qm
