#include "ui/frames/slicedtextcopy.h"

#include <QElapsedTimer>
#include <QTextDocument>

namespace qm {

namespace {
constexpr qint64 kSliceNs = 4'000'000;
}

CSlicedTextCopy::CSlicedTextCopy(QObject* parent) : QObject(parent) {
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, [this] {
        if (!m_doc) {  // gone with its document
            Cancel();
            return;
        }
        if (!CopySlice()) return;
        m_slices.stop();
        emit Finished();
    });
}

bool CSlicedTextCopy::Start(QTextDocument* doc) {
    Cancel();
    m_doc = doc;
    m_next = doc->begin();
    // Blocks from before a change may lead anywhere: the copy is worthless after one.
    m_changed = connect(doc, &QTextDocument::contentsChanged, this, &CSlicedTextCopy::Cancel);
    m_text.reserve(doc->characterCount());
    if (CopySlice()) return true;
    m_slices.start();
    return false;
}

void CSlicedTextCopy::Cancel() {
    m_slices.stop();
    disconnect(m_changed);
    m_doc = nullptr;
    m_next = QTextBlock();
    m_text = QString();
}

QString CSlicedTextCopy::TakeText() {
    QString text = std::move(m_text);
    Cancel();
    return text;
}

bool CSlicedTextCopy::CopySlice() {
    QElapsedTimer clock;
    clock.start();
    int sinceCheck = 0;
    while (m_next.isValid()) {
        QString line = m_next.text();
        line.replace(QChar::LineSeparator, QLatin1Char('\n'));
        m_text += line;
        m_next = m_next.next();
        if (m_next.isValid()) m_text += QLatin1Char('\n');
        if (++sinceCheck == 64) {
            sinceCheck = 0;
            if (clock.nsecsElapsed() > kSliceNs) return !m_next.isValid();
        }
    }
    disconnect(m_changed);
    return true;
}

}  // namespace qm
