#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLockFile;

namespace qm {

// One editor per user: a later start hands its file names to the running editor over a local
// socket and ends. Wizard runs, "-UnregFileTypes" and print requests never come here.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& socketPath, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The socket of this user's editors (see InstanceSocketPath).
    static QString DefaultSocketPath();

    // True when a running editor took the files (absolute paths); this start then ends. False
    // when this process is to be the editor: it then holds the start-up lock until Listen, so a
    // start at the same moment waits for it instead of becoming a second editor.
    bool HandOff(const QStringList& files);
    // Answers later starts from now on (a socket left by a crashed editor is replaced; any other
    // file there stays) and releases the start-up lock. False when the socket cannot be made or
    // its folder is not the user's alone; the editor then runs alone.
    bool Listen();
    QString SocketPath() const { return m_path; }

signals:
    // A later start asked for these files (possibly none: come to the front).
    void filesRequested(const QStringList& files);

private:
    void OnNewConnection();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_usable = false;  // the socket's folder is the user's alone
    QLocalServer* m_server = nullptr;
};

}  // namespace qm
