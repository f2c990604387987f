#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "support/scopedvalue.h"
#include "ui/wizards/overviewdlg.h"
#include "wizards/wizardfixture.h"

using namespace qm;

namespace {
class OverviewDialog : public WizardFixture {
protected:
    void Open() {
        dlg = OpenWizard<COverviewDlg>(ID_WIZARD_OVERVIEW);
        ASSERT_NE(dlg, nullptr);
    }
    QLineEdit* Title() { return Child<QLineEdit>(dlg, "title"); }
    QPlainTextEdit* Text() { return Child<QPlainTextEdit>(dlg, "overview"); }
    QLineEdit* Picture() { return Child<QLineEdit>(dlg, "picture"); }
    void Fill() {
        QTest::keyClicks(Title(), "Dawn <Raid> & Retreat");
        QTest::keyClicks(Text(), "Take the bridge.");
        QTest::keyClick(Text(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(Text(), "Hold it.");
    }

    COverviewDlg* dlg = nullptr;
};
}  // namespace

TEST_F(OverviewDialog, EnterInAnyFieldSavesToDiskAndKeepsTheWizardOpen) {
    Open();
    EXPECT_EQ(dlg->windowTitle(), "Overview Wizard");
    EXPECT_EQ(dlg->focusWidget(), Title());  // typing goes into the title
    Fill();
    EXPECT_EQ(Text()->toPlainText(), "Take the bridge.\nHold it.");  // Ctrl+Enter starts a line
    prompter.fileNames.push_back(Path("Overview.html"));
    QTest::keyClick(Title(), Qt::Key_Return);
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Save Overview");
    EXPECT_EQ(prompter.requests[0].filter, "Overview Files (*.html)|*.html||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "html");
    EXPECT_EQ(prompter.requests[0].proposedName, "Overview");
    EXPECT_TRUE(dlg->isVisible());
    const std::string page = ReadFile(Path("Overview.html")).toStdString();
    EXPECT_EQ(page, dlg->BuildOverview());
    EXPECT_NE(page.find("\r\nDawn <Raid> & Retreat\r\n"), std::string::npos);
    EXPECT_NE(page.find("<p><br>\r\nTake the bridge.\r\nHold it.\r\n<br></p>\r\n"), std::string::npos);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Overview was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Overview Saved");

    // Enter in the multi-line field is the dialog's too: no new line, the save dialog again.
    prompter.fileNames.push_back(std::nullopt);
    QTest::keyClick(Text(), Qt::Key_Return);
    EXPECT_EQ(prompter.requests.size(), 2u);
    EXPECT_EQ(Text()->toPlainText(), "Take the bridge.\nHold it.");
    QTest::keyClick(Picture(), Qt::Key_Enter);
    EXPECT_EQ(prompter.requests.size(), 3u);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(prompter.messages.size(), 1u);  // cancelled twice: nothing written, nothing said
}

TEST_F(OverviewDialog, ASavedPageWithCharactersWithoutAByteTellsThemAfterTheSave) {
    Open();
    Title()->setText(QString::fromUtf8("Br\u00fccke \u4e2d"));
    prompter.fileNames.push_back(Path("Overview.html"));
    dlg->OnCreateToDisk();
    EXPECT_NE(ReadFile(Path("Overview.html")).indexOf("Br\xfc" "cke ?"), -1);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].caption, "Overview Saved");
    EXPECT_EQ(prompter.messages[1].text, "1 character(s) have no equivalent in the file's character set "
                                         "(Windows-1252) and were saved as \"?\".");
    EXPECT_EQ(prompter.messages[1].icon, MbIcon::Warning);
}

TEST_F(OverviewDialog, BrowseFillsOnlyThePictureNameAndKeepsTheTexts) {
    Open();
    Fill();
    prompter.fileNames.push_back(Path("pictures/bridge.jpg"));
    Button(dlg, "&Browse...")->click();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Find JPEG");
    EXPECT_EQ(prompter.requests[0].filter, "JPEG Picture Files (*.jpeg, *.jpg)|*.jpeg;*.jpg||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "jpeg");
    EXPECT_EQ(Picture()->text(), "bridge.jpg");
    EXPECT_EQ(Title()->text(), "Dawn <Raid> & Retreat");
    EXPECT_EQ(Text()->toPlainText(), "Take the bridge.\nHold it.");
    Button(dlg, "&Browse...")->click();  // cancelled
    EXPECT_EQ(Picture()->text(), "bridge.jpg");
    EXPECT_NE(dlg->BuildOverview().find("<img src=\"bridge.jpg\" width=\"128\" height=\"64\">"), std::string::npos);
}

TEST_F(OverviewDialog, CreateInEditorOpensABriefingDocumentTitledOverview) {
    Open();
    Fill();
    Button(dlg, "Create In &Editor")->click();
    ASSERT_EQ(theApp.Documents().size(), 1u);
    CScriptDoc* doc = theApp.Documents()[0];
    EXPECT_EQ(doc->Kind(), DocKind::Briefing);
    EXPECT_EQ(doc->GetTitle(), "Overview*");
    EXPECT_EQ(doc->GetView()->GetText(), ShownText(dlg->BuildOverview()));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Overview was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Overview Created");
    EXPECT_EQ(Title()->text(), "Dawn <Raid> & Retreat");  // creating clears nothing
}

TEST_F(OverviewDialog, AFailedSaveIsReportedAndEscapeOnlyHidesTheWizard) {
    Open();
    Fill();
    prompter.fileNames.push_back(Path("no/such/folder/Overview.html"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error saving script");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    QTest::keyClick(Title(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    Main()->Action(ID_WIZARD_OVERVIEW)->trigger();
    EXPECT_EQ(Text()->toPlainText(), "Take the bridge.\nHold it.");
}

TEST(OverviewDialogAlone, CreateInEditorIsOffAndWithoutAMainWindowReportsTheError) {
    ScriptedPrompter prompter;
    ScopedValue usePrompter(theApp.m_prompter, &prompter);
    COverviewDlg dlg;
    dlg.OnCreateInEditor();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error creating Overview!");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    dlg.m_editorAvailable = 0;
    dlg.UpdateEditorAvailable();
    for (auto* b : dlg.findChildren<QPushButton*>())
        if (b->text() == "Create In &Editor") { EXPECT_FALSE(b->isEnabled()); }
}
