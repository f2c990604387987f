// Start-up of the recovery journal and the offer of work an earlier process left unsaved.
#include <QDateTime>
#include <QFileInfo>
#include <QStatusBar>
#include <cstdio>

#include "core/app/safefile.h"
#include "core/doc/dockinds.h"
#include "core/doc/recoveryfile.h"
#include "ui/app/doctemplate.h"
#include "ui/app/quillmark.h"
#include "ui/app/recoverydlg.h"
#include "ui/doc/diskwatcher.h"
#include "ui/doc/recoveryjournal.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/mainfrm.h"

namespace qm {

namespace {
void Warn(CMainFrame* main, const QString& text) {
    if (main && main->statusBar()) main->statusBar()->showMessage(text);
}
}  // namespace

void CQuillmarkApp::StartJournal() {
    m_diskWatcher = std::make_unique<CDiskWatcher>();
    if (m_recoveryFolder.isEmpty()) return;
    m_journal = std::make_unique<CRecoveryJournal>();
    QString error;
    if (!m_journal->Start(m_recoveryFolder, error)) {
        Warn(m_pMainWnd, QStringLiteral("Unsaved work is not kept for recovery: ") + error);
        m_journal.reset();
        return;
    }
    // One warning while copies fail (a full disk, a folder made read-only); editing goes on, and
    // each document tries again later.
    QObject::connect(m_journal.get(), &CRecoveryJournal::Finished, m_journal.get(),
                     [this](const QString&, bool ok, const QString& why) {
                         if (ok || m_journal->m_warned) {
                             m_journal->m_warned = !ok && m_journal->m_warned;
                             return;
                         }
                         m_journal->m_warned = true;
                         Warn(m_pMainWnd, QStringLiteral("Unsaved work cannot be kept for recovery: ") + why +
                                              QStringLiteral(" Quillmark will try again."));
                     });
}

void CQuillmarkApp::OfferRecovery() {
    if (!m_journal || !m_journal->IsOn()) return;
    const std::string folder = m_journal->Folder().toStdString();
    struct Found {
        QString name;
        bool readable = false;
        RecoveryEntry entry;
    };
    std::vector<Found> found;
    std::vector<CRecoveryDlg::Row> rows;
    for (const std::string& name : ListRecoveryFiles(folder)) {
        Found f;
        f.name = QString::fromStdString(name);
        if (m_journal->IsOwn(f.name)) continue;
        std::string bytes, error;
        const FileResult read = ReadFileBytes(folder + name, bytes);
        f.readable = read.ok && ParseRecoveryFile(bytes, f.entry, error);
        if (!read.ok) error = read.error;
        CRecoveryDlg::Row row;
        if (f.readable) {
            row.name = f.entry.path.empty() ? QStringLiteral("Untitled ") + QString::fromStdString(f.entry.kind)
                                            : QString::fromStdString(f.entry.path);
            row.time = QDateTime::fromSecsSinceEpoch(f.entry.savedAt).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
            row.size = QString::fromStdString(FormatFileSize(f.entry.bytes.size()));
        } else {
            row.name = QString::fromStdString(folder + name);
            row.time = QFileInfo(row.name).lastModified().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
            row.size = QStringLiteral("unreadable (%1)").arg(QString::fromStdString(error));
        }
        rows.push_back(row);
        found.push_back(std::move(f));
    }
    if (found.empty()) return;

    CRecoveryDlg dlg(rows, m_pMainWnd);
    switch (dlg.Ask()) {
        case CRecoveryDlg::Later: return;
        case CRecoveryDlg::Discard:
            for (const Found& f : found) std::remove((folder + f.name.toStdString()).c_str());
            return;
        case CRecoveryDlg::Recover:
            for (const Found& f : found) {
                const std::string path = folder + f.name.toStdString();
                // A damaged copy is never opened; it is set aside, kept for a person to look at.
                if (!f.readable) std::rename(path.c_str(), (path + ".damaged").c_str());
                else RecoverDocument(f.entry, f.name);
            }
            return;
    }
}

void CQuillmarkApp::RecoverDocument(const RecoveryEntry& entry, const QString& name) {
    DocKind kind = DocKind::Script;
    for (const auto& k : DocKinds())
        if (entry.kind == k.name) kind = k.kind;
    RecoveryEntry e = entry;
    CScriptDoc* doc = nullptr;
    if (!e.path.empty()) {
        const QString full = QFileInfo(QString::fromStdString(e.path)).absoluteFilePath();
        for (CScriptDoc* d : Documents())
            if (d->GetPathName() == full) doc = d;
        // Opened with unsaved changes of its own already: both texts are kept, the recovered one untitled.
        if (doc && doc->IsModified()) {
            doc = nullptr;
            e.path.clear();
        }
    }
    CDocTemplate* t = Template(kind);
    if (!doc && t) doc = t->OpenDocumentFile(QString());
    if (doc) doc->RecoverFrom(e, name);
}

}  // namespace qm
