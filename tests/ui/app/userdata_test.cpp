#include "support/appfixture.h"
#include "ui/app/aboutdlg.h"

using namespace qm;

namespace {
class UserDataFolder : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        m_oldXdg = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", Path("xdg").toLocal8Bit());
    }
    void TearDown() override {
        AppFixture::TearDown();
        qputenv("XDG_DATA_HOME", m_oldXdg);
    }
    QByteArray m_oldXdg;
};
}  // namespace

TEST_F(UserDataFolder, AnInstalledCopyReadsAndEditsTheUsersOwnFiles) {
    WriteData("quillmark.installed", "");
    WriteData("snippets/Loop.txt", "loop");
    ASSERT_TRUE(Start());
    const QString user = Path("xdg/quillmark/");
    EXPECT_TRUE(theApp.m_perUserData);
    EXPECT_EQ(theApp.m_dataFolder, user);
    EXPECT_EQ(QString::fromStdString(theApp.GetDataPath(PATH_COMMANDS)), user + "data/resistance/commands.txt");
    EXPECT_EQ(QString::fromStdString(theApp.GetDataPath(PATH_SNIPPETS)), user + "snippets/");
    EXPECT_EQ(ReadFile(user + "snippets/Loop.txt"), "loop");
    EXPECT_TRUE(theApp.m_catalogue.m_commands.size() == 3u);
    {
        CAboutDlg about(Main());
        EXPECT_EQ(about.DataFolderText(), "Data files, snippets and quick scripts (your own copy):\n" + user);
    }
    theApp.ExitInstance();

    // The user's edit survives a new start; the installed file is not touched.
    WriteData("xdg/quillmark/data/resistance/commands.txt", "hint\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(theApp.m_catalogue.m_commands.size(), 1u);
    EXPECT_EQ(ReadFile(Path("data/resistance/commands.txt")), "addWeapon\nsetDamage\nhint\n");
}

TEST_F(UserDataFolder, ACopyRunWhereItWasBuiltUsesItsOwnFolder) {
    ASSERT_TRUE(Start());
    EXPECT_FALSE(theApp.m_perUserData);
    EXPECT_EQ(theApp.m_dataFolder, Path("") + "/");
    CAboutDlg about(Main());
    EXPECT_EQ(about.DataFolderText(), "Data files, snippets and quick scripts:\n" + Path("") + "/");
    EXPECT_FALSE(QFileInfo::exists(Path("xdg")));
}
