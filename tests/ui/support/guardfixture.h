#pragma once
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <functional>

#include "support/appfixture.h"
#include "support/scopedvalue.h"
#include "ui/app/doctemplate.h"
#include "ui/doc/diskwatcher.h"
#include "ui/doc/journalschedule.h"
#include "ui/views/editview.h"

namespace qm {

// An application whose documents keep copies of unsaved work in a recovery folder of the test's own
// (when recovery is on) and whose watcher and journal act within milliseconds.
class GuardFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        SetSetting("NewFile", 0);
        SetSetting("AddHeader", 0);
    }
    void TearDown() override {
        AppFixture::TearDown();
        theApp.m_recoveryFolder.clear();
    }
    bool StartWithRecovery(const QStringList& args = {}) {
        theApp.m_recoveryFolder = RecoveryPath();
        return StartShown(args);
    }
    bool StartShown(const QStringList& args = {}) {
        if (!Start(args)) return false;
        Main()->resize(900, 700);
        Main()->show();
        return true;
    }
    QString RecoveryPath(const QString& name = {}) const { return Path("state/quillmark/recovery/") + name; }

    CScriptDoc* New(DocKind kind = DocKind::Script) { return theApp.Template(kind)->OpenDocumentFile(QString()); }
    CScriptDoc* Open(const QString& rel, const QByteArray& bytes) {
        WriteData(rel, bytes);
        return theApp.OpenDocumentFile(Path(rel));
    }
    static void Type(CScriptDoc* doc, const QString& text) { QTest::keyClicks(doc->GetView(), text); }
    // As another program saves: a new file renamed over the old one.
    void ReplaceOnDisk(const QString& rel, const QByteArray& bytes) {
        WriteData(rel + ".new", bytes);
        ASSERT_TRUE(::rename(Path(rel + ".new").toLocal8Bit(), Path(rel).toLocal8Bit()) == 0);
    }
    static bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
        for (int waited = 0; !done(); waited += 5) {
            if (waited > ms) return false;
            QTest::qWait(5);
        }
        return true;
    }
    QString Status() const { return Main()->statusBar()->currentMessage(); }

    ScopedValue<int> m_pause{CJournalSchedule::s_pauseMs, 20};
    ScopedValue<int> m_longest{CJournalSchedule::s_longestMs, 150};
    ScopedValue<int> m_settle{CDiskWatcher::s_settleMs, 20};
};

}  // namespace qm
