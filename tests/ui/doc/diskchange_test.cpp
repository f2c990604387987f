#include <QPushButton>

#include "support/guardfixture.h"
#include "ui/doc/diskchangebar.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/windowcommands.h"
#include "ui/views/linenumberarea.h"

using namespace qm;

namespace {
class DiskChanges : public GuardFixture {
protected:
    void SetUp() override {
        GuardFixture::SetUp();
        ASSERT_TRUE(StartShown());
    }
    static CDiskChangeBar* Bar(CEditView* view) {
        CDiskChangeBar* bar = CDiskChangeBar::Find(view);
        return bar && !bar->isHidden() ? bar : nullptr;
    }
};

QByteArray Lines(int count, const char* word) {
    QByteArray text;
    for (int i = 0; i < count; ++i) text += QByteArray(word) + " " + QByteArray::number(i) + "\r\n";
    return text;
}
}  // namespace

TEST_F(DiskChanges, AnUnchangedDocumentReloadsInPlaceAndItsOwnSavesAreNeverReported) {
    CScriptDoc* doc = Open("m/a.sqs", Lines(300, "hint"));
    ASSERT_TRUE(doc);
    CEditView* view = doc->GetView();
    QTextCursor caret(view->document()->findBlockByNumber(150));
    caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    view->setTextCursor(caret);
    view->ScrollToFirstVisibleLine(140);
    const int top = view->FirstVisibleLine();

    ReplaceOnDisk("m/a.sqs", Lines(300, "exit"));
    ASSERT_TRUE(WaitFor([&] { return view->GetText().startsWith("exit 0\n"); }));
    EXPECT_EQ(view->textCursor().blockNumber(), 150);
    EXPECT_EQ(view->textCursor().positionInBlock(), 3);
    EXPECT_EQ(view->FirstVisibleLine(), top);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "a.sqs");
    EXPECT_EQ(Status(), "a.sqs was changed on disk and has been reloaded.");
    EXPECT_FALSE(Bar(view));

    // Touched, or written again with the very same bytes: nothing to reload or tell.
    Main()->statusBar()->clearMessage();
    ReplaceOnDisk("m/a.sqs", Lines(300, "exit"));
    QTest::qWait(150);
    EXPECT_TRUE(Status().isEmpty());

    // The program's own saves, in place or by Save As over another open name, are not changes.
    Type(doc, "x");
    doc->OnFileSave();
    Type(doc, "y");
    doc->OnFileSave();
    QTest::qWait(150);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.Texts().join("|").toStdString();
    EXPECT_FALSE(Bar(view));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(ReadFile(Path("m/a.sqs")).contains("xy"));
}

TEST_F(DiskChanges, UnsavedEditsAreNeverReplacedWithoutAsking) {
    CScriptDoc* doc = Open("b.sqs", "hint \"mine\"\r\n");
    ASSERT_TRUE(doc);
    Type(doc, "; edit ");
    CChildFrame* second = OpenNewWindow(*Main());
    ASSERT_TRUE(second);

    ReplaceOnDisk("b.sqs", "hint \"theirs\"\r\n");
    ASSERT_TRUE(WaitFor([&] { return Bar(doc->GetView()) && Bar(second->GetView()); }));
    EXPECT_EQ(Bar(doc->GetView())->Text(), "b.sqs was changed on disk by another program.");
    EXPECT_EQ(Bar(second->GetView())->Text(), "b.sqs was changed on disk by another program.");
    // The bar sits above the text and its line numbers, which stay level with their lines.
    CEditView* view = doc->GetView();
    const auto* numbers = view->findChild<CLineNumberArea*>();
    ASSERT_TRUE(numbers);
    EXPECT_GE(view->viewport()->y(), Bar(view)->geometry().bottom());
    EXPECT_EQ(numbers->geometry().top(), view->viewport()->y());
    EXPECT_EQ(numbers->height(), view->viewport()->height());
    EXPECT_TRUE(doc->GetView()->GetText().startsWith("; edit "));
    EXPECT_TRUE(doc->IsModified());

    // Reload asks first; No keeps the edits and the bar.
    prompter.answers = {IDNO};
    Bar(doc->GetView())->ReloadButton()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Reload b.sqs from disk and lose your changes to it?");
    EXPECT_TRUE(doc->GetView()->GetText().startsWith("; edit "));
    ASSERT_TRUE(Bar(doc->GetView()));

    // Keep Mine: the bars go and the next save writes mine without asking.
    Bar(second->GetView())->KeepMineButton()->click();
    EXPECT_FALSE(Bar(doc->GetView()));
    EXPECT_FALSE(Bar(second->GetView()));
    doc->OnFileSave();
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(ReadFile(Path("b.sqs")), "; edit hint \"mine\"\r\n");

    // Changed again while edited again: Reload, answered Yes, takes the file's text.
    Type(doc, "z");
    ReplaceOnDisk("b.sqs", "hint \"third\"\r\n");
    ASSERT_TRUE(WaitFor([&] { return Bar(doc->GetView()) != nullptr; }));
    prompter.answers = {IDYES};
    Bar(doc->GetView())->ReloadButton()->click();
    EXPECT_EQ(doc->GetView()->GetText(), "hint \"third\"\n");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(Bar(doc->GetView()));
    EXPECT_FALSE(Bar(second->GetView()));
}

TEST_F(DiskChanges, SavingOverAFileChangedSinceItWasReadAsks) {
    CScriptDoc* doc = Open("c.sqs", "a\r\n");
    ASSERT_TRUE(doc);
    Type(doc, "mine ");
    // Written in place by a program that keeps the same length; the watcher may or may not have seen it.
    WriteData("c.sqs", "b\r\n");
    prompter.answers = {IDNO};
    doc->OnFileSave();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "c.sqs was changed on disk by another program since it was opened or last saved.\n\n"
              "Save anyway and replace the other program's version?");
    EXPECT_EQ(ReadFile(Path("c.sqs")), "b\r\n");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "c.sqs*");

    prompter.answers = {IDYES};
    doc->OnFileSave();
    EXPECT_EQ(ReadFile(Path("c.sqs")), "mine a\r\n");
    EXPECT_FALSE(doc->IsModified());
    // Saved: the file is known again, the next save does not ask.
    Type(doc, "!");
    doc->OnFileSave();
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(DiskChanges, ADeletedFileIsToldAndWrittenBackBySave) {
    CScriptDoc* doc = Open("gone.sqs", "hint \"keep\"\r\n");
    ASSERT_TRUE(doc);
    CEditView* view = doc->GetView();
    ASSERT_TRUE(QFile::remove(Path("gone.sqs")));
    ASSERT_TRUE(WaitFor([&] { return Bar(view) != nullptr; }));
    EXPECT_EQ(Bar(view)->Text(), "gone.sqs was deleted on disk.");
    EXPECT_TRUE(Bar(view)->ReloadButton()->isHidden());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "gone.sqs*");
    EXPECT_EQ(view->GetText(), "hint \"keep\"\n");

    doc->OnFileSave();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(ReadFile(Path("gone.sqs")), "hint \"keep\"\r\n");
    EXPECT_FALSE(Bar(view));
    EXPECT_FALSE(doc->IsModified());
}
