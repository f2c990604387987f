#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QElapsedTimer>
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
    QProcess* Launch(const QStringList& args, const QString& config = "cfg", const QString& platform = "offscreen") {
        auto* p = new QProcess;
        m_processes.push_back(p);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", platform);
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
    const QByteArray folder = QDir(m_dir.path()).canonicalPath().toUtf8(), file = m_dir.filePath("a.sqs").toUtf8();
    EXPECT_EQ(requests[0], "QUILLMARK-OPEN 2\n" + QByteArray::number(folder.size()) + "\n" + folder + "1\n" +
                               QByteArray::number(file.size()) + "\n" + file);
    EXPECT_TRUE(Recent("cfg4").isEmpty());
}

TEST_F(SingleInstance, RelativeNamesInARequestAreTheSendersAndNoOtherFileAtTheSocketIsReplaced) {
    // Whatever stands at the socket's name and is not a socket belongs to someone: it stays.
    QDir().mkpath(m_dir.filePath("run"));
    WriteFile("run/s", "notes kept here\n");
    QProcess* alone = Launch({"a.sqs"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("a.sqs")); }, kProcessMs));
    QFile kept(Socket());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "notes kept here\n");
    alone->terminate();
    ASSERT_TRUE(alone->waitForFinished(5000));
    QFile::remove(Socket());

    // The editor was started in m_dir; the sender meant "b.sqs" in its own folder.
    QDir().mkpath(m_dir.filePath("other"));
    WriteFile("other/b.sqs", "hint \"other b\"\r\n");
    StartFirstEditor({"a.sqs"});
    const auto send = [&](const QByteArray& request) {
        QLocalSocket client;
        client.connectToServer(Socket());
        ASSERT_TRUE(client.waitForConnected(kProcessMs));
        client.write(request);
        ASSERT_TRUE(client.waitForReadyRead(kProcessMs));
        EXPECT_EQ(client.readAll(), "+");
    };
    const QByteArray other = m_dir.filePath("other").toUtf8();
    send("QUILLMARK-OPEN 2\n" + QByteArray::number(other.size()) + "\n" + other + "1\n5\nb.sqs");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("other/b.sqs")); }, kProcessMs))
        << Recent().join('|').toStdString();
    // The older form names no folder: its relative names are not guessed at, its absolute ones open.
    const QByteArray c = m_dir.filePath("c.ext").toUtf8();
    send("QUILLMARK-OPEN 1\n2\n5\nb.sqs" + QByteArray::number(c.size()) + "\n" + c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("c.ext")); }, kProcessMs));
    EXPECT_FALSE(Recent().contains(m_dir.filePath("b.sqs")));
}

TEST_F(SingleInstance, ALockInAFolderOthersMayWriteToDelaysNoStart) {
    // Another user's live lock where anyone may write (as in /tmp) must not hold the start up.
    QDir().mkpath(m_dir.filePath("run"));
    QFile::setPermissions(m_dir.filePath("run"), QFileDevice::Permissions(0x7777));
    QLockFile planted(Socket() + ".lock");
    ASSERT_TRUE(planted.tryLock(0));
    QElapsedTimer clock;
    clock.start();
    Launch({"a.sqs"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recent().contains(m_dir.filePath("a.sqs")); }, kProcessMs));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(QFile::exists(Socket()));  // alone, as the folder is not the user's own
}

TEST_F(SingleInstance, HelpAndVersionAnswerAloneWithoutDisplayOrSettings) {
    QDir().mkpath(m_dir.filePath("run"));
    QLocalServer editor;
    ASSERT_TRUE(editor.listen(Socket()));
    int requests = 0;
    QObject::connect(&editor, &QLocalServer::newConnection, [&] { ++requests; });

    // No platform the program could open a window on: a QApplication would end it with an error.
    for (const auto& [args, expected] :
         {std::pair{QStringList{"a.sqs", "--help"}, QByteArray("Usage: quillmark [FILE]...\n")},
          std::pair{QStringList{"--version", "-unit"}, QByteArray("Quillmark 3.0.1000\n")}}) {
        QProcess* p = Launch(args, "cfg", "no-such-platform");
        ASSERT_TRUE(p->waitForFinished(kProcessMs));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0) << args.join(' ').toStdString();
        const QByteArray out = p->readAllStandardOutput();
        EXPECT_TRUE(args.contains("--help") ? out.startsWith(expected) : out == expected) << out.toStdString();
    }
    QTest::qWait(100);
    EXPECT_EQ(requests, 0);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("cfg")));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("xdg")));
}
