#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/qsettingsregistry.h"
#include "support/appfixture.h"
#include "support/menutexts.h"
#include "ui/app/doctemplate.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/menus/newtoolbar.h"
#include "ui/tools/snippetdlg.h"
#include "ui/views/editview.h"
#include "ui/wizards/wizarddlg.h"

using namespace qm;

namespace {
class MainFrame : public AppFixture {
protected:
    // Closes the main window as the user would, then shuts the application down.
    void CloseProgram() {
        ASSERT_TRUE(Main()->close());
        theApp.ExitInstance();
        Settle();
    }
    QStringList MenuTitles() const { return MenuTexts(Main()->menuBar()); }
    CScriptDoc* New(DocKind kind) { return theApp.Template(kind)->OpenDocumentFile(QString()); }
};
}  // namespace

TEST_F(MainFrame, FirstStartIsCentredWithAllBarsAndAssociatesScriptsAndDescriptions) {
    ASSERT_TRUE(Start());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Main()->pos(), QPoint(screen.width() / 2 - 400, screen.height() / 2 - 300));
    EXPECT_EQ(Main()->size(), QSize(800, 600));
    EXPECT_TRUE(Main()->m_wndToolBar->isVisible());
    EXPECT_TRUE(Main()->m_wndCommandBar->isVisible());
    EXPECT_TRUE(Main()->m_wndCommandBar->SyntaxPane()->isVisible());
    EXPECT_TRUE(Main()->statusBar()->isVisible());
    CloseProgram();
    EXPECT_EQ(Setting("FirstRun"), 0);
    EXPECT_EQ(Setting("RegSQS"), 1);
    EXPECT_EQ(Setting("RegEXT"), 1);
    EXPECT_EQ(Setting("RegSQF"), 0);
    EXPECT_EQ(Setting("WinWidth"), 800);
    EXPECT_EQ(Setting("AppMax"), 0);
    EXPECT_EQ(registry.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Project Files", "File15", "x"), "");
}

TEST_F(MainFrame, AHiddenCommandBarStaysHiddenAtTheNextStart) {
    ASSERT_TRUE(Start());
    Main()->Action(ID_VIEW_COMMANDBAR)->trigger();
    EXPECT_FALSE(Main()->m_wndCommandBar->isVisible());
    EXPECT_FALSE(Main()->Action(ID_VIEW_COMMANDBAR)->isChecked());
    CloseProgram();
    EXPECT_EQ(Setting("CommandBar"), 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->m_wndCommandBar->isHidden());
    EXPECT_TRUE(Main()->m_wndToolBar->isVisible());
    Main()->ToggleBar(ID_VIEW_COMMANDBAR);
    EXPECT_TRUE(Main()->m_wndCommandBar->isVisible());
    EXPECT_EQ(Main()->m_commandBar, 1);
}

TEST_F(MainFrame, ToolbarAndStatusBarTogglesAreStored) {
    ASSERT_TRUE(Start());
    Main()->Action(ID_VIEW_TOOLBAR)->trigger();
    Main()->Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(Main()->m_wndToolBar->isHidden());
    EXPECT_TRUE(Main()->statusBar()->isHidden());
    CloseProgram();
    EXPECT_EQ(Setting("ToolBar"), 0);
    EXPECT_EQ(Setting("StatusBar"), 0);
}

TEST_F(MainFrame, ShowSyntaxOffHidesOnlyThePane) {
    SetSetting("ShowSyntax", 0);
    ASSERT_TRUE(Start());
    CCommandBar* bar = Main()->m_wndCommandBar;
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->SyntaxPane()->isVisible());
    EXPECT_TRUE(bar->Tree()->isVisible());
    EXPECT_TRUE(bar->InsertButton()->isVisible());
    EXPECT_TRUE(bar->CollapseButton()->isVisible());
    EXPECT_EQ(bar->InsertButton()->text(), "Insert  --->");
}

TEST_F(MainFrame, SaveAllSavesModifiedDocumentsInTemplateOrderAndNeedsADocument) {
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Main()->Action(ID_SAVE_ALL)->isEnabled());
    CScriptDoc* description = New(DocKind::Description);
    CScriptDoc* script = New(DocKind::Script);
    CScriptDoc* untouched = New(DocKind::Text);
    EXPECT_TRUE(Main()->Action(ID_SAVE_ALL)->isEnabled());
    QTest::keyClicks(description->GetView(), "class X {};");
    QTest::keyClicks(script->GetView(), "hint \"x\"");
    prompter.fileNames = {Path("a.sqs"), Path("b.ext")};
    Main()->Action(ID_SAVE_ALL)->trigger();
    ASSERT_EQ(prompter.requests.size(), 2u);
    EXPECT_EQ(prompter.requests[0].proposedName, "Script.sqs");
    EXPECT_EQ(prompter.requests[1].proposedName, "Description.ext");
    EXPECT_FALSE(script->IsModified());
    EXPECT_FALSE(description->IsModified());
    EXPECT_EQ(untouched->GetTitle(), "Text");
    EXPECT_TRUE(ReadFile(Path("a.sqs")).endsWith("hint \"x\""));
}

TEST_F(MainFrame, AStoredPlacementLargerThanTheScreenIsClampedToIt) {
    SetSetting("WinX", 40);
    SetSetting("WinY", 30);
    SetSetting("WinWidth", 32000);
    SetSetting("WinHeight", 32000);
    SetSetting("SnippetX", 31000);
    SetSetting("SnippetY", 31000);
    ASSERT_TRUE(Start());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(Main()->width(), screen.width());
    EXPECT_LE(Main()->height(), screen.height());
    EXPECT_EQ(Main()->frameGeometry().topLeft(), screen.topLeft());
    Main()->Action(ID_INSERT_SNIPPET)->trigger();
    ASSERT_TRUE(Main()->m_snippetDlg);
    EXPECT_TRUE(screen.contains(Main()->m_snippetDlg->frameGeometry()));
    CloseProgram();
    EXPECT_LE(Setting("WinWidth"), screen.width());
}

TEST_F(MainFrame, ClosingWhileMaximisedKeepsThePlacement) {
    SetSetting("WinX", 11);
    SetSetting("WinY", 12);
    SetSetting("WinWidth", 640);
    SetSetting("WinHeight", 480);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->pos(), QPoint(11, 12));
    Main()->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(Main()->m_appMax, 1);
    CloseProgram();
    EXPECT_EQ(Setting("AppMax"), 1);
    EXPECT_EQ(Setting("WinX"), 11);
    EXPECT_EQ(Setting("WinWidth"), 640);
    // The next start shows the window maximised.
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->isMaximized());
}

TEST_F(MainFrame, MenusSwitchWithTheFirstAndLastDocument) {
    SetSetting("NewFile", 0);
    SetSetting("CustomMenus", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    CScriptDoc* d = New(DocKind::Text);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
    d->GetFrame()->close();
    Settle();
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    EXPECT_FALSE(Main()->Action(ID_FILE_SAVE)->isEnabled());
}

TEST_F(MainFrame, CreateScriptDocumentHoldsTheTextTitledAndModified) {
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Main()->CreateScriptDocument("; unit\r\nthis addWeapon \"RifleA\"\r\n", "UNIT_42"));
    CScriptDoc* d = Main()->ActiveDocument();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Kind(), DocKind::Script);
    EXPECT_EQ(d->GetTitle(), "UNIT_42*");
    EXPECT_EQ(d->GetView()->GetText(), "; unit\nthis addWeapon \"RifleA\"\n");  // no header left
    EXPECT_TRUE(d->IsModified());
    EXPECT_FALSE(d->GetView()->document()->isUndoAvailable());
    ASSERT_TRUE(Main()->CreateDescriptionDocument("class A {};", "description"));
    EXPECT_EQ(Main()->ActiveDocument()->Kind(), DocKind::Description);
    ASSERT_TRUE(Main()->CreateBriefingDocument("<html>", "briefing"));
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "briefing*");
}

TEST_F(MainFrame, WizardCommandsShowTheHiddenWizards) {
    ASSERT_TRUE(Start());
    for (int id : {ID_WIZARD_BRIEFING, ID_WIZARD_OVERVIEW, ID_WIZARD_DESCRIPTION, ID_WIZARD_UNIT, ID_WIZARD_CRATE}) {
        CWizardDlg* w = Main()->Wizard(id);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->m_editorAvailable, 1);
        Main()->Action(id)->trigger();
        EXPECT_TRUE(w->isVisible());
        w->hide();
    }
    EXPECT_EQ(Main()->Wizard(ID_WIZARD_UNIT)->windowTitle(), "Custom Unit Wizard");
}

TEST_F(MainFrame, WizardsAreMadeOnFirstUseAndKeepTheirStateAfterwards) {
    ASSERT_TRUE(Start());
    for (int id : {ID_WIZARD_BRIEFING, ID_WIZARD_OVERVIEW, ID_WIZARD_DESCRIPTION, ID_WIZARD_UNIT, ID_WIZARD_CRATE})
        EXPECT_EQ(Main()->MadeWizard(id), nullptr);
    theApp.UpdateApplicationData();  // nothing to reset yet
    Main()->Action(ID_WIZARD_OVERVIEW)->trigger();
    CWizardDlg* overview = Main()->MadeWizard(ID_WIZARD_OVERVIEW);
    ASSERT_NE(overview, nullptr);
    EXPECT_TRUE(overview->isVisible());
    EXPECT_EQ(Main()->MadeWizard(ID_WIZARD_CRATE), nullptr);  // only the one asked for
    overview->hide();
    Main()->Action(ID_WIZARD_OVERVIEW)->trigger();
    EXPECT_EQ(Main()->MadeWizard(ID_WIZARD_OVERVIEW), overview);  // the same dialog, not a new one
    overview->hide();
}

TEST_F(MainFrame, ToolbarNewFileButtonOffersTheSixKinds) {
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    QToolButton* b = Main()->m_newFileButton;
    ASSERT_NE(b->menu(), nullptr);
    QStringList items;
    for (QAction* a : b->menu()->actions()) items << a->text();
    EXPECT_EQ(items, (QStringList{"&Script File (.sqs)", "&Description File (.ext)", "&Briefing File (.html)",
                                  "&Function File (.sqf)", "S&tring Table File (.csv)", "&Text File (.txt)"}));
    b->menu()->actions()[3]->trigger();
    ASSERT_NE(Main()->ActiveDocument(), nullptr);
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "Function");
    b->click();
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "Script");
    EXPECT_EQ(b->toolTip(), "New File");
}

TEST_F(MainFrame, ToolbarHoldsTheButtonsInOrder) {
    ASSERT_TRUE(Start());
    QStringList tips;
    for (QAction* a : Main()->m_wndToolBar->actions())
        tips << (a->isSeparator() ? QStringLiteral("|")
                 : Main()->m_wndToolBar->widgetForAction(a) == Main()->m_newFileButton ? Main()->m_newFileButton->toolTip()
                                                                                      : a->toolTip());
    EXPECT_EQ(tips.join(","),
              "New File,Open,Save,Save All,Save As,|,Cut,Copy,Paste,|,Undo,|,Insert Snippet,|,Briefing Wizard,"
              "Overview Wizard,Description Wizard,Special Unit Wizard,Crate Builder Wizard,|,Edit Briefing,|,"
              "Previous document,Next document,|,Options,|,Run game,|,About");
}

TEST_F(MainFrame, StatusBarHasItsPanesAndBarMenuTogglesBars) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size(), 7);
    QMenu* docking = Main()->PopupMenu("DOCKING 1");
    ASSERT_EQ(docking->actions().size(), 3);
    EXPECT_EQ(docking->actions()[1]->text(), "&Command Bar");
    EXPECT_TRUE(docking->actions()[1]->isChecked());
}

TEST_F(MainFrame, EditorFontFollowsTheSettings) {
    SetSetting("FontSize", 12);
    SetSetting("BoldFonts", 1);
    ASSERT_TRUE(Start());
    const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    EXPECT_EQ(Main()->m_editorFont.pixelSize(), 12 * dpi / 72);
    EXPECT_EQ(Main()->m_editorFont.weight(), QFont::Bold);
    EXPECT_EQ(Main()->m_menuFont.pointSizeF(), 8.5);
    EXPECT_EQ(theApp.Documents()[0]->GetView()->font().pixelSize(), 12 * dpi / 72);
}

TEST_F(MainFrame, AcceleratorsOfTheFrame) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->Action(ID_SAVE_ALL)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(Main()->Action(ID_APP_EXIT)->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_EQ(Main()->Action(ID_NEXT_DOC)->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(Main()->Action(ID_PREV_DOC)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    EXPECT_EQ(Main()->Action(ID_EDIT_REDO)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_TRUE(Main()->Action(ID_EDIT_PASTE)->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
    EXPECT_EQ(Main()->Action(ID_PREV_DOC)->text(), "&Previous");
}

TEST_F(MainFrame, PlayerNameGivesTheMissionCaptions) {
    registry.WriteString(Hive::CurrentUser, "Software\\Pellgrave\\Varnholt", "Player Name", "Kestrel");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main()->m_openMissionsText, "Open Kestrel's Missions...");
    EXPECT_EQ(Main()->m_saveInMissionsText, "Save In Kestrel's Missions...");
}

TEST_F(MainFrame, CancelledCloseKeepsTheProgramRunning) {
    ASSERT_TRUE(Start());
    QTest::keyClicks(theApp.Documents()[0]->GetView(), "x");
    prompter.answers.push_back(IDCANCEL);
    EXPECT_FALSE(Main()->close());
    EXPECT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(theApp.Documents()[0]->GetTitle(), "Script*");
}

TEST(MainFrameSettings, SurviveARestartThroughTheSettingsFiles) {
    QTemporaryDir config;
    ScriptedPrompter prompter;
    QSettingsRegistry first(config.path());
    theApp.m_registry = &first;
    theApp.m_prompter = &prompter;
    ASSERT_TRUE(theApp.InitInstance({}));
    theApp.GetMainFrame()->m_fontSize = 14;
    theApp.GetMainFrame()->m_remarkColour = 0x123456;
    theApp.GetMainFrame()->m_fontName = "Liberation Mono";
    theApp.GetMainFrame()->resize(600, 400);  // within the 800 x 600 test screen wherever it is
    theApp.GetMainFrame()->move(33, 44);
    ASSERT_TRUE(theApp.GetMainFrame()->close());
    theApp.ExitInstance();

    QSettingsRegistry second(config.path());
    theApp.m_registry = &second;
    ASSERT_TRUE(theApp.InitInstance({}));
    EXPECT_EQ(theApp.GetMainFrame()->m_fontSize, 14);
    EXPECT_EQ(theApp.GetMainFrame()->m_remarkColour, 0x123456);
    EXPECT_EQ(theApp.GetMainFrame()->m_fontName, "Liberation Mono");
    EXPECT_EQ(theApp.GetMainFrame()->m_firstRun, 0);
    EXPECT_EQ(theApp.GetMainFrame()->pos(), QPoint(33, 44));
    theApp.ExitInstance();
    theApp.m_registry = nullptr;
    theApp.m_prompter = nullptr;
}

TEST_F(MainFrame, ShortcutsReachTheFrameFromTheEditor) {
    ASSERT_TRUE(Start());
    Main()->show();
    QApplication::setActiveWindow(Main());
    CEditView* v = theApp.Documents()[0]->GetView();
    v->setFocus();
    QTest::keyClick(v, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(prompter.requests.size(), 1u);
    QTest::keyClick(v, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(theApp.Documents().size(), 2u);
}
