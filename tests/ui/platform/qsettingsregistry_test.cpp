#include "platform/qsettingsregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/resource.h>

#include <csignal>
#endif

#include "core/app/appprofile.h"

using namespace qm;

TEST(QSettingsRegistry, ValuesSurviveANewInstance) {
    QTemporaryDir dir;
    {
        QSettingsRegistry r(dir.path());
        AppProfile p(r);
        EXPECT_TRUE(p.WriteProfileInt("Settings", "WinX", -12));
        EXPECT_TRUE(p.WriteProfileString("Settings", "Font", "Courier New"));
        EXPECT_TRUE(p.WriteProfileString("Settings", "Looks Numeric", "42"));
        EXPECT_TRUE(p.WriteProfileString("Recent File List", "File1", "/m/a b\\c.sqs"));
        EXPECT_TRUE(r.WriteString(Hive::ClassesRoot, ".sqs", "", "VarnholtScript.Document"));
    }
    QSettingsRegistry r(dir.path());
    AppProfile p(r);
    EXPECT_EQ(p.GetProfileInt("Settings", "WinX", 0), -12);
    EXPECT_EQ(p.GetProfileString("Settings", "Font"), "Courier New");
    EXPECT_EQ(p.GetProfileInt("Settings", "Looks Numeric", -1), -1);  // a string stays a string
    EXPECT_EQ(p.GetProfileString("Settings", "Looks Numeric"), "42");
    EXPECT_EQ(p.GetProfileString("Settings", "WinX", "none"), "none");
    EXPECT_EQ(p.GetProfileString("Recent File List", "File1"), "/m/a b\\c.sqs");
    EXPECT_EQ(r.GetString(Hive::ClassesRoot, ".sqs", "", ""), "VarnholtScript.Document");
    EXPECT_EQ(r.GetString(Hive::CurrentUser, ".sqs", "", "none"), "none");
    EXPECT_TRUE(QFile::exists(dir.filePath("HKEY_CURRENT_USER.ini")));
}

TEST(QSettingsRegistry, DeletesValuesAndTrees) {
    QTemporaryDir dir;
    QSettingsRegistry r(dir.path());
    r.WriteString(Hive::ClassesRoot, "VarnholtScript.Document\\shell\\open\\command", "", "q %1");
    r.WriteString(Hive::ClassesRoot, "VarnholtScript.Document", "", "Varnholt Script File");
    EXPECT_TRUE(r.KeyExists(Hive::ClassesRoot, "VarnholtScript.Document\\shell"));
    EXPECT_TRUE(r.DeleteKeyTree(Hive::ClassesRoot, "VarnholtScript.Document"));
    EXPECT_FALSE(r.KeyExists(Hive::ClassesRoot, "VarnholtScript.Document"));
    r.WriteInt(Hive::CurrentUser, "Software\\X", "V", 1);
    EXPECT_TRUE(r.DeleteValue(Hive::CurrentUser, "Software\\X", "V"));
    EXPECT_FALSE(r.DeleteValue(Hive::CurrentUser, "Software\\X", "V"));
}

TEST(QSettingsRegistry, ABatchStoresItsWritesInTheFileAtItsEnd) {
    QTemporaryDir dir;
    QSettingsRegistry r(dir.path());
    const auto file = [&] {
        QFile f(r.FileOf(Hive::CurrentUser));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    r.WriteInt(Hive::CurrentUser, "Software\\X", "Alone", 1);
    EXPECT_TRUE(file().contains("Alone=")) << "a write outside a batch is stored at once";
    r.BeginBatch();
    r.WriteInt(Hive::CurrentUser, "Software\\X", "First", 1);
    r.BeginBatch();  // a batch inside a batch ends with the outer one
    r.WriteString(Hive::CurrentUser, "Software\\X", "Second", "two");
    EXPECT_TRUE(r.EndBatch());
    EXPECT_FALSE(file().contains("First="));
    EXPECT_FALSE(file().contains("Second="));
    EXPECT_TRUE(r.EndBatch());
    EXPECT_TRUE(file().contains("First="));
    EXPECT_TRUE(file().contains("Second=two"));
}

TEST(QSettingsRegistry, DamagedFileReadsAsDefaults) {
    QTemporaryDir dir;
    QFile f(dir.filePath("HKEY_CURRENT_USER.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x00\xff[[[garbage\n=\n[Software]\nTarnwell\\Quillmark\\Settings\\WinX=dword:notanumber\n", 60);
    f.close();
    QSettingsRegistry r(dir.path());
    AppProfile p(r);
    EXPECT_EQ(p.GetProfileInt("Settings", "WinX", 5), 5);
    EXPECT_EQ(p.GetProfileString("Settings", "Font", "d"), "d");
}

#ifndef Q_OS_WIN
namespace {
// While it lives, writing file contents fails as on a full disk (even for the superuser);
// renames and removals still work.
class FullDisk {
public:
    FullDisk() : m_handler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_limit);
        rlimit none = m_limit;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_limit{};
    void (*m_handler)(int);
};

std::string ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "(missing)";
}

bool WriteAll(const QString& path, const std::string& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes.data(), static_cast<qint64>(bytes.size())) == qint64(bytes.size());
}
}  // namespace

TEST(QSettingsRegistry, ADamagedFileKeptBesideOutlivesFailedSavesWhichAreNotReportedOnceSavingWorks) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("HKEY_CURRENT_USER.ini");
    const std::string damaged("[[[garbage\n=\n[Software]\nTarnwell\\Quillmark\\Settings\\WinX=dword:8\n");
    ASSERT_TRUE(WriteAll(ini, damaged));
    QSettingsRegistry r(dir.path());
    AppProfile p(r);
    EXPECT_EQ(p.GetProfileInt("Settings", "WinX", 5), 5);
    {
        FullDisk full;
        EXPECT_FALSE(p.WriteProfileInt("Settings", "WinX", 1));  // the damaged file went aside when read; the write fails
        EXPECT_FALSE(p.WriteProfileInt("Settings", "WinY", 2));
        p.DeleteEntry("Settings", "WinX");
    }
    EXPECT_EQ(ReadAll(ini + ".damaged"), damaged);
    // Neither the damaged file nor the failed writes make a save that works report failure.
    EXPECT_TRUE(p.WriteProfileInt("Settings", "WinZ", 3));
    EXPECT_EQ(ReadAll(ini + ".damaged"), damaged);

    QSettingsRegistry back(dir.path());
    AppProfile b(back);
    EXPECT_EQ(b.GetProfileInt("Settings", "WinX", 0), 0);
    EXPECT_EQ(b.GetProfileInt("Settings", "WinY", 0), 2);
    EXPECT_EQ(b.GetProfileInt("Settings", "WinZ", 0), 3);
}

TEST(QSettingsRegistry, AFileWithOneUnreadableGroupLineIsKeptWholeThroughEventsSavesAndClosing) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("HKEY_CURRENT_USER.ini");
    const std::string damaged =
        "[Software\n[Software]\nTarnwell\\Quillmark\\Settings\\WinX=dword:8\n"
        "Tarnwell\\Quillmark\\Recent%20File%20List\\File1=/m/a.sqs\n";
    ASSERT_TRUE(WriteAll(ini, damaged));
    {
        QSettingsRegistry r(dir.path());
        AppProfile p(r);
        EXPECT_EQ(p.GetProfileInt("Settings", "WinX", 5), 5);
        // QSettings writes pending changes from the event loop on its own.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const std::string kept = QFile::exists(ini + ".damaged") ? ReadAll(ini + ".damaged") : ReadAll(ini);
        EXPECT_EQ(kept, damaged);
        EXPECT_TRUE(p.WriteProfileInt("Settings", "WinY", 2));
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_EQ(ReadAll(ini + ".damaged"), damaged);
    QSettingsRegistry back(dir.path());
    AppProfile b(back);
    EXPECT_EQ(b.GetProfileInt("Settings", "WinY", 0), 2);
}
#endif

TEST(QSettingsRegistry, EnvironmentRedirectsTheConfigFolder) {
    QTemporaryDir dir;
    qputenv("QUILLMARK_CONFIG_DIR", dir.path().toLocal8Bit());
    EXPECT_EQ(QSettingsRegistry::DefaultConfigFolder(), dir.path());
    qunsetenv("QUILLMARK_CONFIG_DIR");
    EXPECT_TRUE(QSettingsRegistry::DefaultConfigFolder().endsWith("/Tarnwell"));
}
