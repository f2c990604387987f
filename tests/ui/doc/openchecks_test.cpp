#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "core/app/safefile.h"
#include "support/editorfixture.h"

using namespace qm;

namespace {
// Ends the test program when the guarded scope takes longer than it may: an open that blocks
// would otherwise hang the suite.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : m_thread([this, limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  std::fprintf(stderr, "Watchdog: the guarded step blocked\n");
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

class OpenChecks : public EditorFixture {
protected:
    void TearDown() override {
        SetReadableFileLimit(0);
        EditorFixture::TearDown();
    }
};
}  // namespace

TEST_F(OpenChecks, PipesFoldersAndDevicesAreRefusedWithoutBlocking) {
    const QString fifo = Path("m/pipe.sqs");
    QDir().mkpath(Path("m"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    Watchdog guard(std::chrono::seconds(10));
    EXPECT_EQ(theApp.OpenDocumentFile(fifo), nullptr);
    EXPECT_TRUE(prompter.Texts().last().contains("not a regular file")) << prompter.Texts().last().toStdString();
    EXPECT_EQ(theApp.OpenDocumentFile(Path("m")), nullptr);
    EXPECT_TRUE(prompter.Texts().last().contains("is a folder")) << prompter.Texts().last().toStdString();
    EXPECT_EQ(theApp.OpenDocumentFile("/dev/zero"), nullptr);
    EXPECT_TRUE(prompter.Texts().last().contains("not a regular file"));
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(OpenChecks, FileOverTheLimitIsRefusedAndOtherDocumentsKeepTheirEdits) {
    CScriptDoc* kept = Open("m/kept.sqs", "hint\r\n");
    QTest::keyClicks(kept->GetView(), "unsaved ");
    SetReadableFileLimit(1500);
    WriteData("m/big.sqs", QByteArray(2000, 'x'));
    EXPECT_EQ(theApp.OpenDocumentFile(Path("m/big.sqs")), nullptr);
    EXPECT_TRUE(prompter.Texts().last().contains("too large")) << prompter.Texts().last().toStdString();
    EXPECT_TRUE(prompter.Texts().last().contains("2.0 KB"));
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(kept->GetView()->GetText(), "unsaved hint\n");
    EXPECT_TRUE(kept->IsModified());
    // A file just within the limit opens.
    WriteData("m/fits.sqs", QByteArray(1500, 'x'));
    EXPECT_NE(theApp.OpenDocumentFile(Path("m/fits.sqs")), nullptr);
}
