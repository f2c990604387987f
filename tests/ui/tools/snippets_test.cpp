#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"
#include "ui/tools/snippetcommands.h"
#include "ui/tools/snippetdlg.h"

using namespace qm;

namespace {
class Snippets : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        QDir().mkpath(Path("snippets"));
        ASSERT_NE(SnippetDialog(*Main()), nullptr);
    }
    CSnippetDlg* Dlg() const { return Main()->m_snippetDlg; }
    void AddSnippet(const QString& name, const QByteArray& bytes) {
        WriteData("snippets/" + name + ".txt", bytes);
        Dlg()->RefreshSnippets();
    }
    QStringList Labels() const {
        QStringList l;
        for (int i = 0; i < Dlg()->m_wndList->count(); ++i) l << Dlg()->m_wndList->item(i)->text();
        return l;
    }
    void Select(const QString& name) {
        const auto found = Dlg()->m_wndList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        Dlg()->m_wndList->setCurrentItem(found.first());
    }
    // Renames the selected item in place as a user does: Rename, type, Enter.
    void RenameSelectedTo(const QString& text) {
        Dlg()->show();
        Dlg()->m_wndRename->click();
        auto* editor = Dlg()->m_wndList->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();  // the edit is committed from the event queue
        Settle();  // and a refusal is told from there too
    }
    static bool Uncoloured(CEditView* v, int line) {
        return v->document()->findBlockByNumber(line).layout()->formats().isEmpty();
    }
};
}  // namespace

TEST_F(Snippets, InsertIntoAColouredScriptColoursOnlyTheSpannedLinesAndOneUndoRemovesIt) {
    CScriptDoc* d = Open("m/a.sqs", "hint\r\nx = 1\r\nexit\r\n");
    CEditView* v = d->GetView();
    ASSERT_TRUE(v->m_colouring);
    for (int line : {0, 2}) v->document()->findBlockByNumber(line).layout()->setFormats({});
    // Formats set by hand are a pending change of those lines until the document hears of them.
    v->document()->markContentsDirty(0, v->document()->characterCount());
    PlaceCaret(v, 1, 0);
    Main()->InsertSnippetText("; loop\r\n#top\r\nhint ");
    EXPECT_EQ(v->GetText(), "hint\n; loop\n#top\nhint x = 1\nexit\n");
    EXPECT_EQ(ColourAt(v, 1, 2), Colour(Main()->m_remarkColour));
    EXPECT_EQ(ColourAt(v, 2, 1), Colour(Main()->m_programmingColour));
    EXPECT_EQ(ColourAt(v, 3, 0), Colour(Main()->m_commandColour));
    EXPECT_TRUE(Uncoloured(v, 0));  // lines outside the insertion keep what they had
    EXPECT_TRUE(Uncoloured(v, 4));
    auto* labels = qobject_cast<CScriptFrame*>(d->GetFrame())->m_wndLabelsCombo;  // the label is listed once
    ASSERT_EQ(labels->count(), 1);
    EXPECT_EQ(labels->itemText(0), "#top");
    EXPECT_EQ(v->textCursor().position(), QString("hint\n; loop\n#top\nhint ").size());
    EXPECT_EQ(d->GetTitle(), "a.sqs*");

    Main()->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(v->GetText(), "hint\nx = 1\nexit\n");
    EXPECT_FALSE(d->IsModified());
}

TEST_F(Snippets, InsertReplacesTheSelectionAndAnEmptySnippetStillMarksModified) {
    CScriptDoc* d = Open("m/t.txt", "one two\r\n");
    CEditView* v = d->GetView();
    QTextCursor c(v->document());
    c.setPosition(4);
    c.setPosition(7, QTextCursor::KeepAnchor);
    v->setTextCursor(c);
    Main()->InsertSnippetText("three");
    EXPECT_EQ(v->GetText(), "one three\n");
    Main()->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(v->GetText(), "one two\n");

    Main()->InsertSnippetText(QString());
    EXPECT_EQ(v->GetText(), "one two\n");
    EXPECT_TRUE(d->IsModified());
}

TEST_F(Snippets, TheDialogInsertsTheSelectedSnippetWithoutItsTrailingLineBreaks) {
    AddSnippet("ab", "a\r\nb\r\n\r\n\r\n");
    CScriptDoc* d = New(DocKind::Text);
    Dlg()->show();
    Select("ab");
    EXPECT_EQ(Dlg()->m_wndPreview->toPlainText(), "a\nb");
    Dlg()->m_wndInsert->click();
    EXPECT_EQ(d->GetView()->GetText(), "a\nb");
    EXPECT_TRUE(Dlg()->isVisible());  // inserting leaves the dialog open for the next snippet
}

TEST_F(Snippets, SelectionLoadsThePreviewAndEnablesTheItemButtons) {
    AddSnippet("b", "bee");
    AddSnippet("A", "ay");
    EXPECT_EQ(Labels(), (QStringList{"A", "b"}));
    for (QPushButton* b : {Dlg()->m_wndInsert, Dlg()->m_wndRename, Dlg()->m_wndDelete}) EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(Dlg()->m_wndImport->isEnabled());
    Select("b");
    EXPECT_EQ(Dlg()->m_wndPreview->toPlainText(), "bee");
    EXPECT_TRUE(Dlg()->m_wndDelete->isEnabled());
    EXPECT_TRUE(Dlg()->m_wndPreview->isReadOnly());

    QFile::remove(Path("snippets/A.txt"));  // gone behind the dialog's back
    Select("A");
    EXPECT_EQ(Dlg()->m_wndPreview->toPlainText(), "ERROR opening snippet file");
    EXPECT_EQ(Dlg()->m_text, "ERROR opening snippet file");
}

TEST_F(Snippets, CopyAsSnippetFillsTheFirstFreeNumberAndNeedsASelection) {
    AddSnippet("Text Snippet 1", "1");
    AddSnippet("Text Snippet 3", "3");
    CScriptDoc* d = Open("m/s.sqs", "hint \"a\"\r\nexit\r\n");
    CEditView* v = d->GetView();
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_COPY_AS_SNIPPET)->isEnabled());
    v->selectAll();
    Main()->UpdateCommandStates();
    ASSERT_TRUE(Main()->Action(ID_COPY_AS_SNIPPET)->isEnabled());
    Main()->Action(ID_COPY_AS_SNIPPET)->trigger();
    EXPECT_EQ(ReadFile(Path("snippets/Text Snippet 2.txt")), "hint \"a\"\r\nexit\r\n");
    EXPECT_EQ(Labels(), (QStringList{"Text Snippet 1", "Text Snippet 2", "Text Snippet 3"}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Snippets, SaveAsSnippetNamesTheFileAfterTheTitleWithoutTheMarker) {
    ASSERT_TRUE(Main()->CreateScriptDocument("#loop\r\n~1\r\ngoto \"loop\"", "Name"));
    ASSERT_EQ(Main()->ActiveDocument()->GetTitle(), "Name*");
    Main()->Action(ID_SAVE_AS_SNIPPET)->trigger();
    EXPECT_EQ(ReadFile(Path("snippets/Name.txt")), "#loop\r\n~1\r\ngoto \"loop\"");
    EXPECT_EQ(Labels(), QStringList{"Name"});
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Snippets, ASnippetWithCharactersWithoutAByteIsSavedWithQuestionMarksAndTheUserIsTold) {
    ASSERT_TRUE(Main()->CreateScriptDocument(QString::fromUtf8("hint \"\u4e2d\u6587 caf\u00e9\""), "Wide"));
    Main()->Action(ID_SAVE_AS_SNIPPET)->trigger();
    EXPECT_EQ(ReadFile(Path("snippets/Wide.txt")), "hint \"?? caf\xe9\"");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "2 character(s) have no equivalent in the file's character set "
                                         "(Windows-1252) and were saved as \"?\".");
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::Warning);
}

TEST_F(Snippets, SaveAsSnippetTellsWhenTheFileCannotBeWrittenOrNamed) {
    ASSERT_TRUE(Main()->CreateScriptDocument("x", "a:b"));
    Main()->Action(ID_SAVE_AS_SNIPPET)->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("\"a:b\" cannot be a snippet name."));
    EXPECT_TRUE(QDir(Path("snippets")).entryList(QDir::Files).isEmpty());

    ASSERT_TRUE(Main()->CreateScriptDocument("x", "Fine"));
    namespace fs = std::filesystem;
    const fs::path folder = Path("snippets").toStdString();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    Main()->Action(ID_SAVE_AS_SNIPPET)->trigger();
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "Error saving snippet file.");
    EXPECT_EQ(prompter.messages[1].caption, "FILE ERROR");
    EXPECT_FALSE(QFile::exists(Path("snippets/Fine.txt")));
}

TEST_F(Snippets, RenameOntoAnExistingNameKeepsTheOldLabel) {
    AddSnippet("a", "A");
    AddSnippet("b", "B");
    Select("a");
    RenameSelectedTo("b");
    EXPECT_EQ(Labels(), (QStringList{"a", "b"}));
    EXPECT_EQ(ReadFile(Path("snippets/b.txt")), "B");
    EXPECT_TRUE(prompter.messages.empty());

    RenameSelectedTo("x/y");
    EXPECT_EQ(Labels(), (QStringList{"a", "b"}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("\"x/y\" cannot be a snippet name."));

    RenameSelectedTo("z");  // not re-sorted
    EXPECT_EQ(Labels(), (QStringList{"z", "b"}));
    EXPECT_EQ(ReadFile(Path("snippets/z.txt")), "A");
    EXPECT_FALSE(QFile::exists(Path("snippets/a.txt")));
}

TEST_F(Snippets, DeleteAsksFirst) {
    AddSnippet("a", "A");
    Select("a");
    prompter.answers = {IDNO, IDYES};
    Dlg()->m_wndDelete->click();
    EXPECT_TRUE(QFile::exists(Path("snippets/a.txt")));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Are you sure you want to delete the\nselected snippet file.");
    EXPECT_EQ(prompter.messages[0].caption, "Delete Snippet");
    EXPECT_EQ(prompter.messages[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::Warning);
    Dlg()->m_wndDelete->click();
    EXPECT_FALSE(QFile::exists(Path("snippets/a.txt")));
    EXPECT_TRUE(Labels().isEmpty());
}

TEST_F(Snippets, ImportCopiesEveryChosenFileAndRefreshes) {
    WriteData("in/loop.sqs", "#loop\n~1\ngoto \"loop\"");
    WriteData("in/head.ext", "// head\r\n");
    prompter.fileLists = {{Path("in/loop.sqs"), Path("in/head.ext")}};
    Dlg()->m_wndImport->click();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Import Snippets");
    EXPECT_EQ(prompter.requests[0].filter,
              "Varnholt Files|*.sqs;*.ext;*.html;*.sqf;*.csv;*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(ReadFile(Path("snippets/loop.txt")), "#loop\r\n~1\r\ngoto \"loop\"\r\n");
    EXPECT_EQ(ReadFile(Path("snippets/head.txt")), "// head\r\n");
    EXPECT_EQ(Labels(), (QStringList{"head", "loop"}));
}

TEST_F(Snippets, ShowPreviewWidensOrCutsTheDialogAndIsRemembered) {
    CSnippetDlg* dlg = Dlg();
    ASSERT_TRUE(dlg->m_wndShowPreview->isChecked());
    const QRect preview = dlg->m_wndPreview->parentWidget()->geometry();
    const int height = dlg->height();
    EXPECT_EQ(dlg->width(), preview.right() + 1 + 12);
    dlg->m_wndShowPreview->click();
    EXPECT_EQ(dlg->width(), preview.left());
    EXPECT_EQ(dlg->height(), height);
    EXPECT_EQ(Main()->m_preview, 0);
    dlg->m_wndShowPreview->click();
    EXPECT_EQ(Main()->m_preview, 1);
    EXPECT_EQ(dlg->width(), preview.right() + 1 + 12);
}

TEST_F(Snippets, InsertSnippetCommandShowsTheDialog) {
    ASSERT_TRUE(Dlg()->isHidden());
    EXPECT_TRUE(Main()->Action(ID_INSERT_SNIPPET)->isEnabled());
    Main()->Action(ID_INSERT_SNIPPET)->trigger();
    EXPECT_TRUE(Dlg()->isVisible());
    QTest::keyClick(Dlg(), Qt::Key_Escape);
    EXPECT_TRUE(Dlg()->isHidden());
}

namespace {
using SnippetPlacement = AppFixture;
}

TEST_F(SnippetPlacement, StoredPositionIsUsedAndWrittenBackOnClose) {
    SetSetting("NewFile", 0);
    SetSetting("SnippetX", 150);
    SetSetting("SnippetY", 120);
    SetSetting("Preview", 0);
    ASSERT_TRUE(Start());
    CSnippetDlg* dlg = SnippetDialog(*Main());
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->pos(), QPoint(150, 120));
    EXPECT_FALSE(dlg->m_wndShowPreview->isChecked());
    dlg->move(210, 230);
    ASSERT_TRUE(Main()->close());
    EXPECT_EQ(Setting("SnippetX"), 210);
    EXPECT_EQ(Setting("SnippetY"), 230);
    EXPECT_EQ(Setting("Preview"), 0);
}

TEST_F(SnippetPlacement, AZeroCoordinateCentresTheDialogOverTheFrame) {
    SetSetting("NewFile", 0);
    SetSetting("SnippetX", 0);
    SetSetting("SnippetY", 300);
    ASSERT_TRUE(Start());
    ASSERT_NE(SnippetDialog(*Main()), nullptr);
    const QPoint centre = Main()->m_snippetDlg->frameGeometry().center();
    EXPECT_LE((centre - Main()->frameGeometry().center()).manhattanLength(), 6);
}

TEST_F(SnippetPlacement, TheDialogIsBuiltOnFirstUseAndAnUnbuiltOneKeepsItsPlaceAndFolder) {
    SetSetting("NewFile", 0);
    SetSetting("SnippetX", 40);
    SetSetting("SnippetY", 120);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->m_snippetDlg, nullptr);  // a start-up does not pay for it
    QDir().mkpath(Path("snippets"));
    ASSERT_TRUE(Main()->CreateScriptDocument("exit", "first"));
    // Saving a snippet needs no dialog; the folder is the one of the start-up settings.
    Main()->Action(ID_SAVE_AS_SNIPPET)->trigger();
    EXPECT_EQ(ReadFile(Path("snippets/first.txt")), "exit");
    EXPECT_EQ(Main()->m_snippetDlg, nullptr);
    // Insert Snippet builds it, listing what is there.
    Main()->Action(ID_INSERT_SNIPPET)->trigger();
    ASSERT_NE(Main()->m_snippetDlg, nullptr);
    EXPECT_TRUE(Main()->m_snippetDlg->isVisible());
    EXPECT_EQ(Main()->m_snippetDlg->pos(), QPoint(40, 120));
    ASSERT_EQ(Main()->m_snippetDlg->m_wndList->count(), 1);
    EXPECT_EQ(Main()->m_snippetDlg->m_wndList->item(0)->text(), "first");
    Main()->m_snippetDlg->hide();
}

TEST_F(SnippetPlacement, ClosingWithoutEverShowingTheDialogKeepsItsStoredPosition) {
    SetSetting("NewFile", 0);
    SetSetting("SnippetX", 333);
    SetSetting("SnippetY", 222);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Main()->close());
    EXPECT_EQ(Setting("SnippetX"), 333);
    EXPECT_EQ(Setting("SnippetY"), 222);
}

TEST_F(Snippets, ALargeOrBinarySnippetIsPreviewedFromItsStartAndInsertedWhole) {
    QByteArray big;
    while (big.size() < 3 * 1024 * 1024) big += "hint \"line " + QByteArray::number(big.size()) + "\"\r\n";
    AddSnippet("Big", big);
    AddSnippet("Picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + QByteArray(100000, '\0'));
    Select("Big");
    const QString shown = Dlg()->m_wndPreview->toPlainText();
    EXPECT_LT(shown.size(), 70 * 1024);  // the start, not 3 MB
    EXPECT_TRUE(shown.startsWith("hint \"line 0\"\nhint \"line 15\"\n")) << shown.left(40).toStdString();
    EXPECT_TRUE(shown.endsWith("[Only the start is shown:\nthis snippet holds 3.1 MB.]")) << shown.right(80).toStdString();
    Select("Picture");
    EXPECT_EQ(Dlg()->m_wndPreview->toPlainText(), "This snippet holds binary data\n(100.0 KB) and is not shown.");

    CScriptDoc* d = New(DocKind::Text);
    Select("Big");
    Dlg()->m_wndInsert->click();
    QString whole = QString::fromLatin1(big).replace("\r\n", "\n");
    whole.chop(1);  // a snippet's trailing line break is not inserted
    EXPECT_EQ(d->GetView()->GetText(), whole);
}
