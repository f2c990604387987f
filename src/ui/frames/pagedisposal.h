#pragma once
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QObject;
class QTextDocument;
class QThread;

namespace qm {

// Deletes pages (and frees other large values) on a thread of its own: freeing a long page's blocks and their layouts takes tens
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
    // Anything else whose freeing takes long (a long page's list of places), freed there too.
    template <class T>
    void DisposeValue(T&& value) {
        auto held = std::make_shared<std::decay_t<T>>(std::forward<T>(value));
        Post([held]() mutable { held.reset(); });
    }

private:
    void Start();
    void Post(std::function<void()> job);
    QThread* m_thread = nullptr;
    QObject* m_context = nullptr;  // lives on m_thread: what is queued to it runs there, in order
};

}  // namespace qm
