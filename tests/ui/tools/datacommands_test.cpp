#include <QAction>
#include <QListWidget>
#include <QTreeWidget>

#include <filesystem>

#include "core/tools/datamaintenance.h"
#include "support/appfixture.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/tools/snippetcommands.h"
#include "ui/tools/snippetdlg.h"
#include "ui/views/editview.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
class DataCommands : public AppFixture {
protected:
    void Begin() {
        SetSetting("NewFile", 0);
        SetText("SnippetDir", Path("snippets") + "/");
        SetText("BackupDir", Path("backup") + "/");
        QDir().mkpath(Path("snippets"));
        ASSERT_TRUE(Start());
    }
    void SetText(const char* name, const QString& value) {
        registry.WriteString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", name, value.toStdString());
    }
    bool Knows(const char* command) const { return theApp.m_catalogue.FindCommand(command) >= 0; }
    static constexpr const char* kCommands = "data/resistance/commands.txt";
};
}  // namespace

TEST_F(DataCommands, TheEditCommandsOpenTheDataFilesOfTheEdition) {
    Begin();
    const std::pair<int, const char*> files[] = {
        {ID_EDIT_COMMANDS_DATA, "data/resistance/commands.txt"}, {ID_EDIT_WEAPONS_DATA, "data/resistance/data.txt"},
        {ID_EDIT_UNIT_DATA, "data/resistance/unit.txt"},         {ID_EDIT_SYNTAX_DATA, "data/syntax.txt"},
        {ID_EDIT_HEADER_DATA, "data/header.txt"}};
    for (const auto& [id, rel] : files) {
        QAction* a = Main()->Action(id);
        ASSERT_TRUE(a->isEnabled());
        EXPECT_FALSE(a->statusTip().isEmpty());
        a->trigger();
        ASSERT_NE(Main()->ActiveDocument(), nullptr);
        EXPECT_EQ(Main()->ActiveDocument()->GetPathName(), QFileInfo(Path(rel)).absoluteFilePath());
        EXPECT_EQ(Main()->ActiveDocument()->Kind(), DocKind::Text);
    }
    Main()->Action(ID_EDIT_COMMANDS_DATA)->trigger();  // open already: activated, not opened twice
    EXPECT_EQ(theApp.Documents().size(), 5u);
}

TEST_F(DataCommands, BackupThenRestoreBringsBackTheFiveFilesAndTheSnippets) {
    WriteData("snippets/loop.txt", "loop\r\n");
    Begin();
    Main()->Action(ID_BACKUP_DATA)->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "BACKUP COMPLETE");
    EXPECT_EQ(prompter.messages[0].text.toStdString(), std::string(kBackupDone) + Main()->m_backupDir);
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::None);
    EXPECT_EQ(ReadFile(Path("backup/snippets/loop.txt")), "loop\r\n");

    const QByteArray original = ReadFile(Path(kCommands));
    WriteData(kCommands, "brandNew\n");
    WriteData("data/header.txt", "changed");
    QFile::remove(Path("snippets/loop.txt"));
    theApp.UpdateApplicationData();
    ASSERT_TRUE(Knows("brandNew"));
    ASSERT_NE(SnippetDialog(*Main()), nullptr);  // an open My Snippets is refreshed by the restore
    ASSERT_EQ(Main()->m_snippetDlg->m_wndList->count(), 0);

    prompter.messages.clear();
    prompter.answers.push_back(IDYES);
    Main()->Action(ID_RESTORE_DATA)->trigger();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, kRestoreQuestion);
    EXPECT_EQ(prompter.messages[0].caption, "RESTORE DATA");
    EXPECT_EQ(prompter.messages[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::Question);
    EXPECT_EQ(prompter.messages[1].text, kRestoreDone);
    EXPECT_EQ(prompter.messages[1].caption, "RESTORE COMPLETE");
    EXPECT_EQ(ReadFile(Path(kCommands)), original);
    EXPECT_EQ(ReadFile(Path("data/header.txt")), "[SCRIPT]\n; header\n\n[DESCRIPTION]\n// header\n");
    EXPECT_EQ(ReadFile(Path("snippets/loop.txt")), "loop\r\n");
    EXPECT_FALSE(Knows("brandNew"));  // the catalogue was reloaded
    EXPECT_TRUE(Knows("addWeapon"));
    // The tree shows the restored commands and My Snippets lists the restored snippet.
    QTreeWidgetItem* commands = Main()->m_wndCommandBar->Root(ROOT_COMMANDS);
    ASSERT_NE(commands, nullptr);
    QStringList names;
    for (int i = 0; i < commands->childCount(); ++i) names << commands->child(i)->text(0);
    EXPECT_TRUE(names.contains("addWeapon"));
    EXPECT_FALSE(names.contains("brandNew"));
    ASSERT_NE(Main()->m_snippetDlg, nullptr);
    ASSERT_EQ(Main()->m_snippetDlg->m_wndList->count(), 1);
    EXPECT_EQ(Main()->m_snippetDlg->m_wndList->item(0)->text(), "loop");
}

TEST_F(DataCommands, RestoreWithoutABackupReportsAndReloadsNothing) {
    Begin();
    WriteData(kCommands, "brandNew\n");  // on disk, not yet loaded
    prompter.answers.push_back(IDYES);
    Main()->Action(ID_RESTORE_DATA)->trigger();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "ERROR: Backup data files were not found.");
    EXPECT_EQ(prompter.messages[1].caption, "FILE ERROR");
    EXPECT_FALSE(Knows("brandNew"));
    EXPECT_EQ(ReadFile(Path(kCommands)), "brandNew\n");
}

TEST_F(DataCommands, AnsweringNoChangesNothingAndAFailedBackupIsReported) {
    Begin();
    Main()->Action(ID_BACKUP_DATA)->trigger();
    WriteData(kCommands, "brandNew\n");
    prompter.messages.clear();
    prompter.answers.push_back(IDNO);
    Main()->Action(ID_RESTORE_DATA)->trigger();
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(ReadFile(Path(kCommands)), "brandNew\n");

    // A backup folder that cannot be made (its parent is a file).
    Main()->m_backupDir = Path(kCommands).toStdString() + "/backup/";
    prompter.messages.clear();
    Main()->Action(ID_BACKUP_DATA)->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "ERROR: An error occured while backing up the data files.");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
}

TEST_F(DataCommands, RestoreShowsTheRestoredTextInOpenDataFilesButKeepsUnsavedEdits) {
    Begin();
    Main()->Action(ID_BACKUP_DATA)->trigger();
    const QByteArray original = ReadFile(Path(kCommands));
    WriteData(kCommands, "brandNew\n");
    WriteData("data/header.txt", "changedHeader\n");
    Main()->Action(ID_EDIT_COMMANDS_DATA)->trigger();
    CScriptDoc* commands = Main()->ActiveDocument();
    ASSERT_NE(commands, nullptr);
    ASSERT_EQ(commands->GetView()->toPlainText(), "brandNew\n");
    Main()->Action(ID_EDIT_HEADER_DATA)->trigger();
    CScriptDoc* header = Main()->ActiveDocument();
    header->GetView()->textCursor().insertText("mine ");
    ASSERT_TRUE(header->IsModified());

    prompter.answers.push_back(IDYES);
    Main()->Action(ID_RESTORE_DATA)->trigger();
    ASSERT_EQ(ReadFile(Path(kCommands)), original);
    // An unchanged window shows the restored file, so a later save cannot write the old text back.
    CScriptDoc* shown = nullptr;
    for (CScriptDoc* d : theApp.Documents())
        if (d->GetPathName() == QFileInfo(Path(kCommands)).absoluteFilePath()) shown = d;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetView()->toPlainText().toUtf8(), QByteArray(original).replace("\r\n", "\n"));
    EXPECT_FALSE(shown->IsModified());
    // A window with unsaved edits is left as the user made it.
    const auto docs = theApp.Documents();
    ASSERT_NE(std::find(docs.begin(), docs.end(), header), docs.end());
    EXPECT_TRUE(header->IsModified());
    EXPECT_TRUE(header->GetView()->toPlainText().startsWith("mine "));
    EXPECT_EQ(theApp.Documents().size(), 2u);
    EXPECT_EQ(Main()->ActiveDocument(), header);  // the user stays in the window they were in
}
