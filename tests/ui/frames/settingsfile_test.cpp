#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <functional>

#include "platform/qsettingsregistry.h"
#include "support/appfixture.h"

using namespace qm;

namespace {
// The settings files, counting how the writes come: a write outside a batch stores its file at
// once, a batch stores it once at its end.
class CountingRegistry : public QSettingsRegistry {
public:
    using QSettingsRegistry::QSettingsRegistry;
    bool WriteInt(Hive hive, const std::string& key, const std::string& name, int value) override {
        Wrote();
        return QSettingsRegistry::WriteInt(hive, key, name, value);
    }
    bool WriteString(Hive hive, const std::string& key, const std::string& name, const std::string& value) override {
        Wrote();
        return QSettingsRegistry::WriteString(hive, key, name, value);
    }
    bool DeleteValue(Hive hive, const std::string& key, const std::string& name) override {
        Wrote();
        return QSettingsRegistry::DeleteValue(hive, key, name);
    }
    bool DeleteKeyTree(Hive hive, const std::string& key) override {
        Wrote();
        return QSettingsRegistry::DeleteKeyTree(hive, key);
    }
    void BeginBatch() override {
        ++m_depth;
        QSettingsRegistry::BeginBatch();
    }
    bool EndBatch() override {
        if (m_depth > 0 && --m_depth == 0) ++batches;
        return QSettingsRegistry::EndBatch();
    }
    void Reset() { writes = unbatchedWrites = batches = 0; }

    int writes = 0;           // values written or deleted
    int unbatchedWrites = 0;  // of those, the ones outside any batch
    int batches = 0;          // outermost batches ended

private:
    void Wrote() {
        ++writes;
        if (m_depth == 0) ++unbatchedWrites;
    }
    int m_depth = 0;
};

// The program against real INI files in a folder of its own.
class SettingsFile : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        theApp.m_registry = &registry;
    }
    QString Ini() const { return m_config.filePath("HKEY_CURRENT_USER.ini"); }
    void WriteIni(const QByteArray& bytes) {
        QFile f(Ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadIni() const { return ReadFile(Ini()); }
    // Starts the program on the folder's settings and closes it as the user would.
    void RunAndClose(const std::function<void()>& whileOpen = {}) {
        QSettingsRegistry settings(m_config.path());
        theApp.m_registry = &settings;
        ASSERT_TRUE(Start());
        if (whileOpen) whileOpen();
        EXPECT_TRUE(Main()->close());
        theApp.ExitInstance();
        Settle();
        theApp.m_registry = &registry;
    }

    QTemporaryDir m_config;
};
}  // namespace

TEST_F(SettingsFile, TheSettingsAreWrittenInOneBatchAtClose) {
    WriteIni("[Software]\nTarnwell\\Quillmark\\Notes\\Entry1=" + QByteArray(80, 'n') + "\n");
    CountingRegistry settings(m_config.path());
    theApp.m_registry = &settings;
    ASSERT_TRUE(Start());
    Main()->m_fontSize = 16;
    settings.Reset();
    EXPECT_TRUE(Main()->close());
    // Every value in one batch, so the file is written once and not once per value.
    EXPECT_GT(settings.writes, 20);
    EXPECT_EQ(settings.unbatchedWrites, 0);
    EXPECT_EQ(settings.batches, 1);
    theApp.ExitInstance();
    theApp.m_registry = &registry;

    QSettingsRegistry back(m_config.path());
    EXPECT_EQ(back.GetInt(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "FontSize", 0), 16);
    EXPECT_EQ(back.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Project Files", "File15", "x"), "");
    EXPECT_EQ(back.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Notes", "Entry1", ""),
              std::string(80, 'n'));
}

TEST_F(SettingsFile, OutOfRangeValuesStartWithDefaultsAndAreWrittenBack) {
    WriteIni("[Software]\nTarnwell\\Quillmark\\Settings\\FontSize=dword:2147483647\n"
             "Tarnwell\\Quillmark\\Settings\\MRUs=dword:-4\nTarnwell\\Quillmark\\Settings\\NewFile=dword:9\n"
             "Tarnwell\\Quillmark\\Settings\\Resistance=dword:3\nTarnwell\\Quillmark\\Settings\\ComColor=dword:-1\n"
             "Tarnwell\\Quillmark\\Settings\\WinX=dword:30000\nTarnwell\\Quillmark\\Settings\\WinY=dword:30000\n");
    RunAndClose([this] {
        EXPECT_EQ(Main()->m_fontSize, 10);
        EXPECT_GT(Main()->m_editorFont.pixelSize(), 5);
        EXPECT_LT(Main()->m_editorFont.pixelSize(), 40);
        EXPECT_EQ(Main()->m_mrus, 6);
        EXPECT_EQ(theApp.m_newFileMode, 1);
        EXPECT_EQ(theApp.Documents().size(), 1u);  // the default: a new script
        EXPECT_EQ(theApp.m_expansionEdition, 1);
        EXPECT_EQ(Main()->m_commandColour, 0x0000FF);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(Main()->frameGeometry()));
    });
    QSettingsRegistry back(m_config.path());
    AppProfile p(back);
    EXPECT_EQ(p.GetProfileInt("Settings", "FontSize", 0), 10);
    EXPECT_EQ(p.GetProfileInt("Settings", "MRUs", 0), 6);
    EXPECT_EQ(p.GetProfileInt("Settings", "NewFile", 0), 1);
    EXPECT_EQ(p.GetProfileInt("Settings", "Resistance", 0), 1);
    EXPECT_EQ(p.GetProfileInt("Settings", "ComColor", 0), 0x0000FF);
    EXPECT_LT(p.GetProfileInt("Settings", "WinX", 30000), 30000);
}

TEST_F(SettingsFile, ADamagedFileIsKeptBesideAndLeavesNoJunkBehind) {
    const QByteArray damaged("[[[garbage\x00\xff\n=\njunk line without equals\n[Software]\n"
                             "Tarnwell\\Quillmark\\Settings\\WinX=dword:notanumber\n",
                             90);
    WriteIni(damaged);
    RunAndClose();
    const QByteArray after = ReadIni();
    EXPECT_TRUE(after.contains("FontSize=dword:10")) << after.constData();
    EXPECT_FALSE(after.contains("garbage"));
    EXPECT_FALSE(after.contains("junk"));
    EXPECT_FALSE(after.contains("notanumber"));
    EXPECT_EQ(ReadFile(Ini() + ".damaged"), damaged);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.Texts().join(" | ").toStdString();  // saved: nothing to report
}

TEST_F(SettingsFile, ASettingsFileThatCannotBeWrittenIsReportedOnceAtClose) {
    ASSERT_TRUE(QDir().mkdir(Ini()));  // a folder where the file should be
    QSettingsRegistry settings(m_config.path());
    theApp.m_registry = &settings;
    ASSERT_TRUE(Start());
    theApp.Documents()[0]->SetModifiedFlag(true);
    prompter.answers = {IDOK, IDCANCEL};  // the report, then "Save changes?": this close is cancelled
    EXPECT_FALSE(Main()->close());
    prompter.answers = {IDNO};
    EXPECT_TRUE(Main()->close());
    theApp.ExitInstance();
    theApp.m_registry = &registry;
    int reports = 0;
    for (const auto& m : prompter.messages)
        if (m.text.contains("cannot be written") && m.text.contains(QDir::toNativeSeparators(Ini()))) ++reports;
    EXPECT_EQ(reports, 1) << prompter.Texts().join(" | ").toStdString();
}
