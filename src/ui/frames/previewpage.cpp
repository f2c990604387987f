#include "ui/frames/previewpage.h"

#include <QPainter>
#include <QUrl>

#include "core/frames/pagepreview.h"

namespace qm {

CPreviewPage::CPreviewPage(const QString& pagePath) : m_pagePath(pagePath.toStdString()) {}

QImage CPreviewPage::Placeholder() {
    // Lines only: text drawing is not safe on every platform's worker threads.
    static const QImage picture = [] {
        QImage img(128, 64, QImage::Format_RGB32);
        img.fill(QColor(0xE8, 0xE8, 0xE8));
        QPainter p(&img);
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DashLine));
        p.drawRect(img.rect().adjusted(0, 0, -1, -1));
        p.setPen(QPen(QColor(0xB0, 0x40, 0x40), 2));
        p.drawLine(52, 20, 76, 44);
        p.drawLine(76, 20, 52, 44);
        return img;
    }();
    return picture;
}

QVariant CPreviewPage::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource) return {};
    // The name as written (backslashes and blanks included), not as a web address would have it.
    const QString src = QUrl::fromPercentEncoding(name.toString(QUrl::FullyEncoded).toUtf8());
    const std::string path = FindPagePicture(src.toStdString(), m_pagePath);
    QImage img;
    if (!path.empty()) img.load(QString::fromStdString(path));
    if (img.isNull()) img = Placeholder();
    // Asked for on every paint: kept for the page's life, so that the folders are searched and
    // the file decoded once per page built.
    addResource(type, name, img);
    return img;
}

}  // namespace qm
