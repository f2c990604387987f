#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "core/app/gameregistry.h"
#include "support/editorfixture.h"
#include "support/menutexts.h"
#include "ui/frames/commandids.h"
#include "ui/frames/gamecommands.h"

using namespace qm;

namespace {
class StatusAndWindows : public EditorFixture {
protected:
    QString Ln() const { return Main()->m_lineIndicator->text(); }
    QString Ch() const { return Main()->m_charIndicator->text(); }
    static void SelectRange(CEditView* v, int line1, int col1, int line2, int col2) {
        QTextCursor c(v->document());
        c.setPosition(v->document()->findBlockByNumber(line1).position() + col1);
        c.setPosition(v->document()->findBlockByNumber(line2).position() + col2, QTextCursor::KeepAnchor);
        v->setTextCursor(c);
    }
    CScriptDoc* ActiveDoc() const { return Main()->ActiveDocument(); }
};

class GameFolder : public AppFixture {
protected:
    void SetGame(const QString& folder, const QString& player) {
        registry.WriteString(Hive::LocalMachine, kGameRegistryKey, "MAIN", folder.toStdString());
        registry.WriteString(Hive::CurrentUser, kGameRegistryKey, "Player Name", player.toStdString());
    }
    QStringList FileMenuTexts() const { return MenuTexts(Main()->PopupMenu("File (no document)")); }
    static QString Missions(const QString& game, const QString& player) {
        const QString s = QDir::separator();
        return game + s + "Users" + s + player + s + "Missions" + s;
    }
};
}  // namespace

TEST_F(StatusAndWindows, PanesFollowTheCaretAndTheSelection) {
    EXPECT_EQ(Main()->m_editionIndicator->text(), "RESISTANCE");
    EXPECT_EQ(Ln(), "");
    CEditView* v = Open("m/a.sqs", "one\ntwo\nthree\nfour\nabcdefghij\n")->GetView();
    PlaceCaret(v, 0, 0);
    EXPECT_EQ(Ln(), "Ln: 1");
    EXPECT_EQ(Ch(), "Ch: 1");
    SelectRange(v, 4, 2, 4, 7);
    EXPECT_EQ(Ln(), "Ln: 5");
    EXPECT_EQ(Ch(), "Ch: 3-7");
    SelectRange(v, 1, 1, 3, 0);
    EXPECT_EQ(Ln(), "Ln: 2-4");
    EXPECT_EQ(Ch(), "Ch: 2-0");
    // Typing moves them too.
    PlaceCaret(v, 2, 5);
    QTest::keyClick(v, Qt::Key_X);
    EXPECT_EQ(Ln(), "Ln: 3");
    EXPECT_EQ(Ch(), "Ch: 7");
    QTest::keyClick(v, Qt::Key_Return);
    EXPECT_EQ(Ln(), "Ln: 4");
    EXPECT_EQ(Ch(), "Ch: 1");
    // No document, no position.
    v->GetDocument()->OnCloseDocument();
    Settle();
    EXPECT_EQ(Ln(), "");
    EXPECT_EQ(Ch(), "");
}

TEST_F(StatusAndWindows, F6CyclesDocumentsOnlyWhenThereAreSeveralViews) {
    CScriptDoc* a = New(DocKind::Script);
    EXPECT_FALSE(Main()->Action(ID_NEXT_DOC)->isEnabled());
    EXPECT_FALSE(Main()->Action(ID_PREV_DOC)->isEnabled());
    CScriptDoc* b = New(DocKind::Text);
    CScriptDoc* c = New(DocKind::Description);
    ASSERT_TRUE(Main()->Action(ID_NEXT_DOC)->isEnabled());
    EXPECT_EQ(Main()->Action(ID_NEXT_DOC)->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(Main()->Action(ID_PREV_DOC)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    ASSERT_EQ(ActiveDoc(), c);
    Main()->Action(ID_NEXT_DOC)->trigger();
    EXPECT_EQ(ActiveDoc(), a);
    Main()->Action(ID_NEXT_DOC)->trigger();
    EXPECT_EQ(ActiveDoc(), b);
    Main()->Action(ID_PREV_DOC)->trigger();
    EXPECT_EQ(ActiveDoc(), a);
}

TEST_F(StatusAndWindows, NewWindowShowsTheSameTextKeptInStep) {
    CScriptDoc* doc = Open("m/b.sqs", "hint \"x\"\n");
    CEditView* first = doc->GetView();
    Main()->Action(ID_WINDOW_NEW)->trigger();
    ASSERT_EQ(Main()->MdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(Main()->Action(ID_NEXT_DOC)->isEnabled());
    auto* frame = qobject_cast<CChildFrame*>(Main()->MdiArea()->activeSubWindow());
    CEditView* second = frame->GetView();
    ASSERT_NE(second, first);
    EXPECT_EQ(ActiveDoc(), doc);
    EXPECT_EQ(frame->windowTitle(), "b.sqs");

    PlaceCaret(second, 0, 0);
    QTest::keyClicks(second, "exit");
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_EQ(first->GetText(), "exit\nhint \"x\"\n");
    EXPECT_EQ(ColourAt(first, 0, 0), Colour(Main()->m_commandColour));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(frame->windowTitle(), "b.sqs*");
    EXPECT_EQ(Main()->windowTitle(), "Quillmark - b.sqs*");  // the document's title, watched once
    first->OnEditUndo();
    EXPECT_EQ(second->GetText(), first->GetText());

    // Closing the second window leaves the document; closing its own window closes both.
    frame->close();
    Settle();
    ASSERT_EQ(Main()->MdiArea()->subWindowList().size(), 1);
    Main()->Action(ID_WINDOW_NEW)->trigger();
    prompter.answers.push_back(IDNO);
    doc->GetFrame()->close();
    Settle();
    EXPECT_TRUE(Main()->MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(StatusAndWindows, TilingSharesTheAreaOutAndCascadeOverlaps) {
    New(DocKind::Script);
    New(DocKind::Text);
    Main()->Action(ID_WINDOW_TILE_HORZ)->trigger();
    const auto windows = Main()->MdiArea()->subWindowList();
    const QRect area = Main()->MdiArea()->viewport()->rect();
    EXPECT_EQ(windows[0]->geometry().width(), area.width());
    EXPECT_EQ(windows[1]->geometry().top(), windows[0]->geometry().bottom() + 1);
    Main()->Action(ID_WINDOW_TILE_VERT)->trigger();
    EXPECT_EQ(windows[0]->geometry().height(), area.height());
    EXPECT_EQ(windows[1]->geometry().left(), windows[0]->geometry().right() + 1);
    Main()->Action(ID_WINDOW_CASCADE)->trigger();
    EXPECT_TRUE(windows[0]->geometry().intersects(windows[1]->geometry()));
    windows[0]->showMinimized();
    Main()->Action(ID_WINDOW_ARRANGE)->trigger();
    EXPECT_EQ(windows[0]->geometry().bottom(), area.bottom());
}

TEST_F(StatusAndWindows, ManualAndWebPagesGoToTheDesktop) {
    QStringList opened;
    SetShellOpener([&](const QString& what) { opened << what; });
    Main()->Action(ID_COMREF)->trigger();
    Main()->Action(ID_LINK_HOME)->trigger();
    Main()->Action(ID_LINK_EDITING)->trigger();
    Main()->Action(ID_LINK_UPDATES)->trigger();
    SetShellOpener({});
    ASSERT_EQ(opened.size(), 4);
    EXPECT_EQ(opened[0], QString::fromStdString(Main()->m_comRefPath));
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("comref") + QDir::separator() + "comref.html"));
    EXPECT_EQ(opened[1], kHomePageAddress);
    EXPECT_EQ(opened[3], kUpdatesAddress);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(GameFolder, RunStartsTheEditionsExecutableInTheGameFolderWithTheParameters) {
    const QString game = Path("game");
    WriteData("game/VarnholtResistance.exe", "#!/bin/sh\necho \"$PWD|$*\" > \"$(dirname \"$0\")/args.tmp\"\n"
                                             "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
    QFile::setPermissions(Path("game/VarnholtResistance.exe"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SetGame(game, "Kell");
    SetSetting("Window", 1);
    ASSERT_TRUE(Start());
    Main()->Action(ID_RUN_GAME)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Path("game/args.txt")); }));
    EXPECT_EQ(ReadFile(Path("game/args.txt")).trimmed(), QDir(game).canonicalPath().toUtf8() + "|-nosplash -window");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(GameFolder, AMissingGameIsStartedSilently) {
    SetSetting("Nosplash", 0);
    ASSERT_TRUE(Start());
    Main()->Action(ID_RUN_GAME)->trigger();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Main()->m_editionIndicator->text(), "RESISTANCE");
}

TEST_F(GameFolder, MissionFolderCommandsNeedAPlayerAndShowUsers) {
    SetSetting("Resistance", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->m_editionIndicator->text(), "");
    EXPECT_FALSE(FileMenuTexts().join('|').contains("Missions"));
    theApp.ExitInstance();

    SetGame(Path("game"), "Kell");
    SetSetting("ShowUsers", 0);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(FileMenuTexts().join('|').contains("Missions"));
    theApp.ExitInstance();

    SetSetting("ShowUsers", 1);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(FileMenuTexts().contains("Open Kell's Missions..."));
}

TEST_F(GameFolder, OpenAndSaveInTheMissionFolder) {
    SetGame(Path("game"), "Kell");
    SetSetting("NewFile", 0);
    SetSetting("AddHeader", 0);
    WriteData("game/Users/Kell/Missions/m1.sqs", "hint \"m\"\n");
    ASSERT_TRUE(Start());

    prompter.fileNames.push_back(Path("game/Users/Kell/Missions/m1.sqs"));
    Main()->Action(ID_OPEN_MISSIONS)->trigger();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].initialFolder, Missions(Path("game"), "Kell"));
    EXPECT_EQ(prompter.requests[0].filter, "Varnholt Files|*.sqs;*.ext;*.html;*.sqf;*.csv;*.txt|All Files (*.*)|*.*||");
    ASSERT_EQ(theApp.Documents().size(), 1u);

    CScriptDoc* doc = theApp.Template(DocKind::Script)->OpenDocumentFile(QString());
    QTest::keyClicks(doc->GetView(), "exit");
    const QString title = doc->GetTitle();
    ASSERT_TRUE(title.endsWith('*'));
    prompter.fileNames.push_back(Path("game/Users/Kell/Missions/new.sqs"));
    Main()->Action(ID_SAVE_IN_MISSIONS)->trigger();
    const FileDialogRequest& save = prompter.requests.back();
    EXPECT_FALSE(save.proposedName.contains('*'));
    EXPECT_EQ(save.proposedName + "*", title);
    EXPECT_EQ(save.defaultExtension, "sqs");
    EXPECT_EQ(save.initialFolder, Missions(Path("game"), "Kell"));
    EXPECT_TRUE(save.filter.starts_with("Script Files (*.sqs)|*.sqs|Description Files"));
    EXPECT_EQ(ReadFile(Path("game/Users/Kell/Missions/new.sqs")), "exit");
    EXPECT_EQ(doc->GetTitle(), "new.sqs");
    EXPECT_TRUE(prompter.messages.empty());

    // A folder that is not there cannot be saved into.
    prompter.fileNames.push_back(Path("nowhere/x/new.sqs"));
    Main()->Action(ID_SAVE_IN_MISSIONS)->trigger();
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().text, "Error saving file.");
    EXPECT_EQ(prompter.messages.back().caption, "FILE ERROR");
}
