#include "ui/doc/recoveryjournal.h"

#include <unistd.h>

#include <QDir>
#include <cstdio>

#include "core/doc/textfile.h"

namespace qm {

CRecoveryJournal::CRecoveryJournal() = default;

CRecoveryJournal::~CRecoveryJournal() {
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable()) m_worker.join();
}

bool CRecoveryJournal::Start(const QString& folder, QString& error) {
    std::string why;
    if (!m_lock.TryLock(folder.toStdString(), why)) {
        error = QString::fromStdString(why);
        return false;
    }
    m_folder = QDir(folder).absolutePath() + QLatin1Char('/');
    if (!m_worker.joinable()) m_worker = std::thread([this] { Run(); });
    return true;
}

QString CRecoveryJournal::NewFileName() {
    return QString::fromStdString(RecoveryFileName(long(::getpid()), ++m_serial));
}

void CRecoveryJournal::Adopt(const QString& name) { m_own.insert(name); }

void CRecoveryJournal::Write(const QString& name, RecoveryEntry entry, const QString& rawText) {
    if (!IsOn() || name.isEmpty()) return;
    Queue(Job{name, false, std::move(entry), rawText, {}});
}

void CRecoveryJournal::WriteUtf8(const QString& name, RecoveryEntry entry, std::function<std::string()> text) {
    if (!IsOn() || name.isEmpty()) return;
    Queue(Job{name, false, std::move(entry), QString(), std::move(text)});
}

void CRecoveryJournal::Queue(Job job) {
    m_own.insert(job.name);
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        for (auto it = m_jobs.begin(); it != m_jobs.end();)
            it = it->name == job.name ? m_jobs.erase(it) : it + 1;
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void CRecoveryJournal::Remove(const QString& name) {
    if (!IsOn() || name.isEmpty()) return;
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        for (auto it = m_jobs.begin(); it != m_jobs.end();)
            it = it->name == name ? m_jobs.erase(it) : it + 1;
        m_jobs.push_back(Job{name, true, {}, {}, {}});
    }
    m_wake.notify_one();
}

bool CRecoveryJournal::IsIdle() {
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_jobs.empty() && !m_busy;
}

void CRecoveryJournal::Flush() {
    std::unique_lock<std::mutex> hold(m_mutex);
    m_idle.wait(hold, [this] { return m_jobs.empty() && !m_busy; });
}

void CRecoveryJournal::Stop() {
    if (!IsOn()) return;
    for (const QString& name : m_own) Remove(name);
    Flush();
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable()) m_worker.join();
    m_own.clear();
    m_lock.Release();
}

void CRecoveryJournal::Run() {
    std::unique_lock<std::mutex> hold(m_mutex);
    for (;;) {
        m_wake.wait(hold, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty()) return;  // stopping, with nothing left
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        hold.unlock();
        Do(job);
        hold.lock();
        m_busy = false;
        if (m_jobs.empty()) m_idle.notify_all();
    }
}

void CRecoveryJournal::Do(Job& job) {
    const std::string path = (m_folder + job.name).toStdString();
    if (job.remove) {
        std::remove(path.c_str());
        return;
    }
    if (job.utf8) {
        job.entry.bytes = EncodeDocumentText(job.utf8());
        job.utf8 = nullptr;  // lets go of what the text was made from
    } else {
        // As CEditView::GetText and a save: the editor's own separators are line breaks.
        job.text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        job.text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        const std::string utf8 = job.text.toStdString();
        job.text = QString();
        job.entry.bytes = EncodeDocumentText(utf8);
    }
    const FileResult r = WriteFileDurably(path, FormatRecoveryFile(job.entry));
    emit Finished(job.name, r.ok, QString::fromStdString(r.error));
}

}  // namespace qm
