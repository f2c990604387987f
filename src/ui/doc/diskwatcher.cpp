#include "ui/doc/diskwatcher.h"

#include <QFileInfo>

#include "ui/doc/scriptdoc.h"

namespace qm {

int CDiskWatcher::s_settleMs = 200;

CDiskWatcher::CDiskWatcher() {
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &CDiskWatcher::CheckPending);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CDiskWatcher::OnPathChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CDiskWatcher::OnPathChanged);
}

void CDiskWatcher::Watch(CScriptDoc* doc) {
    Drop(doc);
    const QString path = doc->GetPathName();
    if (path.isEmpty()) return;
    m_paths.insert(doc, path);
    if (!m_connected.contains(doc)) {
        m_connected.insert(doc);
        connect(doc, &QObject::destroyed, this, [this, doc] {
            Drop(doc);
            m_connected.remove(doc);
        });
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!m_watcher.directories().contains(folder)) m_watcher.addPath(folder);
    if (QFileInfo::exists(path) && !m_watcher.files().contains(path)) m_watcher.addPath(path);
}

void CDiskWatcher::Unwatch(CScriptDoc* doc) { Drop(doc); }

void CDiskWatcher::Drop(CScriptDoc* doc) {
    const auto it = m_paths.find(doc);
    if (it == m_paths.end()) return;
    const QString path = it.value();
    m_paths.erase(it);
    const QString folder = QFileInfo(path).absolutePath();
    bool fileUsed = false, folderUsed = false;
    for (const QString& other : std::as_const(m_paths)) {
        fileUsed |= other == path;
        folderUsed |= QFileInfo(other).absolutePath() == folder;
    }
    if (!fileUsed) m_watcher.removePath(path);
    if (!folderUsed) m_watcher.removePath(folder);
}

void CDiskWatcher::OnPathChanged(const QString& changed) {
    for (auto it = m_paths.cbegin(); it != m_paths.cend(); ++it) {
        if (it.value() != changed && QFileInfo(it.value()).absolutePath() != changed) continue;
        if (!m_pending.contains(it.key())) m_pending.append(it.key());
    }
    if (!m_pending.isEmpty()) m_settle.start(s_settleMs);
}

void CDiskWatcher::CheckPending() {
    const auto pending = m_pending;
    m_pending.clear();
    for (const QPointer<CScriptDoc>& doc : pending) {
        if (!doc || !m_paths.contains(doc.data())) continue;
        const QString path = m_paths.value(doc.data());
        // A file replaced by a rename is a new file: its watch has to be set again.
        if (QFileInfo::exists(path) && !m_watcher.files().contains(path)) m_watcher.addPath(path);
        doc->CheckDiskFile();
    }
}

}  // namespace qm
