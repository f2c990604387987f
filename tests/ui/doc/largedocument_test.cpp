// Documents of very large files: they open in the window for very large texts and are documents
// like any other (modified mark, undo to the saved text, saving, labels, the status bar, copies
// for recovery, changes on disk, further windows), and commands that window cannot serve say so.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

#include "core/doc/recoveryfile.h"
#include "support/guardfixture.h"
#include "ui/doc/diskchangebar.h"
#include "ui/doc/recoveryjournal.h"
#include "ui/frames/commandids.h"
#include <QCheckBox>
#include <QLineEdit>

#include "ui/views/findreplacedlg.h"
#include "ui/frames/scriptframe.h"
#include "ui/frames/windowcommands.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"

using namespace qm;

namespace {
class LargeDocuments : public GuardFixture {
protected:
    // Files from 2,000 bytes on count as very large here.
    ScopedValue<std::uint64_t> m_large{CScriptDoc::s_open.largeTextBytes, 2000};

    static QByteArray Script(int lines) {
        QByteArray text;
        for (int i = 0; i < lines; ++i)
            text += i % 100 == 0 ? "#part" + QByteArray::number(i / 100) + "\r\n"
                                 : "hint \"caf\xE9 " + QByteArray::number(i) + "\"\r\n";
        return text;
    }
    static QStringList Labels(CScriptDoc* doc) {
        QStringList items;
        auto* frame = qobject_cast<CScriptFrame*>(doc->GetFrame());
        for (int i = 0; frame && i < frame->m_wndLabelsCombo->count(); ++i) items << frame->m_wndLabelsCombo->itemText(i);
        return items;
    }
    void Trigger(int id) { Main()->Action(id)->trigger(); }
};
}  // namespace

TEST_F(LargeDocuments, OpenEditUndoSaveAndTheCommandsTheWindowCannotServe) {
    ASSERT_TRUE(StartShown());
    const QByteArray original = Script(500);
    CScriptDoc* doc = Open("m/big.sqs", original);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->IsLarge());
    EXPECT_FALSE(doc->GetView());
    CLargeTextView* view = doc->GetLargeView();
    ASSERT_TRUE(view);
    EXPECT_EQ(Main()->ActiveLargeView(), view);
    EXPECT_EQ(doc->GetLargeText()->Table().LineText(1), "hint \"caf\xC3\xA9 1\"");  // the file's code page read
    EXPECT_EQ(Labels(doc), QStringList({"#part0", "#part1", "#part2", "#part3", "#part4"}));
    EXPECT_EQ(doc->GetTitle(), "big.sqs");

    // Typing marks the document; the keyboard's Undo goes back to the saved text and the mark goes.
    view->GoToLine(300);
    QTest::keyClicks(view, "#new");
    EXPECT_EQ(doc->GetTitle(), "big.sqs*");
    EXPECT_EQ(Labels(doc), QStringList({"#part0", "#part1", "#part2", "#new#part3", "#part4"}));
    EXPECT_EQ(Main()->m_lineIndicator->text(), "Ln: 301");
    EXPECT_EQ(Main()->m_charIndicator->text(), "Ch: 5");
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->GetTitle(), "big.sqs");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Labels(doc).size(), 5);

    // The Edit menu's commands reach the window too; a save writes the file's own bytes.
    view->GoToLine(1);
    Trigger(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(view->HasSelection());
    view->GoToLine(1);
    QTest::keyClicks(view, "; top");
    QTest::keyClick(view, Qt::Key_Return);
    Trigger(ID_EDIT_UNDO);
    Trigger(ID_EDIT_REDO);
    EXPECT_TRUE(doc->IsModified());
    doc->OnFileSave();
    EXPECT_EQ(doc->GetTitle(), "big.sqs");
    QByteArray expected = original;
    expected.insert(original.indexOf("hint"), "; top\r\n");
    EXPECT_EQ(ReadFile(Path("m/big.sqs")), expected);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.Texts().join("|").toStdString();

    // Find goes on from the caret and starts over at the end; Replace All is one step to undo.
    view->GoToLine(450);
    Trigger(ID_EDIT_FIND);
    CFindReplaceDlg* find = Main()->FindReplaceDialog();
    find->m_findWhat->setText("#PART");
    ASSERT_TRUE(find->FindNext());
    EXPECT_EQ(view->SelectedText(), "#part");
    EXPECT_EQ(Status(), "Passed the end of the text");
    find->m_wholeWord->setChecked(true);
    find->m_findWhat->setText("CAF\xC3\x89");
    ASSERT_TRUE(find->FindNext());
    EXPECT_EQ(view->CaretLine(), 2);  // below the line added above
    find->m_replaceWith->setText("bistro");
    EXPECT_EQ(find->ReplaceAll(), 495);
    EXPECT_EQ(doc->GetLargeText()->Table().LineText(2), "hint \"bistro 1\"");
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(doc->GetLargeText()->Table().LineText(2), "hint \"caf\xC3\xA9 1\"");
    find->hide();

    // What the window cannot do is refused in words, not carried out on nothing; what it does not
    // offer at all is greyed.
    prompter.messages.clear();
    Trigger(ID_SAVE_AS_SNIPPET);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("This command is not available for big.sqs.\nFiles of"))
        << prompter.messages[0].text.toStdString();
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_EDIT_TOGGLE_REMARK)->isEnabled());
    EXPECT_TRUE(Main()->Action(ID_EDIT_GOTO_LINE)->isEnabled());

    // Closing a modified one asks, and No leaves the file as it was.
    QTest::keyClicks(view, "z");
    prompter.answers = {IDNO};
    prompter.messages.clear();
    doc->GetFrame()->close();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Save changes to"));
    EXPECT_EQ(ReadFile(Path("m/big.sqs")), expected);
    Settle();
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(LargeDocuments, UnsavedWorkIsCopiedChangesOnDiskAreFollowedAndFurtherWindowsShareTheText) {
    ASSERT_TRUE(StartWithRecovery());
    CScriptDoc* doc = Open("big.sqs", Script(400));
    ASSERT_TRUE(doc && doc->IsLarge());
    CLargeTextView* view = doc->GetLargeView();

    // Unchanged: a change on disk reloads it in place.
    view->GoToLine(250);
    ReplaceOnDisk("big.sqs", Script(300).replace("hint", "exit"));
    ASSERT_TRUE(WaitFor([&] { return doc->GetLargeText()->Table().LineText(1).rfind("exit", 0) == 0; }));
    EXPECT_EQ(view->CaretLine(), 250);
    EXPECT_FALSE(doc->IsModified());

    // A further window edits the same text; the copy for recovery holds the saved form of it.
    CChildFrame* second = OpenNewWindow(*Main());
    ASSERT_TRUE(second && second->GetLargeView());
    second->GetLargeView()->GoToLine(0);
    QTest::keyClicks(second->GetLargeView(), "; ");
    QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00E9"));
    QApplication::sendEvent(second->GetLargeView(), &accented);
    QTest::keyClicks(second->GetLargeView(), "dit ");
    EXPECT_EQ(doc->GetTitle(), "big.sqs*");
    EXPECT_EQ(second->windowTitle(), "big.sqs*");
    EXPECT_EQ(view->CaretLine(), 250);
    RecoveryEntry copy;
    ASSERT_TRUE(WaitFor([&] {
        if (doc->JournalName().isEmpty()) return false;
        theApp.m_journal->Flush();
        std::string error;
        return ParseRecoveryFile(ReadFile(RecoveryPath(doc->JournalName())).toStdString(), copy, error);
    }));
    EXPECT_EQ(copy.bytes.substr(0, 17), "; \xE9" "dit #part0\r\nex");

    // Modified: a change on disk is told in a bar across every window, and nothing is replaced.
    ReplaceOnDisk("big.sqs", Script(300));
    ASSERT_TRUE(WaitFor([&] {
        CDiskChangeBar* a = CDiskChangeBar::Find(view);
        CDiskChangeBar* b = CDiskChangeBar::Find(second->GetLargeView());
        return a && b && !a->isHidden() && !b->isHidden();
    }));
    EXPECT_EQ(doc->GetLargeText()->Table().LineText(0), "; \xC3\xA9" "dit #part0");
    // Reload (answered Yes) takes the file's text and the document is as saved again.
    CDiskChangeBar::Find(view)->ReloadButton()->click();
    EXPECT_EQ(doc->GetLargeText()->Table().LineText(0), "#part0");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(CDiskChangeBar::Find(second->GetLargeView())->isHidden());
}
