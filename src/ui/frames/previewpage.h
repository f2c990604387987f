#pragma once
#include <QImage>
#include <QTextDocument>
#include <string>

namespace qm {

// A page as the preview shows it. It may be built on a worker thread (it touches nothing but
// itself): the pictures it names are read from beside the page's file, and a picture that is
// missing or unreadable shows as a placeholder. Each is looked for once per page. Nothing else
// the page names is loaded.
class CPreviewPage : public QTextDocument {
    Q_OBJECT
public:
    explicit CPreviewPage(const QString& pagePath);

    // The picture shown for one that cannot be found or read.
    static QImage Placeholder();

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::string m_pagePath;
};

}  // namespace qm
