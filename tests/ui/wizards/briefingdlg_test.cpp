#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTextBlock>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/wizards/briefingpage.h"
#include "support/scopedvalue.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/childfrm.h"
#include "ui/wizards/briefingdlg.h"
#include "ui/wizards/wizardfactory.h"
#include "wizards/wizardfixture.h"

using namespace qm;

namespace {
class BriefingDialog : public WizardFixture {
protected:
    void SetUp() override {
        WizardFixture::SetUp();
        dlg = OpenWizard<CBriefingDlg>(ID_WIZARD_BRIEFING);
        ASSERT_NE(dlg, nullptr);
        QApplication::setActiveWindow(dlg);
    }
    QPlainTextEdit* Edit(const char* name) { return Child<QPlainTextEdit>(dlg, name); }
    QCheckBox* Hide(int n) { return Child<QCheckBox>(dlg, QStringLiteral("hide%1").arg(n).toLatin1()); }
    QLineEdit* Line(const char* name) { return Child<QLineEdit>(dlg, name); }
    QCheckBox* MultiSided() { return ByText<QCheckBox>(dlg, "Create for Multiple Sides"); }
    QRadioButton* Side(const char* text) { return ByText<QRadioButton>(dlg, text); }
    QStringList Captions() {
        QStringList c;
        for (auto* g : dlg->findChildren<QGroupBox*>()) c << g->title();
        return c;
    }
    // Types as a user does: focus on the edit, then the keys.
    static void Type(QWidget* w, const QString& text) {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    CScriptDoc* Document(const QString& title) {
        for (CScriptDoc* d : theApp.Documents())
            if (d->GetTitle() == title) return d;
        return nullptr;
    }
    void Activate(CScriptDoc* doc) {
        Main()->MdiArea()->setActiveSubWindow(doc->GetView()->GetParentFrame());
    }

    CBriefingDlg* dlg = nullptr;
};
}  // namespace

TEST_F(BriefingDialog, OpensSingleSidedWithPlainCaptionsAndTheSideButtonsOff) {
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(dlg->windowTitle(), "Briefing Wizard");
    EXPECT_EQ(Captions(), (QStringList{"Plan", "Notes", "Objectives", "Endings", "Map Hyperlinks",
                                       "Multi-Sided Briefings"}));
    for (const char* s : {"Edit WEST", "Edit EAST", "Edit RESISTANCE"}) EXPECT_FALSE(Side(s)->isEnabled()) << s;
    EXPECT_FALSE(Button(dlg, "&Insert Hyperlink")->isEnabled());
    for (const char* b : {"&Create In Editor", "Create To &Disk...", "&Open Existing Briefing", "&Reset Briefing"})
        EXPECT_TRUE(Button(dlg, b)->isEnabled()) << b;
    EXPECT_NE(ByText<QLabel>(dlg, "End #3 (title/text)"), nullptr);
    EXPECT_NE(ByText<QLabel>(dlg, "Hide"), nullptr);
}

TEST_F(BriefingDialog, EachSideKeepsItsTextsAndTheCaptionsNameIt) {
    Type(Edit("plan"), "Take the hill");
    Hide(3)->click();
    MultiSided()->click();
    EXPECT_EQ(Captions().mid(0, 4), (QStringList{"Plan - WEST", "Notes - WEST", "Objectives - WEST", "Endings - WEST"}));
    EXPECT_TRUE(Side("Edit EAST")->isEnabled());
    EXPECT_TRUE(Side("Edit WEST")->isChecked());

    Side("Edit EAST")->click();
    EXPECT_EQ(Captions()[0], "Plan - EAST");
    EXPECT_EQ(Edit("plan")->toPlainText(), "");
    EXPECT_FALSE(Hide(3)->isChecked());
    Type(Edit("plan"), "Hold the valley");
    Type(Line("endingTitle1"), "East wins");
    Side("Edit RESISTANCE")->click();
    EXPECT_EQ(Captions()[2], "Objectives - RESISTANCE");
    Type(Edit("objective1"), "Raid the depot");
    Side("Edit WEST")->click();
    EXPECT_EQ(Edit("plan")->toPlainText(), "Take the hill");
    EXPECT_TRUE(Hide(3)->isChecked());
    Side("Edit EAST")->click();
    EXPECT_EQ(Line("endingTitle1")->text(), "East wins");

    // Off again: WEST in the fields, plain captions, the side buttons off.
    MultiSided()->click();
    EXPECT_EQ(Edit("plan")->toPlainText(), "Take the hill");
    EXPECT_EQ(Captions()[0], "Plan");
    EXPECT_FALSE(Side("Edit EAST")->isEnabled());
    EXPECT_EQ(dlg->Wizard().m_sides[2].objectives[0], "Raid the depot");

    Button(dlg, "&Reset Briefing")->click();
    EXPECT_EQ(Edit("plan")->toPlainText(), "");
    EXPECT_EQ(dlg->Wizard().m_sides[2], SideBriefing{});
    EXPECT_EQ(QApplication::focusWidget(), Edit("plan"));
}

TEST_F(BriefingDialog, InsertHyperlinkWrapsTheSelectionOfTheLastTextField) {
    QPushButton* insert = Button(dlg, "&Insert Hyperlink");
    Type(Edit("notes"), "go to the bridge now");
    EXPECT_FALSE(insert->isEnabled());  // no marker name yet
    Type(Line("markerName"), "bridge1");
    EXPECT_FALSE(insert->isEnabled());  // the focus left the notes for another field

    Edit("notes")->setFocus();
    EXPECT_TRUE(insert->isEnabled());
    QTextCursor c = Edit("notes")->textCursor();
    c.setPosition(10);
    c.setPosition(16, QTextCursor::KeepAnchor);
    Edit("notes")->setTextCursor(c);
    QTest::mouseClick(insert, Qt::LeftButton);  // the click takes the focus first
    EXPECT_EQ(Edit("notes")->toPlainText(), "go to the <a href = \"marker:bridge1\">bridge</a> now");
    EXPECT_EQ(QApplication::focusWidget(), Edit("notes"));

    // Nothing selected: nothing happens.
    QTest::mouseClick(insert, Qt::LeftButton);
    EXPECT_EQ(Edit("notes")->toPlainText(), "go to the <a href = \"marker:bridge1\">bridge</a> now");

    // Ending edits take no part; an empty marker name keeps the button off.
    Edit("plan")->setFocus();
    EXPECT_TRUE(insert->isEnabled());
    Edit("endingText1")->setFocus();
    EXPECT_FALSE(insert->isEnabled());
    Line("markerName")->clear();
    Edit("objective4")->setFocus();
    EXPECT_FALSE(insert->isEnabled());
}

TEST_F(BriefingDialog, CreateInEditorMakesBothDocumentsAndEditBriefingReadsThemBack) {
    QAction* editBriefing = Main()->Action(ID_EDIT_BRIEFING);
    EXPECT_FALSE(editBriefing->isEnabled());
    EXPECT_EQ(editBriefing->statusTip(), "Open the current briefing in the Briefing Wizard for editing");
    Type(Edit("plan"), "Line one");
    QTest::keyClick(Edit("plan"), Qt::Key_Return);
    QTest::keyClicks(Edit("plan"), "Line two");
    Type(Edit("objective2"), "Find the <b>radio</b> & \"codes\"");
    Hide(2)->click();
    Type(Line("endingTitle2"), "Escape");
    Type(Edit("endingText2"), "You got out.");
    Button(dlg, "&Create In Editor")->click();

    ASSERT_EQ(theApp.Documents().size(), 2u);
    CScriptDoc* page = Document("Briefing*");
    CScriptDoc* init = Document("Init*");
    ASSERT_TRUE(page && init);
    EXPECT_EQ(page->Kind(), DocKind::Briefing);
    EXPECT_EQ(init->Kind(), DocKind::Script);
    EXPECT_TRUE(init->GetView()->GetText().endsWith("\"2\" ObjStatus \"HIDDEN\"\n"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Files were created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Files Created");

    // The Init script is active: it is no briefing.
    EXPECT_FALSE(editBriefing->isEnabled());
    Button(dlg, "&Reset Briefing")->click();
    Activate(page);
    ASSERT_TRUE(editBriefing->isEnabled());
    dlg->hide();
    editBriefing->trigger();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Edit("plan")->toPlainText(), "Line oneLine two");
    EXPECT_EQ(Edit("objective2")->toPlainText(), "Find the <b>radio</b> & \"codes\"");
    EXPECT_FALSE(Hide(2)->isChecked());
    EXPECT_EQ(Line("endingTitle2")->text(), "Escape");
    EXPECT_EQ(Edit("endingText2")->toPlainText(), "You got out.");
    EXPECT_EQ(prompter.messages.size(), 1u);

    // Removing the marker from the page turns the command off.
    QTextCursor c = page->GetView()->document()->find("<!-- [BRIEFING_WIZARD_30] -->");
    c.removeSelectedText();
    EXPECT_FALSE(editBriefing->isEnabled());
}

TEST_F(BriefingDialog, EditBriefingNeedsTheMarkerInAPageCalledBriefing) {
    const QString page = QString::fromStdString(BuildBriefingPage(SideBriefing{}, "v")).replace("\r\n", "\n");
    QAction* editBriefing = Main()->Action(ID_EDIT_BRIEFING);
    ASSERT_TRUE(Main()->CreateBriefingDocument("<html>no marker</html>", "Briefing"));
    EXPECT_FALSE(editBriefing->isEnabled());
    ASSERT_TRUE(Main()->CreateBriefingDocument(page, "BRIEFING"));
    EXPECT_TRUE(editBriefing->isEnabled());
    ASSERT_TRUE(Main()->CreateBriefingDocument(page, "mission"));
    EXPECT_FALSE(editBriefing->isEnabled());

    // A page written to disk by the wizard and opened again, under either case of its name.
    for (const char* name : {"briefing.html", "Briefing.html"}) {
        WriteData(name, page.toUtf8());
        CScriptDoc* doc = theApp.OpenDocumentFile(Path(name));
        ASSERT_NE(doc, nullptr) << name;
        EXPECT_EQ(Main()->ActiveDocument(), doc);
        EXPECT_TRUE(editBriefing->isEnabled()) << name;
        doc->GetView()->GetParentFrame()->close();
    }
    WriteData("plain.html", "<html>briefing</html>");
    ASSERT_NE(theApp.OpenDocumentFile(Path("plain.html")), nullptr);
    EXPECT_FALSE(editBriefing->isEnabled());
    WriteData("mission.html", page.toUtf8());
    ASSERT_NE(theApp.OpenDocumentFile(Path("mission.html")), nullptr);
    EXPECT_FALSE(editBriefing->isEnabled());
}

TEST_F(BriefingDialog, EditBriefingFollowsTheMarkerAsItIsTypedDeletedAndUndone) {
    QAction* editBriefing = Main()->Action(ID_EDIT_BRIEFING);
    ASSERT_TRUE(Main()->CreateBriefingDocument("<html>\nfirst line\n</html>", "Briefing"));
    CEditView* view = Main()->ActiveDocument()->GetView();
    EXPECT_FALSE(editBriefing->isEnabled());

    // The marker typed in two pieces inside an existing line.
    QTextCursor c(view->document()->findBlockByNumber(1));
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText("<!-- [BRIEFING_");
    EXPECT_FALSE(editBriefing->isEnabled());
    c.insertText("WIZARD_30] -->");
    EXPECT_TRUE(editBriefing->isEnabled());

    // Lines added before it move it; the command stays on.
    QTextCursor(view->document()).insertText("a\nb\nc\n");
    EXPECT_TRUE(editBriefing->isEnabled());

    // Breaking the marker turns the command off; undo brings it back.
    QTextCursor inside = view->document()->find("WIZARD");
    inside.insertText("W1ZARD");
    EXPECT_FALSE(editBriefing->isEnabled());
    view->undo();
    EXPECT_TRUE(editBriefing->isEnabled());
}

TEST_F(BriefingDialog, AnEmptyWizardCreatesOnlyThePage) {
    Button(dlg, "&Create In Editor")->click();
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(theApp.Documents()[0]->GetTitle(), "Briefing*");
    EXPECT_EQ(theApp.Documents()[0]->GetView()->GetText(),
              ShownText(BuildBriefingPage(SideBriefing{}, theApp.m_version.toStdString())));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Briefing was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Briefing Created");
}

TEST_F(BriefingDialog, CreateToDiskOffersTheInitScriptEvenAfterTheBriefingWasCancelled) {
    Type(Edit("plan"), "Plan");
    Hide(5)->click();
    prompter.fileNames = {std::nullopt, Path("Init.sqs")};
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.requests.size(), 2u);
    EXPECT_EQ(prompter.requests[0].title, "Save Briefing");
    EXPECT_EQ(prompter.requests[0].filter, "Briefing Files (*.html)|*.html||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "html");
    EXPECT_EQ(prompter.requests[0].proposedName, "Briefing");
    EXPECT_EQ(prompter.requests[1].title, "Save Script");
    EXPECT_EQ(prompter.requests[1].proposedName, "Init");
    EXPECT_TRUE(ReadFile(Path("Init.sqs")).endsWith("\r\n\"5\" ObjStatus \"HIDDEN\"\r\n"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Script was saved successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Script Saved");

    prompter.requests.clear();
    prompter.messages.clear();
    prompter.fileNames = {Path("Briefing.html"), std::nullopt};
    Button(dlg, "Create To &Disk...")->click();
    BriefingWizard copy = dlg->Wizard();
    EXPECT_EQ(ReadFile(Path("Briefing.html")).toStdString(), copy.BuildForOutput(theApp.m_version.toStdString()).page);
    EXPECT_EQ(prompter.requests.size(), 2u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Briefing was saved successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Briefing Saved");
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(BriefingDialog, AFailedBriefingSaveStopsBeforeTheInitDialog) {
    Hide(1)->click();
    prompter.fileNames = {Path("no/such/folder/Briefing.html"), Path("Init.sqs")};
    Button(dlg, "Create To &Disk...")->click();
    EXPECT_EQ(prompter.requests.size(), 1u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error saving briefing");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    EXPECT_TRUE(Hide(1)->isChecked());  // the content survives
}

TEST_F(BriefingDialog, OpenExistingBriefingReadsPagesAndRefusesOthers) {
    SideBriefings sides;
    sides[0].plan = "west plan";
    sides[1].plan = "east plan";
    sides[1].notes = "east notes";
    WriteData("multi.html", QByteArray::fromStdString(BuildMultiSidedPage(sides, "v")));
    WriteData("other.html", "<html><body><p>hello</p></body></html>\r\n");

    Type(Edit("plan"), "typed before");
    prompter.fileNames = {Path("missing.html")};
    Button(dlg, "&Open Existing Briefing")->click();
    EXPECT_EQ(Edit("plan")->toPlainText(), "typed before");  // ignored silently
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(prompter.requests[0].filter, "Briefing Files (*.html)|*.html||");

    prompter.fileNames = {Path("multi.html")};
    Button(dlg, "&Open Existing Briefing")->click();
    EXPECT_TRUE(MultiSided()->isChecked());
    EXPECT_TRUE(Side("Edit WEST")->isChecked());
    EXPECT_TRUE(Side("Edit EAST")->isEnabled());
    EXPECT_EQ(Captions()[1], "Notes - WEST");
    EXPECT_EQ(Edit("plan")->toPlainText(), "west plan");
    Side("Edit EAST")->click();
    EXPECT_EQ(Edit("notes")->toPlainText(), "east notes");

    prompter.fileNames = {Path("other.html")};
    Button(dlg, "&Open Existing Briefing")->click();
    EXPECT_EQ(Edit("plan")->toPlainText(), "");
    EXPECT_FALSE(MultiSided()->isChecked());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Unable to read briefing file into the Briefing Wizard.\n\nBriefing must first be created with the "
              "Briefing Wizard\nbefore it can be re-opened and edited.");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
}

TEST(BriefingDialogAlone, TheSwitchRunsTheRealWizardWithoutCreateInEditor) {
    ScriptedPrompter prompter;
    ScopedValue usePrompter(theApp.m_prompter, &prompter);
    std::unique_ptr<CWizardDlg> dlg = CreateWizardDialog(WizardKind::Briefing, nullptr);
    auto* briefing = dynamic_cast<CBriefingDlg*>(dlg.get());
    ASSERT_NE(briefing, nullptr);
    dlg->m_editorAvailable = 0;
    dlg->UpdateEditorAvailable();
    int buttons = 0;
    for (auto* b : dlg->findChildren<QPushButton*>()) {
        if (b->text() != "&Create In Editor") continue;
        ++buttons;
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_EQ(buttons, 1);
    briefing->m_editorAvailable = 1;
    briefing->OnCreateInEditor();  // no main window
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error creating file(s).");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
}
