#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
// How long another process may take to start, answer or end on a busy machine.
constexpr int kProcessMs = 10000;

// Real starts of the program, offscreen, each test with its own socket, settings and data home,
// all inside one temporary folder removed at the end; every process is ended by the test.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteFile("a.sqs", "hint \"a\"\r\n");
        WriteFile("b.sqs", "hint \"b\"\r\n");
        WriteFile("c.ext", "class x {};\r\n");
    }
    void TearDown() override {
        for (QProcess* p : m_processes) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) p->kill();
                p->waitForFinished(3000);
            }
            delete p;
        }
    }
    QString Socket() const { return m_dir.filePath("run/s"); }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QProcess* Launch(const QStringList& args, const QString& config = "cfg") {
        auto* p = new QProcess;
        m_processes.push_back(p);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUILLMARK_INSTANCE_SOCKET", Socket());
        env.insert("QUILLMARK_CONFIG_DIR", m_dir.filePath(config));
        env.insert("XDG_DATA_HOME", m_dir.filePath("xdg"));
        env.insert("XDG_STATE_HOME", m_dir.filePath("state"));
        env.insert("XDG_RUNTIME_DIR", m_dir.filePath("run"));
        env.insert("WINEPREFIX", m_dir.filePath("nowine"));
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(m_dir.path());
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(QM_PROGRAM), args);
        return p;
    }
    // The files the editor with this settings folder has opened, most recent first.
    QStringList Recent(const QString& config = "cfg") const {
        QSettings s(m_dir.filePath(config + "/HKEY_CURRENT_USER.ini"), QSettings::IniFormat);
        QStringList files;
        for (int i = 1; i <= 16; ++i) {
            const QString f = s.value(QString("Software/Tarnwell/Quillmark/Recent File List/File%1").arg(i)).toString();
            if (!f.isEmpty()) files << f;
        }
        return files;
    }
    QProcess* StartFirstEditor(const QStringList& args) {
        QProcess* first = Launch(args);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Socket()); }, kProcessMs))
            << "the first editor never listened";
        return first;
    }

    QTemporaryDir m_dir;
    std::vector<QProcess*> m_processes;
};
}  // namespace

TEST_F(SingleInstance, ASecondStartHandsItsFilesToTheRunningEditor) {
    QProcess* first = StartFirstEditor({"a.sqs"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("a.sqs")); }, kProcessMs));

    // Relative names are the second start's, several files at once.
    QProcess* second = Launch({"b.sqs", m_dir.filePath("c.ext")}, "cfg2");
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recent().size() == 3; }, kProcessMs))
        << Recent().join('|').toStdString();
    EXPECT_TRUE(Recent().contains(m_dir.filePath("b.sqs")));
    EXPECT_TRUE(Recent().contains(m_dir.filePath("c.ext")));
    EXPECT_TRUE(Recent("cfg2").isEmpty());  // the second start never became an editor
    EXPECT_EQ(first->state(), QProcess::Running);

    // Closing the editor takes its socket away; the next start is the editor.
    first->terminate();
    ASSERT_TRUE(first->waitForFinished(5000));
}

TEST_F(SingleInstance, ASocketLeftByACrashIsRecovered) {
    // A bound socket nobody listens on any more, as a killed editor leaves it.
    QDir().mkpath(m_dir.filePath("run"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(Socket());
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(addr.sun_path));
    std::memcpy(addr.sun_path, path.constData(), path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(Socket()));

    QProcess* first = Launch({"a.sqs"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("a.sqs")); }, kProcessMs));
    QProcess* second = Launch({"b.sqs"}, "cfg2");
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("b.sqs")); }, kProcessMs));
    EXPECT_EQ(first->state(), QProcess::Running);

    // Killed outright, the editor leaves its socket again; the next editor takes over.
    first->kill();
    first->waitForFinished(5000);
    QProcess* third = Launch({"c.ext"}, "cfg3");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recent("cfg3").contains(m_dir.filePath("c.ext")); }, kProcessMs));
    EXPECT_EQ(third->state(), QProcess::Running);
}

TEST_F(SingleInstance, WizardSwitchesAndUnregisteringNeverAskTheRunningEditor) {
    // The test plays the running editor and notes every request that reaches it.
    QDir().mkpath(m_dir.filePath("run"));
    QLocalServer editor;
    ASSERT_TRUE(editor.listen(Socket()));
    QList<QByteArray> requests;
    QObject::connect(&editor, &QLocalServer::newConnection, [&] {
        QLocalSocket* s = editor.nextPendingConnection();
        QObject::connect(s, &QLocalSocket::readyRead, [s, &requests] {
            requests << s->readAll();
            if (requests.back().endsWith("a.sqs")) s->putChar('+');
        });
    });

    QProcess* unreg = Launch({"-UnregFileTypes"}, "cfg2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return unreg->state() == QProcess::NotRunning; }, kProcessMs));
    QProcess* crate = Launch({"/CRATE", "a.sqs"}, "cfg3");
    QTest::qWait(300);  // the wizard stays open on its own instead of handing off and ending
    EXPECT_EQ(crate->state(), QProcess::Running);
    EXPECT_TRUE(requests.isEmpty());

    QProcess* open = Launch({"a.sqs"}, "cfg4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return open->state() == QProcess::NotRunning; }, kProcessMs));
    EXPECT_EQ(open->exitCode(), 0);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0], "QUILLMARK-OPEN 1\n1\n" + QByteArray::number(m_dir.filePath("a.sqs").toUtf8().size()) +
                               "\n" + m_dir.filePath("a.sqs").toUtf8());
    EXPECT_TRUE(Recent("cfg4").isEmpty());
}
