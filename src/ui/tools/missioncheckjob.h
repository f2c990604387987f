#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <memory>
#include <vector>

#include "core/tools/missioncheck.h"

class QThread;

namespace qm {

// Checks a mission folder on a thread of its own, so that a folder of thousands of files never
// holds up the window; tells its progress a few times a second.
class CMissionCheckJob : public QObject {
    Q_OBJECT
public:
    explicit CMissionCheckJob(QObject* parent = nullptr);
    ~CMissionCheckJob() override;

    // Starts checking a folder; a check still running is stopped first.
    void Start(const QString& folder);
    bool IsRunning() const { return m_worker != nullptr; }
    QString Folder() const { return m_folder; }

signals:
    void Progress(int done, int total);
    void Finished(const QString& folder, const std::vector<qm::MissionFinding>& findings);

private:
    struct Shared;
    void Stop();
    void OnFinished();

    QThread* m_worker = nullptr;
    std::shared_ptr<Shared> m_shared;
    QTimer m_progress;
    QString m_folder;
};

}  // namespace qm
