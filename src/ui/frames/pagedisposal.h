#pragma once

class QObject;
class QTextDocument;
class QThread;

namespace qm {

// Deletes pages on a thread of its own: freeing a long page's blocks and their layouts takes tens
// of milliseconds, which the editor's thread would otherwise spend between two keys.
class CPageDisposal {
public:
    CPageDisposal() = default;
    CPageDisposal(const CPageDisposal&) = delete;
    CPageDisposal& operator=(const CPageDisposal&) = delete;
    // Deletes every page still waiting, then ends the thread.
    ~CPageDisposal();

    // The page must live on the calling thread, and nothing may show it or refer to it any more.
    void Dispose(QTextDocument* page);

private:
    QThread* m_thread = nullptr;
    QObject* m_context = nullptr;  // lives on m_thread: what is queued to it runs there, in order
};

}  // namespace qm
