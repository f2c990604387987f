#include <QTreeWidget>
#include <filesystem>

#include "core/doc/recoveryfile.h"
#include "core/doc/recoverylock.h"
#include "support/guardfixture.h"
#include "ui/app/recoverydlg.h"
#include "ui/frames/childfrm.h"
#include "ui/doc/recoveryjournal.h"

using namespace qm;

namespace {
class Recovery : public GuardFixture {
protected:
    void TearDown() override {
        CRecoveryDlg::s_answer = nullptr;
        GuardFixture::TearDown();
    }
    // The copy of a document once the journal has written the text that is expected.
    RecoveryEntry Copy(CScriptDoc* doc, const std::string& bytes) {
        RecoveryEntry e;
        std::string error;
        const bool written = WaitFor([&] {
            if (doc->JournalName().isEmpty()) return false;
            theApp.m_journal->Flush();
            return ParseRecoveryFile(ReadFile(RecoveryPath(doc->JournalName())).toStdString(), e, error) &&
                   e.bytes == bytes;
        });
        EXPECT_TRUE(written) << bytes << " was not written";
        return e;
    }
    // As a process that ended without closing its documents left them.
    void Leave(const QString& name, const RecoveryEntry& e) { WriteData(RecoveryPath(name).mid(m_dir.path().size() + 1), QByteArray::fromStdString(FormatRecoveryFile(e))); }
    QStringList Files() const { return QDir(RecoveryPath()).entryList({"*.qmrecover*"}, QDir::Files, QDir::Name); }

    // Answers the recovery dialog and keeps its rows.
    void Answer(CRecoveryDlg::Choice choice) {
        shown = 0;
        CRecoveryDlg::s_answer = [this, choice](CRecoveryDlg& dlg) {
            rows.clear();
            caption = dlg.windowTitle();
            for (int i = 0; i < dlg.List()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = dlg.List()->topLevelItem(i);
                rows << item->text(0) + " | " + item->text(2);
            }
            ++shown;
            return choice;
        };
    }
    void Restart() {
        theApp.ExitInstance();
        Settle();
        ASSERT_TRUE(StartWithRecovery());
    }

    QStringList rows;
    QString caption;
    int shown = 0;
};
}  // namespace

TEST_F(Recovery, UnsavedWorkIsCopiedAsSavedBytesAndTheCopyGoesWhenTheWorkIsSavedDiscardedOrClosed) {
    ASSERT_TRUE(StartWithRecovery());
    CScriptDoc* untitled = New();
    Type(untitled, "hint \"caf");
    QTextCursor end = untitled->GetView()->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromUtf8("\xC3\xA9\"\nexit"));
    // The code page's bytes and line ends, as a save writes them.
    RecoveryEntry e = Copy(untitled, "hint \"caf\xE9\"\r\nexit");
    EXPECT_EQ(e.path, "");
    EXPECT_EQ(e.kind, "Script");
    EXPECT_FALSE(e.disk.exists);

    CScriptDoc* saved = Open("m/s.sqs", "a\r\n");
    Type(saved, "b");
    e = Copy(saved, "ba\r\n");
    EXPECT_EQ(QString::fromStdString(e.path), Path("m/s.sqs"));
    EXPECT_TRUE(e.disk.exists);
    EXPECT_EQ(e.disk.size, 3u);
    const QString savedCopy = saved->JournalName();
    EXPECT_NE(savedCopy, untitled->JournalName());

    // A later change replaces the copy.
    Type(saved, "c");
    Copy(saved, "bca\r\n");

    saved->OnFileSave();
    theApp.m_journal->Flush();
    EXPECT_FALSE(QFile::exists(RecoveryPath(savedCopy)));

    // Undone back to the saved text: nothing unsaved is left to copy.
    Type(saved, "d");
    Copy(saved, "bcda\r\n");
    const QString undone = saved->JournalName();
    saved->GetView()->undo();
    ASSERT_TRUE(WaitFor([&] {
        theApp.m_journal->Flush();
        return !QFile::exists(RecoveryPath(undone));
    }));

    // Closed, the user answering No to saving it.
    const QString untitledCopy = untitled->JournalName();
    prompter.answers = {IDNO};
    untitled->GetFrame()->close();
    Settle();
    theApp.m_journal->Flush();
    EXPECT_FALSE(QFile::exists(RecoveryPath(untitledCopy)));

    // A normal end removes this process's copies and keeps a copy left for a later start.
    Leave("1-1.qmrecover", e);
    CScriptDoc* open = New();
    Type(open, "x");
    Copy(open, "x");
    theApp.ExitInstance();
    EXPECT_EQ(Files(), QStringList{"1-1.qmrecover"});
}

TEST_F(Recovery, LeftWorkIsOfferedAndRecoveredAsModifiedDocuments) {
    WriteData("m/kept.sqs", "on disk\r\n");
    RecoveryEntry saved;
    saved.path = Path("m/kept.sqs").toStdString();
    saved.kind = "Script";
    saved.title = "kept.sqs";
    saved.savedAt = 1796680000;
    saved.disk = ReadFileStamp(saved.path);
    saved.bytes = "on disk\r\nhint \"unsaved\"\r\n";
    Leave("77-1.qmrecover", saved);
    RecoveryEntry untitled;
    untitled.kind = "Script";
    untitled.title = "Script";
    untitled.savedAt = 1796680001;
    untitled.bytes = "never saved\r\n";
    Leave("77-2.qmrecover", untitled);
    std::string damaged = FormatRecoveryFile(untitled);
    damaged.resize(damaged.size() - 9);  // cut short, as a full disk may leave it
    WriteData("state/quillmark/recovery/77-3.qmrecover", QByteArray::fromStdString(damaged));
    // The file was written by another program after the work was copied.
    WriteData("m/kept.sqs", "theirs now\r\n");

    Answer(CRecoveryDlg::Recover);
    ASSERT_TRUE(StartWithRecovery());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(caption, "Recover Unsaved Work");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], Path("m/kept.sqs") + " | 25 bytes");
    EXPECT_EQ(rows[1], "Untitled Script | 13 bytes");
    EXPECT_TRUE(rows[2].startsWith(RecoveryPath("77-3.qmrecover") + " | unreadable")) << rows[2].toStdString();

    const auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 2u);
    CScriptDoc* kept = docs[0]->GetPathName().isEmpty() ? docs[1] : docs[0];
    CScriptDoc* fresh = kept == docs[0] ? docs[1] : docs[0];
    EXPECT_EQ(kept->GetPathName(), Path("m/kept.sqs"));
    EXPECT_EQ(kept->GetTitle(), "kept.sqs*");
    EXPECT_EQ(kept->GetView()->GetText(), "on disk\nhint \"unsaved\"\n");
    EXPECT_TRUE(kept->IsModified());
    EXPECT_EQ(fresh->GetView()->GetText(), "never saved\n");
    EXPECT_TRUE(fresh->IsModified());
    // The damaged copy is set aside, not lost and not offered again.
    EXPECT_EQ(Files(), (QStringList{"77-1.qmrecover", "77-2.qmrecover", "77-3.qmrecover.damaged"}));

    // The file changed since the work was copied: saving over it asks.
    prompter.answers = {IDNO};
    kept->OnFileSave();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("kept.sqs was changed on disk by another program"));
    EXPECT_EQ(ReadFile(Path("m/kept.sqs")), "theirs now\r\n");
    prompter.answers = {IDYES};
    kept->OnFileSave();
    EXPECT_EQ(ReadFile(Path("m/kept.sqs")), "on disk\r\nhint \"unsaved\"\r\n");
    theApp.m_journal->Flush();
    EXPECT_EQ(Files(), (QStringList{"77-2.qmrecover", "77-3.qmrecover.damaged"})) << "the saved one's copy went";

    // A normal end: the recovered untitled document's copy is this process's now.
    theApp.ExitInstance();
    EXPECT_EQ(Files(), QStringList{"77-3.qmrecover.damaged"});
}

TEST_F(Recovery, LaterKeepsDiscardDeletesAndOnlyTheFoldersOwnerLooks) {
    RecoveryEntry e;
    e.kind = "Text";
    e.bytes = "x";
    Leave("5-1.qmrecover", e);

    // Giving the file types back never shows it, nor takes the folder.
    Answer(CRecoveryDlg::Discard);
    EXPECT_FALSE(StartWithRecovery({"-UnregFileTypes"}));
    EXPECT_EQ(shown, 0);
    theApp.ExitInstance();

    // While another running Quillmark owns the folder, its files are that one's.
    {
        RecoveryFolderLock other;
        std::string error;
        ASSERT_TRUE(other.TryLock(RecoveryPath().toStdString(), error));
        ASSERT_TRUE(StartWithRecovery());
        EXPECT_EQ(shown, 0);
        EXPECT_TRUE(Status().startsWith("Unsaved work is not kept for recovery: Another running Quillmark"));
        EXPECT_FALSE(theApp.m_journal);
        theApp.ExitInstance();
    }

    Answer(CRecoveryDlg::Later);
    ASSERT_TRUE(StartWithRecovery());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rows, QStringList{"Untitled Text | 1 bytes"});
    EXPECT_TRUE(theApp.Documents().empty());
    Restart();
    EXPECT_EQ(shown, 2) << "offered again at the next start";
    EXPECT_EQ(Files(), QStringList{"5-1.qmrecover"});

    Answer(CRecoveryDlg::Discard);
    Restart();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_TRUE(theApp.Documents().empty());
    Restart();
    EXPECT_EQ(shown, 1) << "nothing left to offer";
}

TEST_F(Recovery, AnUnwritableFolderWarnsOnceAndIsTriedAgain) {
    ASSERT_TRUE(StartWithRecovery());
    // A folder that cannot take files, even for the superuser: a plain file stands in its place.
    const std::string folder = RecoveryPath().chopped(1).toStdString(), aside = folder + ".aside";
    std::filesystem::rename(folder, aside);
    WriteData("state/quillmark/recovery", "not a folder");
    int warnings = 0;
    QObject::connect(Main()->statusBar(), &QStatusBar::messageChanged, Main(), [&](const QString& text) {
        if (text.startsWith("Unsaved work cannot be kept for recovery")) ++warnings;
    });

    CScriptDoc* doc = New();
    Type(doc, "a");
    ASSERT_TRUE(WaitFor([&] { return warnings == 1; }));
    Type(doc, "b");
    QTest::qWait(300);  // a few more failed tries
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(doc->GetView()->GetText(), "ab");

    std::filesystem::remove(folder);
    std::filesystem::rename(aside, folder);
    ASSERT_TRUE(WaitFor([&] {
        theApp.m_journal->Flush();
        return QFile::exists(RecoveryPath(doc->JournalName()));
    }));
    Copy(doc, "ab");
}
