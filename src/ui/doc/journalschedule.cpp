#include "ui/doc/journalschedule.h"

namespace qm {

int CJournalSchedule::s_pauseMs = 2000;
int CJournalSchedule::s_longestMs = 30000;

CJournalSchedule::CJournalSchedule(QObject* parent) : QObject(parent) {
    m_pause.setSingleShot(true);
    m_longest.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CJournalSchedule::Fire);
    connect(&m_longest, &QTimer::timeout, this, &CJournalSchedule::Fire);
}

void CJournalSchedule::Touch() {
    m_pause.start(s_pauseMs);
    if (!m_longest.isActive()) m_longest.start(s_longestMs);
}

void CJournalSchedule::Retry() {
    if (!m_longest.isActive()) m_longest.start(s_longestMs);
}

void CJournalSchedule::Cancel() {
    m_pause.stop();
    m_longest.stop();
}

void CJournalSchedule::Fire() {
    Cancel();
    emit Due();
}

}  // namespace qm
