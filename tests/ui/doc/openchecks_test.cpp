#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <QMdiArea>
#include <new>

#include "core/app/safefile.h"
#include "ui/frames/backgroundwnd.h"
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
        CScriptDoc::s_open = {};
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

TEST_F(OpenChecks, RunningOutOfMemoryWhileOpeningIsReportedAndDropsOnlyTheHalfReadDocument) {
    CScriptDoc* kept = Open("m/kept.sqs", "hint\r\n");
    QTest::keyClicks(kept->GetView(), "unsaved ");
    CScriptDoc* fresh = New(DocKind::Script);
    QTest::keyClicks(fresh->GetView(), "typed");
    QByteArray text;
    for (int i = 0; i < 400; ++i) text += "hint " + QByteArray::number(i) + "\r\n";
    WriteData("m/big.sqs", text);
    CScriptDoc::s_open.pieceBytes = 1000;
    int pieces = 0;
    CScriptDoc::s_open.beforePiece = [&](std::uint64_t) {
        if (++pieces == 3) throw std::bad_alloc();  // two pieces are in the editor by then
    };
    EXPECT_EQ(theApp.OpenDocumentFile(Path("m/big.sqs")), nullptr);
    EXPECT_EQ(pieces, 3);
    ASSERT_FALSE(prompter.Texts().isEmpty());
    EXPECT_TRUE(prompter.Texts().last().startsWith("Failed to open document.\nThere is not enough memory to open"))
        << prompter.Texts().last().toStdString();
    EXPECT_TRUE(prompter.Texts().last().contains("big.sqs"));
    Settle();
    ASSERT_EQ(theApp.Documents().size(), 2u);
    EXPECT_EQ(Main()->m_wndBackground->subWindowList().size(), 2);  // the half-read window is gone
    EXPECT_EQ(kept->GetView()->GetText(), "unsaved hint\n");
    EXPECT_TRUE(kept->IsModified());
    EXPECT_EQ(fresh->GetView()->GetText(), "typed");
    EXPECT_TRUE(fresh->IsModified());
    // Running short while the whole text is laid out for its window drops that document alone too.
    CScriptDoc::s_open.beforePiece = nullptr;
    CScriptDoc::s_open.beforeShow = [] { throw std::bad_alloc(); };
    EXPECT_EQ(theApp.OpenDocumentFile(Path("m/big.sqs")), nullptr);
    EXPECT_TRUE(prompter.Texts().last().contains("There is not enough memory to open")) << prompter.Texts().last().toStdString();
    Settle();
    EXPECT_EQ(theApp.Documents().size(), 2u);
    EXPECT_EQ(Main()->m_wndBackground->subWindowList().size(), 2);
    EXPECT_EQ(kept->GetView()->GetText(), "unsaved hint\n");
    // The program goes on: with the memory there the same file opens whole.
    CScriptDoc::s_open.beforeShow = nullptr;
    CScriptDoc* again = theApp.OpenDocumentFile(Path("m/big.sqs"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetView()->GetText(), QString::fromLatin1(text).replace("\r\n", "\n"));
}

TEST_F(OpenChecks, TheSameFileAskedForAgainWhileItLoadsOpensOnce) {
    QByteArray text;
    for (int i = 0; i < 400; ++i) text += "hint " + QByteArray::number(i) + "\r\n";
    WriteData("m/big.sqs", text);
    CScriptDoc::s_open.pieceBytes = 1000;
    std::vector<CScriptDoc*> meanwhile;
    CScriptDoc::s_open.beforePiece = [&](std::uint64_t) {
        // As a second start of the program or a dropped file would ask while the progress is shown.
        if (meanwhile.size() < 2) meanwhile.push_back(theApp.OpenDocumentFile(Path("m/./big.sqs")));
    };
    CScriptDoc* doc = theApp.OpenDocumentFile(Path("m/big.sqs"));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(meanwhile, std::vector<CScriptDoc*>({doc, doc}));
    Settle();
    EXPECT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(Main()->m_wndBackground->subWindowList().size(), 1);
    EXPECT_EQ(doc->GetView()->GetText(), QString::fromLatin1(text).replace("\r\n", "\n"));
    EXPECT_EQ(doc->LoadingPathName(), QString());
}
