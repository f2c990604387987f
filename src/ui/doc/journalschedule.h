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

    static int s_pauseMs;    // after the last change
    static int s_longestMs;  // after the first change not yet copied

signals:
    void Due();

private:
    void Fire();

    QTimer m_pause, m_longest;
};

}  // namespace qm
