#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>

#include "core/app/safefile.h"
#include "core/menus/custommenus.h"
#include "core/tools/quickscripts.h"
#include "support/appfixture.h"
#include "support/menutexts.h"
#include "ui/app/doctemplate.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/menus/iconmenu.h"
#include "ui/tools/removedlg.h"
#include "ui/views/editview.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
const char* const kKey = "Software\\Tarnwell\\Quillmark\\";

class ListCommands : public AppFixture {
protected:
    void Begin() {
        SetSetting("NewFile", 0);
        ASSERT_TRUE(Start());
        Main()->resize(900, 700);
        Main()->show();
    }
    void Trigger(int id) {
        Main()->UpdateCommandStates();
        QAction* a = Main()->Action(id);
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isEnabled()) << id;
        a->trigger();
    }
    // The menu the user sees: the owner-drawn one while custom menus are on, else the standard one.
    QMenu* Shown(const QString& menu) const {
        if (!Main()->UsesCustomMenus()) return Main()->PopupMenu(menu);
        const std::pair<const char*, MenuName> names[] = {
            {"Quick Scripts", MenuName::QuickScripts}, {"Recent Files", MenuName::RecentFiles},
            {"Window", MenuName::Window},              {"File (no document)", MenuName::FileNoDocument},
            {"File (document)", MenuName::FileDocument}};
        for (const auto& [name, id] : names)
            if (menu == name) return Main()->m_iconMenus[IconMenuIndex(id)];
        return nullptr;
    }
    // Captions as drawn, without the mnemonic marks; "-" for a separator.
    QStringList Entries(const QString& menu) const {
        QMenu* m = Shown(menu);
        auto* icon = qobject_cast<CIconMenu*>(m);
        return icon ? MenuCaptions(icon) : MenuTexts(m);
    }
    QAction* Entry(const QString& menu, const QString& text) const {
        const QStringList texts = Entries(menu);
        const auto at = texts.indexOf(text);
        return at < 0 ? nullptr : Shown(menu)->actions()[at];
    }
    QString Scripts(const QString& name = {}) const { return Path("scripts/" + name); }
    std::string ProjectValue(int slot) const {
        return registry.GetString(Hive::CurrentUser, std::string(kKey) + "Project Files", "File" + std::to_string(slot),
                                  "unset");
    }
    void WriteRecent(int n, const QString& path) {
        registry.WriteString(Hive::CurrentUser, std::string(kKey) + "Recent File List", "File" + std::to_string(n),
                             path.toStdString());
    }
};
}  // namespace

TEST_F(ListCommands, AQuickScriptAddedTwiceIsReadOnlyAndTheSecondAddIsRefused) {
    WriteData("mission/init.sqs", "hint \"go\"\r\n");
    Begin();
    EXPECT_EQ(Entries("Quick Scripts"),
              (QStringList{"-", "Add Quick Script...", "Add Current Active File", "Delete Quick Scripts..."}));
    prompter.fileNames.push_back(Path("mission/init.sqs"));
    Trigger(ID_ADD_QUICK_SCRIPT);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(IsReadOnlyFile(Scripts("init.sqs").toStdString()));
    EXPECT_EQ(ReadFile(Scripts("init.sqs")), "hint \"go\"\r\n");
    EXPECT_EQ(Entries("Quick Scripts").first(), "init.sqs");
    EXPECT_EQ(Main()->m_quickScriptCount, 1);
    ASSERT_NE(Main()->ActiveDocument(), nullptr);  // the chosen file was opened

    prompter.fileNames.push_back(Path("mission/init.sqs"));
    Trigger(ID_ADD_QUICK_SCRIPT);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, kQuickScriptError);
    EXPECT_EQ(prompter.messages[0].text.count('\n'), 2);
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");

    // The open document written as a quick script: refused too, the copy is unchanged.
    Trigger(ID_ADD_ACTIVE_QUICK_SCRIPT);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, kQuickScriptError);
    EXPECT_EQ(ReadFile(Scripts("init.sqs")), "hint \"go\"\r\n");
}

TEST_F(ListCommands, TheActiveFileIsWrittenWithItsUnsavedEdits) {
    WriteData("mission/start.sqs", "a\r\n");
    Begin();
    CScriptDoc* doc = theApp.OpenDocumentFile(Path("mission/start.sqs"));
    ASSERT_NE(doc, nullptr);
    doc->GetView()->selectAll();
    doc->GetView()->textCursor().insertText("edited\nlines");
    Trigger(ID_ADD_ACTIVE_QUICK_SCRIPT);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(ReadFile(Scripts("start.sqs")), "edited\r\nlines");
    EXPECT_TRUE(IsReadOnlyFile(Scripts("start.sqs").toStdString()));
    EXPECT_EQ(ReadFile(Path("mission/start.sqs")), "a\r\n");  // the document itself is not saved

    // An untitled document has no name to give: the command is off.
    theApp.Template(DocKind::Script)->OpenDocumentFile(QString());
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_ADD_ACTIVE_QUICK_SCRIPT)->isEnabled());
}

TEST_F(ListCommands, ElevenQuickScriptsAreListedAndBothAddCommandsTurnOff) {
    for (int i = 0; i < 12; ++i) WriteData(QString("scripts/s%1.sqs").arg(i, 2, 10, QChar('0')), "x");
    WriteData("mission/a.sqs", "x");
    Begin();
    theApp.OpenDocumentFile(Path("mission/a.sqs"));
    EXPECT_EQ(Main()->m_quickScriptCount, 11);
    EXPECT_EQ(Entries("Quick Scripts").size(), 15);
    EXPECT_EQ(Entries("Quick Scripts")[10], "s10.sqs");
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_ADD_QUICK_SCRIPT)->isEnabled());
    EXPECT_FALSE(Main()->Action(ID_ADD_ACTIVE_QUICK_SCRIPT)->isEnabled());
    EXPECT_TRUE(Main()->Action(ID_DELETE_QUICK_SCRIPTS)->isEnabled());
}

TEST_F(ListCommands, AQuickScriptThatVanishedRebuildsTheMenu) {
    WriteData("scripts/gone.sqs", "x");
    WriteData("scripts/kept.sqs", "hint \"kept\"");
    Begin();
    QAction* kept = Entry("Quick Scripts", "kept.sqs");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->statusTip(), "Open this script");
    EXPECT_EQ(kept->data().toInt(), 1355);
    kept->trigger();
    ASSERT_NE(Main()->ActiveDocument(), nullptr);
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "kept.sqs");

    QFile::remove(Scripts("gone.sqs"));
    Entry("Quick Scripts", "gone.sqs")->trigger();
    EXPECT_EQ(prompter.messages.size(), 1u);  // the open tells why
    EXPECT_EQ(Entry("Quick Scripts", "gone.sqs"), nullptr);
    EXPECT_EQ(Main()->m_quickScriptCount, 1);
}

TEST_F(ListCommands, RemoveQuickScriptsListsEveryFileAndDeletesReadOnlyOnes) {
    WriteData("scripts/b.sqs", "x");
    WriteData("scripts/A.sqs", "x");
    QDir().mkpath(Scripts("folder"));
    Begin();
    ASSERT_TRUE(WriteQuickScript("c.sqs", "x", Scripts().toStdString()).ok);
    CRemoveDlg dlg(Scripts(), Main());
    EXPECT_EQ(dlg.windowTitle(), "Remove Quick Scripts");
    ASSERT_EQ(dlg.List()->count(), 3);
    EXPECT_EQ(dlg.List()->item(0)->text(), "A.sqs");
    EXPECT_EQ(dlg.List()->item(2)->text(), "c.sqs");
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    dlg.List()->setCurrentRow(2);
    EXPECT_TRUE(dlg.RemoveButton()->isEnabled());
    dlg.RemoveButton()->click();
    EXPECT_FALSE(QFile::exists(Scripts("c.sqs")));
    EXPECT_EQ(dlg.List()->count(), 2);
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    EXPECT_EQ(dlg.CloseButton()->text(), "&Close");
}

TEST_F(ListCommands, ProjectFilesAreAddedRemovedClearedAndWrittenOnClose) {
    WriteData("mission/b.sqs", "x");
    WriteData("mission/a.sqs", "x");
    Begin();
    EXPECT_TRUE(Main()->Action(ID_CLEAR_PROJECT_FILES)->isEnabled());
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_REMOVE_PROJECT_FILE)->isEnabled());
    EXPECT_FALSE(Main()->Action(ID_ADD_ACTIVE_PROJECT_FILE)->isEnabled());

    prompter.fileNames.push_back(Path("mission/b.sqs"));
    Trigger(ID_ADD_PROJECT_FILE);
    EXPECT_EQ(Main()->m_projectFiles[0], QDir::toNativeSeparators(Path("mission/b.sqs")).toStdString());
    theApp.OpenDocumentFile(Path("mission/a.sqs"));
    Trigger(ID_ADD_ACTIVE_PROJECT_FILE);
    Trigger(ID_ADD_ACTIVE_PROJECT_FILE);  // the same file may take two slots
    EXPECT_EQ(ProjectTexts(), (QStringList{"a.sqs", "a.sqs", "b.sqs"}));
    EXPECT_EQ(Main()->SelectedProjectSlot(), 2);  // the new entry is selected

    // Survives the reload of the catalogue.
    theApp.UpdateApplicationData();
    EXPECT_EQ(ProjectTexts().size(), 3);

    // Remove the entry of slot 1: exactly that slot empties, the file stays open.
    QTreeWidgetItem* branch = Main()->m_wndCommandBar->ProjectRoot();
    for (int i = 0; i < branch->childCount(); ++i)
        if (branch->child(i)->data(0, Qt::UserRole).toInt() == 1)
            Main()->m_wndCommandBar->Tree()->setCurrentItem(branch->child(i));
    Trigger(ID_REMOVE_PROJECT_FILE);
    EXPECT_EQ(Main()->m_projectFiles[1], "");
    EXPECT_FALSE(Main()->m_projectFiles[2].empty());
    EXPECT_EQ(ProjectTexts(), (QStringList{"a.sqs", "b.sqs"}));
    EXPECT_EQ(theApp.Documents().size(), 2u);
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_REMOVE_PROJECT_FILE)->isEnabled());

    ASSERT_TRUE(Main()->close());
    theApp.ExitInstance();
    Settle();
    EXPECT_EQ(ProjectValue(0), QDir::toNativeSeparators(Path("mission/b.sqs")).toStdString());
    EXPECT_EQ(ProjectValue(1), "");
    EXPECT_EQ(ProjectValue(2), QDir::toNativeSeparators(Path("mission/a.sqs")).toStdString());
    EXPECT_EQ(ProjectValue(15), "");

    // The next start shows them again; Clear empties all sixteen.
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProjectTexts(), (QStringList{"a.sqs", "b.sqs"}));
    Trigger(ID_CLEAR_PROJECT_FILES);
    EXPECT_TRUE(ProjectTexts().isEmpty());
    ASSERT_TRUE(Main()->close());
    theApp.ExitInstance();
    EXPECT_EQ(ProjectValue(0), "");
    EXPECT_EQ(ProjectValue(2), "");
}

TEST_F(ListCommands, AFullProjectTurnsBothAddCommandsOff) {
    for (int i = 0; i < 16; ++i) SetProjectSlot(i, "/m/f" + QString::number(i) + ".sqs");
    Begin();
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_ADD_PROJECT_FILE)->isEnabled());
    EXPECT_EQ(ProjectTexts().size(), 16);
}

TEST_F(ListCommands, RecentFilesAreTrimmedOrShownWholeAndMRUsZeroHidesThem) {
    const QString path = QDir::toNativeSeparators(Path("mission/test.sqs"));
    WriteRecent(1, path);
    Begin();
    Main()->RebuildRecentFiles();
    EXPECT_EQ(Main()->m_recentMenuText[0], QString("1 ...") + QDir::separator() + "test.sqs");
    EXPECT_EQ(Entries("Recent Files"), QStringList{Main()->m_recentMenuText[0]});
    EXPECT_TRUE(Entries("File (no document)").contains("Recent Files"));
    EXPECT_EQ(Entry("Recent Files", Main()->m_recentMenuText[0])->data().toInt(), 1303);
    theApp.ExitInstance();

    SetSetting("TrimMRU", 0);
    Begin();
    Main()->RebuildRecentFiles();
    EXPECT_EQ(Main()->m_recentMenuText[0], "1 " + path);
    theApp.ExitInstance();

    SetSetting("MRUs", 0);
    Begin();
    Main()->RebuildRecentFiles();
    EXPECT_TRUE(Entries("Recent Files").isEmpty());
    EXPECT_FALSE(Entries("File (no document)").contains("Recent Files"));
    EXPECT_FALSE(Entries("File (document)").contains("Recent Files"));
}

TEST_F(ListCommands, RecentFilesOfOneNameAreToldApartByTheirFullPathInBothMenuSets) {
    const QString a = QDir::toNativeSeparators(Path("alpha/init.sqs"));
    const QString b = QDir::toNativeSeparators(Path("bravo/init.sqs"));
    WriteRecent(1, a);
    WriteRecent(2, b);
    for (int custom : {1, 0}) {
        SetSetting("CustomMenus", custom);
        Begin();
        Main()->RebuildRecentFiles();
        const QString menu = custom ? "Recent Files" : "File (no document)";
        const QString prompt = custom ? "Open this recent document: " : "Open this document: ";
        QStringList tips;
        for (QAction* act : Shown(menu)->actions())
            if (act->statusTip().startsWith(prompt)) tips << act->statusTip();
        EXPECT_EQ(tips, (QStringList{prompt + a, prompt + b})) << custom;
        if (custom) theApp.ExitInstance();
    }
}

TEST_F(ListCommands, ARecentFileThatCannotBeOpenedLeavesTheList) {
    WriteData("mission/here.sqs", "x");
    WriteRecent(1, QDir::toNativeSeparators(Path("mission/gone.sqs")));
    WriteRecent(2, QDir::toNativeSeparators(Path("mission/here.sqs")));
    Begin();
    Main()->RebuildRecentFiles();
    ASSERT_EQ(Entries("Recent Files").size(), 2);
    Shown("Recent Files")->actions()[0]->trigger();
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(theApp.m_recentFiles.Size(), 1u);
    EXPECT_EQ(Entries("Recent Files"), QStringList{QString("1 ...") + QDir::separator() + "here.sqs"});
    EXPECT_EQ(registry.GetString(Hive::CurrentUser, std::string(kKey) + "Recent File List", "File2", "none"), "none");
    Shown("Recent Files")->actions()[0]->trigger();
    ASSERT_NE(Main()->ActiveDocument(), nullptr);
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "here.sqs");
}

TEST_F(ListCommands, StandardMenusShowTheFrameworksFourRecentFiles) {
    SetSetting("CustomMenus", 0);
    for (int i = 1; i <= 5; ++i) WriteRecent(i, QString("/m/f%1.sqs").arg(i));
    Begin();
    Main()->RebuildRecentFiles();
    const QStringList file = Entries("File (no document)");
    EXPECT_FALSE(file.contains("&Recent Files"));
    const auto first = file.indexOf("&1 /m/f1.sqs");
    ASSERT_GE(first, 0);
    EXPECT_EQ(file.mid(first, 5), (QStringList{"&1 /m/f1.sqs", "&2 /m/f2.sqs", "&3 /m/f3.sqs", "&4 /m/f4.sqs", "-"}));
    EXPECT_EQ(file.last(), "E&xit");
    Main()->RebuildRecentFiles();  // rebuilt, not doubled
    EXPECT_EQ(Entries("File (no document)").count("&1 /m/f1.sqs"), 1);
}

TEST_F(ListCommands, TheWindowListShowsTwentyFourWindowsWithTheActiveOneChecked) {
    Begin();
    for (int i = 0; i < 25; ++i) theApp.Template(DocKind::Text)->OpenDocumentFile(QString());
    Main()->RebuildWindowList();
    const QStringList entries = Entries("Window");
    ASSERT_EQ(entries.size(), 9 + 24);
    EXPECT_EQ(entries.mid(0, 9), (QStringList{"New Window", "Cascade", "Tile Horizontally", "Tile Vertically",
                                              "Arrange Icons", "-", "Next\tF6", "Prevoius\tShift+F6", "-"}));
    QAction* previous = Shown("Window")->actions()[7];
    EXPECT_EQ(previous->data().toInt(), ID_PREV_DOC);
    EXPECT_EQ(previous->statusTip(), "Make the previous document active");
    EXPECT_TRUE(previous->isEnabled());
    const QMdiSubWindow* before = Main()->MdiArea()->activeSubWindow();
    previous->trigger();  // runs Previous
    EXPECT_NE(Main()->MdiArea()->activeSubWindow(), before);
    Main()->MdiArea()->setActiveSubWindow(const_cast<QMdiSubWindow*>(before));
    EXPECT_EQ(entries[9], "1 " + theApp.Documents()[0]->GetTitle());
    EXPECT_EQ(Main()->m_windowMenuText[23], "24 " + theApp.Documents()[23]->GetTitle());
    QList<QAction*> actions = Shown("Window")->actions();
    int checked = 0;
    for (QAction* a : actions) checked += a->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 0);  // the active window is the 25th, which is not listed

    // Choosing an entry activates its window, which is checked from then on.
    actions[9 + 2]->trigger();
    EXPECT_EQ(Main()->ActiveDocument(), theApp.Documents()[2]);
    Main()->RebuildWindowList();
    actions = Shown("Window")->actions();
    EXPECT_TRUE(actions[9 + 2]->isChecked());
    EXPECT_FALSE(actions[9 + 1]->isChecked());
    EXPECT_EQ(actions[9]->statusTip(), "Activate this window");
}

TEST_F(ListCommands, ADocumentWithTwoWindowsIsListedTwice) {
    Begin();
    CScriptDoc* first = theApp.Template(DocKind::Script)->OpenDocumentFile(QString());
    theApp.Template(DocKind::Text)->OpenDocumentFile(QString());
    first->ActivateFrame();
    Trigger(ID_WINDOW_NEW);
    Main()->RebuildWindowList();
    const QStringList entries = Entries("Window").mid(9);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries[0].startsWith("1 " + first->GetTitle().left(6)));
    EXPECT_TRUE(entries[1].startsWith("2 " + first->GetTitle().left(6)));
    EXPECT_TRUE(Shown("Window")->actions()[9 + 1]->isChecked());  // the new window is active
}
