#pragma once
#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "core/doc/recoveryfile.h"
#include "core/doc/recoverylock.h"

namespace qm {

// Keeps copies of unsaved documents in the recovery folder, which this process owns while it runs.
// Files are written on a thread of their own, so the editor never waits for the disk: the caller
// hands over the document's raw text (shared, not copied) and the worker turns it into the bytes a
// save would write. A newer copy of a document replaces one still waiting.
class CRecoveryJournal : public QObject {
    Q_OBJECT
public:
    CRecoveryJournal();
    ~CRecoveryJournal() override;

    // Takes the folder for this process. False with a reason when it is another's or cannot be made.
    bool Start(const QString& folder, QString& error);
    bool IsOn() const { return m_lock.IsHeld(); }
    QString Folder() const { return m_folder; }

    // A file name for a new document's copies.
    QString NewFileName();
    // The document's copies go on in a file left by an earlier process (its work was recovered).
    void Adopt(const QString& name);
    bool IsOwn(const QString& name) const { return m_own.count(name) > 0; }

    // entry.bytes is left empty: the worker fills it from rawText.
    void Write(const QString& name, RecoveryEntry entry, const QString& rawText);
    // The same from a very large text's UTF-8 with "\n" line breaks.
    void WriteUtf8(const QString& name, RecoveryEntry entry, std::function<std::string()> text);
    void Remove(const QString& name);
    // Nothing handed over is waiting or being written.
    bool IsIdle();
    // Waits until everything handed over is on the disk (or failed).
    void Flush();
    // At a normal end: the copies of this process go, those kept for a later start stay.
    void Stop();

    bool m_warned = false;  // a failure was told and nothing has been written since

signals:
    // From the worker, received on the editor's thread.
    void Finished(const QString& name, bool ok, const QString& error);

private:
    struct Job {
        QString name;
        bool remove = false;
        RecoveryEntry entry;
        QString text;
        std::function<std::string()> utf8;  // makes the text as UTF-8, on the worker, instead of text
    };
    void Queue(Job job);
    void Run();
    void Do(Job& job);

    QString m_folder;
    RecoveryFolderLock m_lock;
    int m_serial = 0;
    std::set<QString> m_own;  // every name this process wrote or adopted

    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false, m_stopping = false;
    std::thread m_worker;
};

}  // namespace qm
