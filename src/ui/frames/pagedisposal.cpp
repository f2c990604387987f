#include "ui/frames/pagedisposal.h"

#include <QTextDocument>
#include <QThread>

namespace qm {

CPageDisposal::~CPageDisposal() {
    if (!m_thread) return;
    // Queued behind every page still waiting, so each is deleted before the thread ends.
    QMetaObject::invokeMethod(m_context, [] { QThread::currentThread()->quit(); }, Qt::QueuedConnection);
    m_thread->wait();
    delete m_context;
    delete m_thread;
}

void CPageDisposal::Start() {
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("page disposal"));
        m_context = new QObject;
        m_context->moveToThread(m_thread);
        m_thread->start(QThread::LowPriority);
    }
}

void CPageDisposal::Post(std::function<void()> job) {
    Start();
    QMetaObject::invokeMethod(m_context, std::move(job), Qt::QueuedConnection);
}

void CPageDisposal::Dispose(QTextDocument* page) {
    if (!page) return;
    page->setParent(nullptr);
    Start();
    // Its layout's timers move along and are stopped there, by the thread that then owns them.
    page->moveToThread(m_thread);
    Post([page] { delete page; });
}

}  // namespace qm
