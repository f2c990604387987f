#pragma once
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

namespace qm {

class CScriptDoc;

// Watches the files of open documents and their folders (a program that saves by writing a new
// file and renaming it over the old one replaces the file, which only the folder sees). Changes
// come in bursts while another program writes, so documents are asked to look at their file once
// the burst is over.
class CDiskWatcher : public QObject {
    Q_OBJECT
public:
    CDiskWatcher();

    // Follows the document's current path (none for an untitled one).
    void Watch(CScriptDoc* doc);
    void Unwatch(CScriptDoc* doc);

    static int s_settleMs;

private:
    void OnPathChanged(const QString& path);
    void CheckPending();
    void Drop(CScriptDoc* doc);

    QFileSystemWatcher m_watcher;
    QHash<CScriptDoc*, QString> m_paths;  // each document's watched file
    QList<QPointer<CScriptDoc>> m_pending;
    QSet<CScriptDoc*> m_connected;
    QTimer m_settle;
};

}  // namespace qm
