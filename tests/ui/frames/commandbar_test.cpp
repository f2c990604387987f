#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "support/editorfixture.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"

using namespace qm;

namespace {
class CommandBar : public EditorFixture {
protected:
    CCommandBar* Bar() const { return Main()->m_wndCommandBar; }
    QTreeWidget* Tree() const { return Bar()->Tree(); }
    QTreeWidgetItem* Item(int root, int child) const { return Tree()->topLevelItem(root)->child(child); }
    void Select(QTreeWidgetItem* item) { Tree()->setCurrentItem(item); }
    QString Pane() const { return Bar()->SyntaxPane()->toPlainText(); }
    QString ProjectKey() const { return QStringLiteral("Software\\Tarnwell\\Quillmark\\Project Files"); }
};

// The project slots are read when the frame is made: these tests start their own application.
class ProjectFiles : public AppFixture {
protected:
    QTreeWidgetItem* ProjectRoot() const { return Main()->m_wndCommandBar->ProjectRoot(); }
};
}  // namespace

TEST_F(CommandBar, TreeHoldsTheCatalogueAndThePaneExplainsTheSelection) {
    ASSERT_EQ(Tree()->topLevelItemCount(), 6);
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "Commands");
    EXPECT_EQ(Tree()->topLevelItem(5)->text(0), "Project Files");
    EXPECT_EQ(Item(ROOT_COMMANDS, 2)->text(0), "hint");
    EXPECT_EQ(Item(ROOT_WEAPONS, 0)->text(0), "\"RIFLEA\"");
    EXPECT_FALSE(Tree()->topLevelItem(ROOT_WEAPONS)->isExpanded());
    EXPECT_TRUE(Tree()->topLevelItem(ROOT_PROJECT_FILES)->isExpanded());

    Select(Item(ROOT_COMMANDS, 2));
    EXPECT_EQ(Pane(), "hint text\nNothing\nhint \"x\"");
    Select(Item(ROOT_COMMANDS, 0));
    EXPECT_EQ(Pane(), "No syntax available\nSee Command Reference Manual");
    Select(Tree()->topLevelItem(ROOT_COMMANDS));
    EXPECT_EQ(Pane(), "Commands");
    Select(Item(ROOT_VEHICLE_AMMO, 0));
    EXPECT_EQ(Pane(), "Vehicle Ammo - Not Available\nPress 'Insert' to insert the item\ninto the active document.");

    // Typing in the tree finds the first item starting with the letters.
    Tree()->setFocus();
    Tree()->keyboardSearch("Equ");
    EXPECT_EQ(Tree()->currentItem()->text(0), "Equipment");
}

TEST_F(CommandBar, InsertPutsTheWeaponWithItsQuotesIntoTheScriptColouredAndUndoable) {
    // Without a document there is nothing to insert into.
    Select(Item(ROOT_WEAPONS, 0));
    EXPECT_FALSE(Bar()->InsertButton()->isEnabled());
    EXPECT_FALSE(Main()->Action(ID_INSERT_ITEM)->isEnabled());

    CScriptDoc* doc = Open("m/a.sqs", "_u addWeapon ");
    CEditView* v = doc->GetView();
    PlaceCaret(v, 0, 13);
    Select(Item(ROOT_WEAPONS, 0));
    ASSERT_TRUE(Bar()->InsertButton()->isEnabled());
    QTest::mouseClick(Bar()->InsertButton(), Qt::LeftButton);
    EXPECT_EQ(v->GetText(), "_u addWeapon \"RIFLEA\"");
    EXPECT_EQ(ColourAt(v, 0, 14), Colour(Main()->m_itemColour));
    EXPECT_EQ(ColourAt(v, 0, 3), Colour(Main()->m_commandColour));
    EXPECT_EQ(Main()->focusWidget(), v);
    EXPECT_TRUE(doc->IsModified());
    v->OnEditUndo();
    EXPECT_EQ(v->GetText(), "_u addWeapon ");

    // A selection is replaced; a root, or a project entry, is not inserted.
    v->selectAll();
    Select(Item(ROOT_VEHICLE_AMMO, 0));
    Main()->Action(ID_INSERT_ITEM)->trigger();
    EXPECT_EQ(v->GetText(), "Not Available");
    Select(Tree()->topLevelItem(ROOT_AMMO));
    EXPECT_FALSE(Main()->Action(ID_INSERT_ITEM)->isEnabled());
    Main()->Action(ID_INSERT_ITEM)->trigger();
    EXPECT_EQ(v->GetText(), "Not Available");
}

TEST_F(CommandBar, EnterOrInsertOnALeafInsertsIt) {
    CEditView* v = New(DocKind::Script)->GetView();
    Tree()->expandAll();
    Select(Item(ROOT_COMMANDS, 2));
    Tree()->setFocus();
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(v->GetText(), "hint");
    QTest::keyClick(Tree(), Qt::Key_Insert);
    EXPECT_EQ(v->GetText(), "hinthint");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Insert}) {
        Select(Tree()->topLevelItem(ROOT_AMMO));
        QTest::keyClick(Tree(), key);  // a root inserts nothing
        EXPECT_EQ(v->GetText(), "hinthint");
    }
}

TEST_F(CommandBar, CollapseAllLeavesTheRootsWithNothingSelectedAndAnEmptyPane) {
    Tree()->expandAll();
    Select(Item(ROOT_AMMO, 0));
    ASSERT_FALSE(Pane().isEmpty());
    QTest::mouseClick(Bar()->CollapseButton(), Qt::LeftButton);
    for (int r = 0; r < 6; ++r) EXPECT_FALSE(Tree()->topLevelItem(r)->isExpanded());
    EXPECT_TRUE(Tree()->selectedItems().isEmpty());
    EXPECT_TRUE(Pane().isEmpty());
}

TEST_F(CommandBar, UpdateApplicationDataRefillsTheTreeFromTheNewFiles) {
    WriteData("data/resistance/data.txt", "[WEAPONS]\nRifleB\nRifleC\n\n[VEHICLE_AMMO]\nShellA\n");
    Main()->Action(ID_UPDATE_APP_DATA)->trigger();
    EXPECT_EQ(Tree()->topLevelItem(ROOT_WEAPONS)->childCount(), 2);
    EXPECT_EQ(Item(ROOT_VEHICLE_AMMO, 0)->text(0), "\"ShellA\"");
    EXPECT_EQ(Item(ROOT_AMMO, 0)->text(0), "Not Available");
    EXPECT_TRUE(Pane().isEmpty());
}

TEST_F(ProjectFiles, ADeletedFileIsPrunedOnSelectionAndItsSlotWrittenEmpty) {
    WriteData("missions/zulu.sqs", "hint \"z\"\n");
    SetProjectSlot(3, Path("missions/gone.sqs"));
    SetProjectSlot(9, Path("missions/zulu.sqs"));
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProjectTexts(), (QStringList{"gone.sqs", "zulu.sqs"}));

    Main()->m_wndCommandBar->Tree()->setCurrentItem(ProjectRoot()->child(0));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Failed to open document."));
    EXPECT_EQ(ProjectTexts(), (QStringList{"zulu.sqs"}));
    EXPECT_TRUE(Main()->m_projectFiles[3].empty());
    EXPECT_TRUE(theApp.Documents().empty()) << theApp.Documents()[0]->GetTitle().toStdString();
    EXPECT_EQ(Main()->m_wndCommandBar->SyntaxPane()->toPlainText(),
              "Use the 'Project' menu to add\nor remove project files.");

    Main()->m_wndCommandBar->Tree()->setCurrentItem(ProjectRoot()->child(0));
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(theApp.Documents()[0]->GetTitle(), "zulu.sqs");
    EXPECT_FALSE(Main()->Action(ID_INSERT_ITEM)->isEnabled());  // a project entry is opened, not inserted

    ASSERT_TRUE(Main()->close());
    EXPECT_EQ(registry.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Project Files", "File3", "x"), "");
    EXPECT_EQ(registry.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Project Files", "File9", ""),
              Path("missions/zulu.sqs").toStdString());
}

TEST_F(ProjectFiles, EntriesChangedDuringTheRunSurviveUpdateApplicationData) {
    SetProjectSlot(0, "/m/removed.sqs");
    SetSetting("ShowSyntax", 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->m_wndCommandBar->SyntaxPane()->isHidden());
    EXPECT_TRUE(Main()->m_wndCommandBar->Tree()->isVisibleTo(Main()));
    Main()->RemoveProjectFile(0);
    Main()->m_projectFiles[4] = "/m/added.sqs";
    Main()->m_projectFiles[2] = "/m/beta.sqf";
    Main()->RefillProjectFiles();
    EXPECT_EQ(ProjectTexts(), (QStringList{"added.sqs", "beta.sqf"}));
    theApp.UpdateApplicationData();
    EXPECT_EQ(ProjectTexts(), (QStringList{"added.sqs", "beta.sqf"}));
    EXPECT_EQ(ProjectRoot()->child(0)->data(0, Qt::UserRole).toInt(), 4);
}
