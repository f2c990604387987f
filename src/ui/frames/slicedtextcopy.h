#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextBlock>
#include <QTimer>

class QTextDocument;

namespace qm {

// Takes a document's text a slice at a time, each a few milliseconds long, so that copying even a
// very long text never keeps keys and paints waiting; a change to the document drops the copy.
// The text is as CEditView::GetText gives it: every line ends with "\n" but the last.
class CSlicedTextCopy : public QObject {
    Q_OBJECT
public:
    explicit CSlicedTextCopy(QObject* parent = nullptr);

    // Starts afresh with the first slice; true when that took the whole text (Finished is not
    // emitted then), false when Finished follows once the rest is taken.
    bool Start(QTextDocument* doc);
    void Cancel();
    bool IsRunning() const { return m_slices.isActive(); }
    QString TakeText();

signals:
    void Finished();

private:
    bool CopySlice();

    QPointer<QTextDocument> m_doc;
    QTextBlock m_next;
    QString m_text;
    QTimer m_slices;
    QMetaObject::Connection m_changed;
};

}  // namespace qm
