#include <QFile>
#include <QTest>

#include "support/appfixture.h"
#include "ui/app/doctemplate.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/scriptframe.h"
#include <QComboBox>
#include "ui/views/editview.h"
#include "ui/views/scriptview.h"
#include "ui/views/textview.h"

using namespace qm;

namespace {
class Documents : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        SetSetting("NewFile", 0);
        ASSERT_TRUE(Start());
    }
    CScriptDoc* New(DocKind kind) { return theApp.Template(kind)->OpenDocumentFile(QString()); }
    static void Type(CScriptDoc* doc, const QString& text) {
        QTest::keyClicks(doc->GetView(), text);
    }
};
}  // namespace

TEST_F(Documents, NewDocumentsAreTitledByKindWithoutNumbers) {
    EXPECT_EQ(New(DocKind::Script)->GetTitle(), "Script");
    EXPECT_EQ(New(DocKind::Script)->GetTitle(), "Script");
    EXPECT_EQ(New(DocKind::StringTable)->GetTitle(), "StringTable");
    EXPECT_EQ(New(DocKind::Briefing)->GetTitle(), "Briefing");
    EXPECT_EQ(New(DocKind::Text)->GetTitle(), "Text");
    CScriptDoc* d = New(DocKind::Description);
    EXPECT_EQ(d->GetTitle(), "Description");
    EXPECT_EQ(d->GetFrame()->windowTitle(), "Description");
    EXPECT_EQ(d->GetView()->GetText(), "// header\n\n");
}

TEST_F(Documents, FirstKeystrokeMarksTheTitleAndSaveProposesTheKindName) {
    CScriptDoc* d = New(DocKind::Function);
    EXPECT_EQ(d->GetTitle(), "Function");
    Type(d, "x");
    EXPECT_EQ(d->GetTitle(), "Function*");
    EXPECT_EQ(d->GetFrame()->windowTitle(), "Function*");
    EXPECT_EQ(Main()->windowTitle(), "Quillmark - Function*");

    prompter.fileNames.push_back(std::nullopt);  // cancel the Save As dialog
    d->OnFileSave();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].proposedName, "Function.sqf");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "sqf");
    EXPECT_EQ(prompter.requests[0].filter, "Function Files (*.sqf)|*.sqf|All Files (*.*)|*.*||");
    // A cancelled save leaves the document modified, with its marker.
    EXPECT_TRUE(d->IsModified());
    EXPECT_EQ(d->GetTitle(), "Function*");
}

TEST_F(Documents, SaveWritesCrLfAndClearsTheMarker) {
    CScriptDoc* d = New(DocKind::Text);
    Type(d, "one");
    QTest::keyClick(d->GetView(), Qt::Key_Return);
    Type(d, "two");
    prompter.fileNames.push_back(Path("out.txt"));
    d->OnFileSave();
    EXPECT_EQ(ReadFile(Path("out.txt")), "one\r\ntwo");
    EXPECT_EQ(d->GetTitle(), "out.txt");
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(d->GetPathName(), QFileInfo(Path("out.txt")).absoluteFilePath());
    EXPECT_EQ(theApp.m_recentFiles[0], d->GetPathName().toStdString());
    // Saving again asks nothing.
    Type(d, "!");
    d->OnFileSave();
    EXPECT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(ReadFile(Path("out.txt")), "one\r\ntwo!");
}

TEST_F(Documents, CancellingTheSavePromptKeepsTheDocumentAndOneMarker) {
    CScriptDoc* d = New(DocKind::Script);
    Type(d, "a");
    prompter.answers.push_back(IDCANCEL);
    d->GetFrame()->close();
    Settle();
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(d->GetTitle(), "Script*");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Save changes to Script?");  // shown without the marker
    EXPECT_EQ(prompter.messages[0].buttons, MbButtons::YesNoCancel);

    prompter.answers.push_back(IDNO);
    d->GetFrame()->close();
    Settle();
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(Documents, EmptyFileOpensWithTheHeaderAndUnmodified) {
    WriteData("m/empty.sqs", "");
    CScriptDoc* d = theApp.OpenDocumentFile(Path("m/empty.sqs"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetView()->GetText(), "; header\n\n");
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(d->GetTitle(), "empty.sqs");
    EXPECT_FALSE(d->GetView()->document()->isUndoAvailable());
}

TEST_F(Documents, HeaderIsLeftOutWhenTheSettingIsOff) {
    Main()->m_addHeader = 0;
    EXPECT_EQ(New(DocKind::Script)->GetView()->GetText(), "");
    EXPECT_EQ(New(DocKind::Description)->GetView()->GetText(), "");
}

TEST_F(Documents, TextKindsGetNoHeaderAndWrap) {
    CScriptDoc* t = New(DocKind::Briefing);
    EXPECT_EQ(t->GetView()->GetText(), "");
    EXPECT_EQ(t->GetView()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(New(DocKind::Script)->GetView()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(Documents, EveryByteButLineEndsSurvivesOpenAndSaveInTheEditor) {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') bytes.append(static_cast<char>(b));
    bytes += "\r\nmixed\nends\rhere";
    WriteData("m/all.sqs", bytes);
    CScriptDoc* d = theApp.OpenDocumentFile(Path("m/all.sqs"));
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->IsModified());
    ASSERT_TRUE(d->DoSave(Path("m/copy.sqs")));
    QByteArray expected = bytes;
    expected.replace("mixed\nends\rhere", "mixed\r\nends\r\nhere");
    EXPECT_EQ(ReadFile(Path("m/copy.sqs")), expected);
}

TEST_F(Documents, ScriptSavedAsTextKeepsItsViewUntilReopened) {
    CScriptDoc* d = New(DocKind::Script);
    Type(d, "hint \"x\"");
    prompter.fileNames.push_back(Path("m/notes.txt"));
    QDir().mkpath(Path("m"));
    d->OnFileSaveAs();
    EXPECT_EQ(d->GetTitle(), "notes.txt");
    EXPECT_NE(qobject_cast<CScriptView*>(d->GetView()), nullptr);
    d->GetFrame()->close();
    Settle();
    CScriptDoc* again = theApp.OpenDocumentFile(Path("m/notes.txt"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Kind(), DocKind::Text);
    EXPECT_NE(qobject_cast<CTextView*>(again->GetView()), nullptr);
}

TEST_F(Documents, OpeningAnOpenFileActivatesIt) {
    WriteData("m/a.sqs", "a");
    CScriptDoc* first = theApp.OpenDocumentFile(Path("m/a.sqs"));
    New(DocKind::Text);
    CScriptDoc* second = theApp.OpenDocumentFile(Path("m/../m/a.sqs"));
    EXPECT_EQ(first, second);
    EXPECT_EQ(theApp.Documents().size(), 2u);
    EXPECT_EQ(Main()->ActiveDocument(), first);
}

TEST_F(Documents, ReadOnlyTargetIsRefusedAndTheDocumentStaysModified) {
    WriteData("m/ro.sqs", "old");
    CScriptDoc* d = theApp.OpenDocumentFile(Path("m/ro.sqs"));
    QFile::setPermissions(Path("m/ro.sqs"), QFile::ReadOwner | QFile::ReadGroup);
    Type(d, "new ");
    d->OnFileSave();
    EXPECT_EQ(ReadFile(Path("m/ro.sqs")), "old");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Failed to save document."));
    EXPECT_TRUE(prompter.messages[0].text.contains("read-only"));
    EXPECT_EQ(d->GetTitle(), "ro.sqs*");
    EXPECT_TRUE(d->IsModified());
}

TEST_F(Documents, CharactersWithoutAByteAreSavedAsQuestionMarksAndTheUserIsTold) {
    CScriptDoc* d = New(DocKind::Text);
    d->GetView()->insertPlainText(QString::fromUtf8("caf\u00e9 \u4e2d"));
    ASSERT_TRUE(d->DoSave(Path("u.txt")));
    EXPECT_EQ(ReadFile(Path("u.txt")), "caf\xe9 ?");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "1 character(s) have no equivalent in the file's character set "
                                         "(Windows-1252) and were saved as \"?\".");
    EXPECT_EQ(prompter.messages[0].caption, "");
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::Warning);
}

TEST_F(Documents, AfterSavingQuestionMarksTheViewShowsWhatTheFileHolds) {
    CScriptDoc* d = New(DocKind::Text);
    d->GetView()->insertPlainText(QString::fromUtf8("caf\u00e9 \u4e2d \U0001F600 \u20ac\nhint ?"));
    ASSERT_TRUE(d->DoSave(Path("u.txt")));
    EXPECT_EQ(ReadFile(Path("u.txt")), "caf\xe9 ? ? \x80\r\nhint ?");
    EXPECT_EQ(d->GetView()->GetText(), QString::fromUtf8("caf\u00e9 ? ? \u20ac\nhint ?"));
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(d->GetTitle(), "u.txt");
}

TEST_F(Documents, AGeneratedScriptListsItsLabels) {
    ASSERT_TRUE(Main()->CreateScriptDocument("; made\r\n#start\r\nhint \"x\"\r\n#done\r\n", "Made"));
    auto* frame = qobject_cast<CScriptFrame*>(theApp.Documents().back()->GetFrame());
    ASSERT_NE(frame, nullptr);
    QStringList entries;
    for (int i = 0; i < frame->m_wndLabelsCombo->count(); ++i) entries << frame->m_wndLabelsCombo->itemText(i);
    EXPECT_EQ(entries, (QStringList{"#start", "#done"}));
}

TEST_F(Documents, ClosingTheMainWindowAsksForEachModifiedDocument) {
    CScriptDoc* a = New(DocKind::Script);
    Type(a, "a");
    CScriptDoc* b = New(DocKind::Text);
    Type(b, "b");
    prompter.answers = {IDNO, IDCANCEL};
    EXPECT_FALSE(Main()->close());
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(theApp.Documents().size(), 2u);
    prompter.answers = {IDNO, IDNO};
    EXPECT_TRUE(Main()->close());
}
