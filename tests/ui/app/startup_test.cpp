#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "support/appfixture.h"
#include "ui/app/aboutdlg.h"
#include "ui/app/doctemplate.h"
#include "ui/views/editview.h"
#include "ui/wizards/wizarddlg.h"

using namespace qm;

using StartUp = AppFixture;

TEST_F(StartUp, FirstStartOpensOneNewScriptWithItsHeader) {
    ASSERT_TRUE(Start());
    auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->Kind(), DocKind::Script);
    EXPECT_EQ(docs[0]->GetTitle(), "Script");
    EXPECT_EQ(docs[0]->GetView()->GetText(), "; header\n\n");
    EXPECT_FALSE(docs[0]->IsModified());
    EXPECT_EQ(theApp.m_version, "Version 3.0.1000");
    EXPECT_TRUE(theApp.m_programFolder.endsWith('/'));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(StartUp, NewFileSettingChoosesTheStartDocument) {
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(theApp.Documents().empty());
    theApp.OnFileNew();  // Ctrl+N does nothing either
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(StartUp, NewFileTwoWithEmptyRecentListStartsWithNoDocument) {
    SetSetting("NewFile", 2);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(StartUp, NewFileTwoOpensTheMostRecentFile) {
    SetSetting("NewFile", 2);
    WriteData("m/last.ext", "class X {};\r\n");
    registry.WriteString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Recent File List", "File1",
                         Path("m/last.ext").toStdString());
    ASSERT_TRUE(Start());
    auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->Kind(), DocKind::Description);
    EXPECT_EQ(docs[0]->GetTitle(), "last.ext");
}

TEST_F(StartUp, AFileOnTheCommandLineIsOpenedInsteadOfANewDocument) {
    WriteData("m/init.sqs", "hint \"hello\"\r\n");
    ASSERT_TRUE(Start({Path("m/init.sqs")}));
    auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->GetTitle(), "init.sqs");
    EXPECT_EQ(docs[0]->GetView()->GetText(), "hint \"hello\"\n");
}

TEST_F(StartUp, AFileOnTheCommandLineLoadsIntoAShownPaintedWindowWithItsProgress) {
    QByteArray text;
    for (int i = 0; i < 300; ++i) text += "hint " + QByteArray::number(i) + "\r\n";
    WriteData("m/big.sqs", text);
    struct Restore {
        ~Restore() { CScriptDoc::s_open = {}; }
    } restore;
    CScriptDoc::s_open.pieceBytes = 400;
    CScriptDoc::s_open.progressAfterMs = 0;  // as a load that takes long
    struct Seen {
        bool shown, exposed;
        QString status;
    };
    std::vector<Seen> seen;
    CScriptDoc::s_open.beforePiece = [&](std::uint64_t) {
        QWidget* main = Main();
        seen.push_back({main && main->isVisible(), main && main->windowHandle() && main->windowHandle()->isExposed(),
                        Main() ? Main()->statusBar()->currentMessage() : QString()});
    };
    ASSERT_TRUE(Start({Path("m/big.sqs")}));
    ASSERT_GE(seen.size(), 5u);
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.shown);
        EXPECT_TRUE(s.exposed);
    }
    EXPECT_EQ(seen[1].status, QString("Opening big.sqs... %1%").arg(400 * 100 / text.size()));
    EXPECT_EQ(Main()->statusBar()->currentMessage(), "Ready");
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(theApp.Documents()[0]->GetView()->GetText(), QString::fromLatin1(text).replace("\r\n", "\n"));
}

TEST_F(StartUp, AFileThatCannotBeOpenedEndsTheProgram) {
    EXPECT_FALSE(Start({Path("m/missing.sqs")}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Failed to open document."));
}

namespace {
// Looks at the modal wizard once it runs, then closes it.
struct ModalWizardProbe {
    QString caption;
    int editorAvailable = -1;
    bool createInEditorEnabled = true;
    void Arm() {
        QTimer::singleShot(0, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dlg = qobject_cast<CWizardDlg*>(modal)) {
                caption = dlg->windowTitle();
                editorAvailable = dlg->m_editorAvailable;
                for (auto* b : dlg->findChildren<QPushButton*>())
                    if (b->text() == "&Create In Editor") createInEditorEnabled = b->isEnabled();
            }
            // Whatever runs modally is closed, so a wrong dialog fails the test instead of hanging it.
            if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
        });
    }
};
}  // namespace

TEST_F(StartUp, WizardSwitchRunsTheWizardAloneAndEndsTheProgram) {
    ModalWizardProbe probe;
    probe.Arm();
    EXPECT_FALSE(Start({"/CRATE"}));
    EXPECT_EQ(probe.caption, "Crate Builder Wizard");
    EXPECT_EQ(probe.editorAvailable, 0);
    EXPECT_FALSE(probe.createInEditorEnabled);
    EXPECT_EQ(Main(), nullptr);
    EXPECT_TRUE(theApp.Documents().empty());
}

TEST_F(StartUp, WizardSwitchIgnoresAFileNamedAfterIt) {
    WriteData("m/init.sqs", "x");
    ModalWizardProbe probe;
    probe.Arm();
    EXPECT_FALSE(Start({"-unit", Path("m/init.sqs")}));
    EXPECT_EQ(probe.caption, "Custom Unit Wizard");
    EXPECT_EQ(Main(), nullptr);
}

TEST_F(StartUp, UnregisterSwitchGivesBackEachAssociatedTypeWithoutWritingSettings) {
    SetSetting("FirstRun", 0);
    SetSetting("RegSQS", 1);
    SetSetting("RegTXT", 1);
    registry.WriteString(Hive::ClassesRoot, ".sqs", "", "VarnholtScript.Document");
    registry.WriteString(Hive::ClassesRoot, ".sqs", "(Old Default)", "Other.sqs");
    registry.WriteString(Hive::ClassesRoot, ".sqs\\ShellNew", "NullFile", "");
    registry.WriteString(Hive::ClassesRoot, ".txt", "", "VarnholtText.Document");
    registry.WriteString(Hive::ClassesRoot, ".ext", "", "VarnholtDescription.Document");  // "RegEXT" is 0
    registry.ClearWriteLog();
    EXPECT_FALSE(Start({"-UnregFileTypes"}));
    for (const auto& w : registry.WriteLog()) EXPECT_EQ(w.find("Settings"), std::string::npos) << w;
    EXPECT_EQ(Setting("RegSQS"), 1);
    EXPECT_EQ(Setting("RegTXT"), 1);
    EXPECT_EQ(registry.GetString(Hive::ClassesRoot, ".sqs", "", ""), "Other.sqs");
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, ".sqs\\ShellNew"));
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, ".txt"));
    EXPECT_EQ(registry.GetString(Hive::ClassesRoot, ".ext", "", ""), "VarnholtDescription.Document");
    EXPECT_TRUE(Main() == nullptr || !Main()->isVisible());
}

TEST_F(StartUp, MissingDataFileShowsTheLoadErrorOnceAndKeepsRunning) {
    QFile::remove(Path("data/header.txt"));
    ASSERT_TRUE(Start());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              QString("There were some errors while loading the data files.\n"
                      "The application is not going to function properly.\n"
                      "Please reinstall the application or undo your latest\n"
                      "data file changes to repair.\n\n"
                      "Download the latest version at:\n") +
                  kDownloadAddress);
    EXPECT_EQ(prompter.messages[0].buttons, MbButtons::Ok);
    EXPECT_EQ(prompter.messages[0].icon, MbIcon::None);
    EXPECT_EQ(theApp.m_catalogue.m_commands.size(), 3u);
    EXPECT_TRUE(theApp.m_catalogue.m_scriptHeader.empty());
    // With an empty header the new script holds one line break and is not modified.
    auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->GetView()->GetText(), "\n");
    EXPECT_FALSE(docs[0]->IsModified());
}

TEST_F(StartUp, EditionSettingChoosesTheDataFolder) {
    SetSetting("Resistance", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(theApp.m_catalogue.m_commands, (StringList{"setDamage"}));
    EXPECT_EQ(theApp.m_catalogue.m_weapons, (StringList{"OldRifle"}));
    EXPECT_TRUE(QString::fromStdString(theApp.GetDataPath(PATH_UNIT)).endsWith("data/original/unit.txt"));
    EXPECT_TRUE(QString::fromStdString(theApp.GetDataPath(PATH_SYNTAX)).endsWith("data/syntax.txt"));
}

TEST_F(StartUp, CustomMenusSettingBoundsTheRecentFileList) {
    SetSetting("CustomMenus", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(theApp.m_recentFiles.Capacity(), 4u);
    theApp.ExitInstance();
    SetSetting("CustomMenus", 1);
    ASSERT_TRUE(Start());
    EXPECT_EQ(theApp.m_recentFiles.Capacity(), 16u);
}

TEST_F(StartUp, DroppedFilesAreOpened) {
    SetSetting("NewFile", 0);
    WriteData("m/a.sqf", "a");
    WriteData("m/b.csv", "b");
    ASSERT_TRUE(Start());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("m/a.sqf")), QUrl::fromLocalFile(Path("m/b.csv"))});
    EXPECT_TRUE(Main()->acceptDrops());
    Main()->OpenDroppedFiles(mime);
    auto docs = theApp.Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->Kind(), DocKind::StringTable);  // template order
    EXPECT_EQ(docs[1]->Kind(), DocKind::Function);
}

TEST_F(StartUp, AboutBoxShowsTheVersion) {
    ASSERT_TRUE(Start());
    CAboutDlg about(Main());
    EXPECT_EQ(about.VersionText(), "Version 3.0.1000");
    bool updated = false;
    for (auto* l : about.findChildren<QLabel*>()) updated |= l->text() == "Updated to Varnholt version 1.90";
    EXPECT_TRUE(updated);
}

TEST_F(StartUp, MissingHelpPageIsReported) {
    ASSERT_TRUE(Start());
    theApp.OnHelp();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("The help file \""));
    EXPECT_TRUE(prompter.messages[0].text.endsWith("quillmark.html\" cannot be opened."));
}
