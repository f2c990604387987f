#include "ui/tools/missioncheckjob.h"

#include <QThread>

#include "ui/views/problemchecker.h"

namespace qm {

struct CMissionCheckJob::Shared {
    std::atomic<bool> stop{false};
    std::atomic<size_t> done{0}, total{0};
    std::vector<MissionFinding> findings;
};

CMissionCheckJob::CMissionCheckJob(QObject* parent) : QObject(parent) {
    m_progress.setInterval(100);
    connect(&m_progress, &QTimer::timeout, this, [this] {
        if (m_shared) emit Progress(static_cast<int>(m_shared->done), static_cast<int>(m_shared->total));
    });
}

CMissionCheckJob::~CMissionCheckJob() { Stop(); }

void CMissionCheckJob::Stop() {
    m_progress.stop();
    if (!m_worker) return;
    m_shared->stop = true;
    disconnect(m_worker, nullptr, this, nullptr);
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_shared.reset();
}

void CMissionCheckJob::Start(const QString& folder) {
    Stop();
    m_folder = folder;
    m_shared = std::make_shared<Shared>();
    m_worker = QThread::create([shared = m_shared, path = folder.toStdString(), rules = CurrentScriptRules()] {
        shared->findings = CheckMissionFolder(path, *rules, [&](size_t done, size_t total) {
            shared->done = done;
            shared->total = total;
            return !shared->stop;
        });
    });
    connect(m_worker, &QThread::finished, this, &CMissionCheckJob::OnFinished);
    m_worker->start(QThread::LowPriority);
    m_progress.start();
}

void CMissionCheckJob::OnFinished() {
    m_progress.stop();
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    const std::shared_ptr<Shared> shared = std::move(m_shared);
    emit Finished(m_folder, shared->findings);
}

}  // namespace qm
