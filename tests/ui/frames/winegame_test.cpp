#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>

#include "support/appfixture.h"
#include "support/menutexts.h"
#include "ui/frames/commandids.h"

using namespace qm;

namespace {
// A game installed in a Wine prefix the test makes, and a "wine" on PATH that notes how it was
// started instead of running anything.
class WineGame : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        m_oldPath = qgetenv("PATH");
        m_oldPrefix = qgetenv("WINEPREFIX");
        WriteData("pfx/system.reg",
                  "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
                  "[Software\\\\Wow6432Node\\\\Pellgrave\\\\Varnholt] 1700000000\n"
                  "\"MAIN\"=\"C:\\\\Program Files (x86)\\\\Varnholt\"\n");
        WriteData("pfx/user.reg",
                  "WINE REGISTRY Version 2\n\n[Software\\\\Pellgrave\\\\Varnholt] 1700000000\n"
                  "\"Player Name\"=\"Kell\"\n");
        WriteData("pfx/drive_c/Program Files (x86)/Varnholt/Users/Kell/Missions/m1.sqs", "hint \"m\"\n");
        WriteData("bin/wine", "#!/bin/sh\nout=\"$(dirname \"$0\")/wine\"\n"
                              "echo \"$PWD|$WINEPREFIX|$*\" > \"$out.tmp\" && mv \"$out.tmp\" \"$out.txt\"\n");
        QFile::setPermissions(Path("bin/wine"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (Path("bin") + ":" + QString::fromLocal8Bit(m_oldPath)).toLocal8Bit());
        qputenv("WINEPREFIX", Path("pfx").toLocal8Bit());
    }
    void TearDown() override {
        AppFixture::TearDown();
        qputenv("PATH", m_oldPath);
        qputenv("WINEPREFIX", m_oldPrefix);
    }
    QString Game() const { return Path("pfx/drive_c/Program Files (x86)/Varnholt"); }

    QByteArray m_oldPath, m_oldPrefix;
};
}  // namespace

TEST_F(WineGame, RunStartsTheGameThroughWineInItsFolder) {
    SetSetting("Window", 1);
    ASSERT_TRUE(Start());
    Main()->Action(ID_RUN_GAME)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Path("bin/wine.txt")); }));
    const QString prefix = Path("pfx") + "/";
    EXPECT_EQ(QString::fromUtf8(ReadFile(Path("bin/wine.txt")).trimmed()),
              QDir(Game()).canonicalPath() + "|" + prefix + "|" + Game() + "/VarnholtResistance.exe -nosplash -window");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WineGame, MissionFoldersOfThePlayerFoundInThePrefix) {
    SetSetting("NewFile", 0);
    SetSetting("ShowUsers", 1);
    ASSERT_TRUE(Start());
    const QStringList texts = MenuTexts(Main()->PopupMenu("File (no document)"));
    EXPECT_TRUE(texts.contains("Open Kell's Missions...")) << texts.join('|').toStdString();

    prompter.fileNames.push_back(Game() + "/Users/Kell/Missions/m1.sqs");
    Main()->Action(ID_OPEN_MISSIONS)->trigger();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].initialFolder, Game() + "/Users/Kell/Missions/");
    EXPECT_EQ(theApp.Documents().size(), 1u);
}

TEST_F(WineGame, OurOwnRegistryComesFirstAndAMissingPrefixFindsNothing) {
    registry.WriteString(Hive::LocalMachine, "Software\\Pellgrave\\Varnholt", "MAIN", Path("native").toStdString());
    registry.WriteString(Hive::CurrentUser, "Software\\Pellgrave\\Varnholt", "Player Name", "Own");
    ASSERT_TRUE(Start());
    prompter.fileNames.clear();
    Main()->Action(ID_OPEN_MISSIONS)->trigger();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].initialFolder, Path("native") + "/Users/Own/Missions/");
    theApp.ExitInstance();

    registry.DeleteKeyTree(Hive::LocalMachine, "Software\\Pellgrave");
    registry.DeleteKeyTree(Hive::CurrentUser, "Software\\Pellgrave");
    qputenv("WINEPREFIX", Path("no-such-prefix").toLocal8Bit());
    SetSetting("ShowUsers", 1);
    ASSERT_TRUE(Start());
    for (const QString& text : MenuTexts(Main()->PopupMenu("File (no document)")))
        EXPECT_FALSE(text.contains("Missions")) << text.toStdString();
}

TEST_F(WineGame, APlayerNameWithPathCharactersLeadsNoDialogOutOfThePrefix) {
    WriteData("pfx/user.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Pellgrave\\\\Varnholt] 1700000000\n"
                              "\"Player Name\"=\"../../../../../..\"\n");
    SetSetting("NewFile", 0);
    SetSetting("ShowUsers", 1);
    ASSERT_TRUE(Start());
    for (const QString& text : MenuTexts(Main()->PopupMenu("File (no document)")))
        EXPECT_FALSE(text.contains("Missions")) << text.toStdString();
    // Reached anyway (a shortcut), the dialog does not start outside the prefix.
    prompter.fileNames.clear();
    Main()->Action(ID_OPEN_MISSIONS)->trigger();
    ASSERT_EQ(prompter.requests.size(), 1u);
    const QString start = QDir::cleanPath(prompter.requests[0].initialFolder);
    EXPECT_TRUE(start.isEmpty() || start.startsWith(Path("pfx") + "/")) << start.toStdString();
}
