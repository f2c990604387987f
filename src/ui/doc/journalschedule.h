#pragma once
#include <QObject>
#include <QTimer>

namespace qm {

// When a document's copy is due: a pause in the typing, or a longest wait while typing goes on.
class CJournalSchedule : public QObject {
    Q_OBJECT
public:
    explicit CJournalSchedule(QObject* parent = nullptr);

    // The text changed (cheap: called for every keystroke).
    void Touch();
    // A copy could not be written: try again after the longest wait.
    void Retry();
    void Cancel();
    bool IsPending() const { return m_pause.isActive() || m_longest.isActive(); }

    // How long taking the document's text for a copy took: a text that is quick to take is copied
    // often while typing goes on, a very large one less often, so the typing stays smooth.
    void SetCopyCost(double ms);

    static int s_pauseMs;    // after the last change
    static int s_busyMs;     // after the first change not yet copied, for a text quick to take
    static int s_longestMs;  // after the first change not yet copied, at most

signals:
    void Due();

private:
    void Fire();

    QTimer m_pause, m_longest;
    int m_longestMs = -1;  // -1: s_busyMs
};

}  // namespace qm
