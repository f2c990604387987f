#include "ui/views/clipboardtext.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace qm {

QString PastedText(const QMimeData* source) {
    if (!source) return {};
    QString text;
    if (source->hasText()) text = source->text();
    if (text.isEmpty() && source->hasHtml()) text = QTextDocumentFragment::fromHtml(source->html()).toPlainText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar c : {QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        text.replace(c, QLatin1Char('\n'));
    return text;
}

bool CanPasteFrom(const QMimeData* source) { return source && (source->hasText() || source->hasHtml()); }

}  // namespace qm
