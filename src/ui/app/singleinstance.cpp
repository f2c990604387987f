#include "ui/app/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

#include "core/app/instancemessage.h"

namespace qm {

namespace {
constexpr int kLockWaitMs = 10000;     // a start-up in progress (data files, main window)
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
constexpr qint64 kMaxRequestBytes = 4 << 20;

std::optional<std::string> Env(const char* name) {
    if (!qEnvironmentVariableIsSet(name)) return std::nullopt;
    return qEnvironmentVariable(name).toStdString();
}

// Someone else's socket under our name is never talked to: it could read our file names.
bool OwnedByUs(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.ownerId() == static_cast<uint>(::getuid());
}

// Only a socket left by an editor is ever removed: a file of any other kind at that name is not
// ours to delete.
bool IsSocket(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool SomeoneAnswers(const QString& path) {
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(kConnectMs);
}
}  // namespace

CSingleInstance::CSingleInstance(const QString& socketPath, QObject* parent) : QObject(parent), m_path(socketPath) {}

CSingleInstance::~CSingleInstance() {
    if (m_server) m_server->close();  // removes the socket file
}

QString CSingleInstance::DefaultSocketPath() {
    return QString::fromStdString(InstanceSocketPath(Env("QUILLMARK_INSTANCE_SOCKET"), Env("XDG_RUNTIME_DIR"),
                                                     static_cast<unsigned>(::getuid())));
}

bool CSingleInstance::HandOff(const QStringList& files) {
    // In a folder others may write to, another user's file could stand for our lock or socket.
    const QString folder = QFileInfo(m_path).absolutePath();
    QDir().mkpath(QFileInfo(folder).absolutePath());
    m_usable = MakeUserOnlyFolder(QFile::encodeName(folder).toStdString(), static_cast<unsigned>(::getuid()));
    if (!m_usable) return false;
    m_lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);  // only a dead holder makes it stale, never its age
    if (!m_lock->tryLock(kLockWaitMs)) m_lock.reset();  // a start-up that hangs: go on alone

    if (!OwnedByUs(m_path)) return false;
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(kConnectMs)) return false;

    std::vector<std::string> paths;
    for (const auto& f : files) paths.push_back(f.toStdString());
    const std::string request = EncodeOpenRequest(paths, QDir::currentPath().toStdString());
    socket.write(request.data(), static_cast<qint64>(request.size()));
    if (!socket.waitForBytesWritten(kAnswerMs)) return false;
    // The editor answers once it has the request, before it opens anything.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerMs)) return false;
    char answer = 0;
    socket.getChar(&answer);
    if (answer != kOpenRequestTaken) return false;
    m_lock.reset();
    return true;
}

bool CSingleInstance::Listen() {
    if (!m_usable || !OwnedByUs(m_path)) {
        m_lock.reset();
        return false;
    }
    // Qt makes the socket under another name and renames it into place, which would replace any
    // file there: only a socket nobody answers on (HandOff found none), left by a crash, goes.
    struct stat st {};
    if (::lstat(QFile::encodeName(m_path).constData(), &st) == 0) {
        if (!IsSocket(m_path) || SomeoneAnswers(m_path)) {
            m_lock.reset();
            return false;
        }
        QLocalServer::removeServer(m_path);
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const bool ok = m_server->listen(m_path);
    if (ok) connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    m_lock.reset();
    return ok;
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto* buffer = new QByteArray;
        connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A peer that never finishes its request is dropped.
        QTimer::singleShot(kAnswerMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            OpenRequest request;
            const DecodeResult r = buffer->size() > kMaxRequestBytes
                                       ? DecodeResult::Invalid
                                       : DecodeOpenRequest(std::string_view(buffer->constData(), buffer->size()), request);
            if (r == DecodeResult::Incomplete) return;
            if (r == DecodeResult::Invalid) {
                socket->abort();
                return;
            }
            socket->putChar(kOpenRequestTaken);
            socket->flush();
            socket->disconnectFromServer();
            QStringList list;
            for (const auto& f : RequestedPaths(request)) list << QString::fromStdString(f);
            // Opening may ask questions; the sender has its answer already.
            QTimer::singleShot(0, this, [this, list] { emit filesRequested(list); });
        });
    }
}

}  // namespace qm
