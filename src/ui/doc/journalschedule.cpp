#include "ui/doc/journalschedule.h"

#include <algorithm>

namespace qm {

int CJournalSchedule::s_pauseMs = 2000;
int CJournalSchedule::s_busyMs = 1000;
int CJournalSchedule::s_longestMs = 30000;

CJournalSchedule::CJournalSchedule(QObject* parent) : QObject(parent) {
    m_pause.setSingleShot(true);
    m_longest.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CJournalSchedule::Fire);
    connect(&m_longest, &QTimer::timeout, this, &CJournalSchedule::Fire);
}

void CJournalSchedule::SetCopyCost(double ms) {
    // The editor spends at most about a fiftieth of the typing time on taking copies.
    m_longestMs = int(std::min<double>(std::max<double>(ms * 50, s_busyMs), s_longestMs));
}

void CJournalSchedule::Touch() {
    m_pause.start(s_pauseMs);
    if (!m_longest.isActive()) m_longest.start(m_longestMs < 0 ? std::min(s_busyMs, s_longestMs) : m_longestMs);
}

void CJournalSchedule::Retry() {
    // A folder that failed is tried again after the longest wait, whatever the text's size.
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
