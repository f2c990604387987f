// The document's protection of unsaved work: its copy in the recovery journal and its file on disk.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMdiArea>
#include <QStatusBar>
#include <QTextBlock>
#include <ctime>

#include "core/doc/recoveryfile.h"
#include "core/doc/textfile.h"
#include "core/doc/titlerules.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/diskchangebar.h"
#include "ui/doc/diskwatcher.h"
#include "ui/doc/journalschedule.h"
#include "ui/doc/recoveryjournal.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"

namespace qm {

namespace {
void StatusNote(const QString& text) {
    if (CMainFrame* main = theApp.GetMainFrame())
        if (main->statusBar()) main->statusBar()->showMessage(text);
}
}  // namespace

void CScriptDoc::StartGuarding() {
    if (m_schedule || (!m_view && !m_large)) return;
    m_schedule = new CJournalSchedule(this);
    connect(m_schedule, &CJournalSchedule::Due, this, &CScriptDoc::WriteJournalNow);
    // Every change, undo back to the saved text included, only restarts a timer here.
    const auto touch = [this] {
        if (theApp.m_journal) m_schedule->Touch();
    };
    if (m_large) connect(m_large, &CLargeText::Changed, m_schedule, touch);
    else connect(m_view->document(), &QTextDocument::contentsChanged, m_schedule, touch);
    if (theApp.m_journal)
        connect(theApp.m_journal.get(), &CRecoveryJournal::Finished, this,
                [this](const QString& name, bool ok, const QString&) {
                    if (!ok && name == m_journalName && IsModified()) m_schedule->Retry();
                });
    if (theApp.m_diskWatcher) theApp.m_diskWatcher->Watch(this);
}

void CScriptDoc::WriteJournalNow() {
    CRecoveryJournal* journal = theApp.m_journal.get();
    if (!journal || (!m_view && !m_large)) return;
    if (m_schedule) m_schedule->Cancel();
    if (!IsModified()) {
        DropJournal();
        return;
    }
    if (m_journalName.isEmpty()) m_journalName = journal->NewFileName();
    RecoveryEntry entry;
    entry.path = m_pathName.toStdString();
    entry.kind = KindInfo(Kind()).name;
    entry.title = StripModifiedMarker(m_title.toStdString());
    entry.savedAt = std::time(nullptr);
    entry.disk = m_diskStamp;
    // The raw text is taken at once; the worker makes the file's bytes of it.
    QElapsedTimer taking;
    taking.start();
    if (m_large) {
        // A snapshot, not the text: the opened file is shared with it, so a very large text is
        // put together on the journal's thread.
        auto snapshot = std::make_shared<const PieceTable::Snapshot>(m_large->Table().TakeSnapshot());
        if (m_schedule) m_schedule->SetCopyCost(taking.nsecsElapsed() / 1e6);
        journal->WriteUtf8(m_journalName, std::move(entry), [snapshot] { return snapshot->WholeText(); });
        return;
    }
    QString text = m_view->document()->toRawText();
    if (m_schedule) m_schedule->SetCopyCost(taking.nsecsElapsed() / 1e6);
    journal->Write(m_journalName, std::move(entry), std::move(text));
}

void CScriptDoc::DropJournal() {
    if (m_schedule) m_schedule->Cancel();
    if (m_journalName.isEmpty()) return;
    if (theApp.m_journal) theApp.m_journal->Remove(m_journalName);
    m_journalName.clear();
}

void CScriptDoc::RecoverFrom(const RecoveryEntry& entry, const QString& name) {
    if (m_large) m_large->Reset(DecodeDocumentText(entry.bytes));
    else if (m_view) m_view->LoadText(QString::fromStdString(DecodeDocumentText(entry.bytes)));
    else return;
    if (!entry.path.empty()) {
        SetPathName(QString::fromStdString(entry.path), false);
        // As the file was when the work began: a save over another program's change still asks.
        m_diskStamp = entry.disk;
        m_diskGone = false;
    }
    m_journalName = name;
    if (theApp.m_journal) theApp.m_journal->Adopt(name);
    SetModifiedFlag(true);
}

void CScriptDoc::RememberDiskFile(const QString& path) {
    m_diskStamp = ReadFileStamp((path.isEmpty() ? m_pathName : path).toStdString());
    m_diskGone = false;
}

bool CScriptDoc::ConfirmOverwrite(const QString& path) {
    if (m_pathName.isEmpty() || QFileInfo(path).absoluteFilePath() != m_pathName) return true;
    const std::string file = path.toStdString();
    const DiskChange change =
        CompareFileStamps(m_diskStamp, ReadFileStamp(file, false), [&] { return ReadFileStamp(file); });
    if (change != DiskChange::Changed) return true;
    return theApp.GetPrompter().MessageBox(
               QStringLiteral("%1 was changed on disk by another program since it was opened or last saved.\n\n"
                              "Save anyway and replace the other program's version?")
                   .arg(QFileInfo(m_pathName).fileName()),
               {}, MbButtons::YesNo, MbIcon::Warning) == IDYES;
}

void CScriptDoc::CheckDiskFile() {
    if (m_pathName.isEmpty() || (!m_view && !m_large)) return;
    const std::string file = m_pathName.toStdString();
    switch (CompareFileStamps(m_diskStamp, ReadFileStamp(file, false), [&] { return ReadFileStamp(file); })) {
        case DiskChange::None:
            if (m_diskGone) {  // back as it was
                m_diskGone = false;
                HideDiskBars();
            }
            return;
        case DiskChange::Deleted:
            if (m_diskGone) return;
            m_diskGone = true;
            ShowDiskBars(true);
            // Nothing on disk holds the text now: Save writes it back, and closing asks first.
            SetModifiedFlag(true);
            return;
        case DiskChange::Changed:
            m_diskGone = false;
            if (IsModified()) ShowDiskBars(false);
            else if (ReloadFromDisk())
                StatusNote(QStringLiteral("%1 was changed on disk and has been reloaded.")
                               .arg(QFileInfo(m_pathName).fileName()));
            return;
    }
}

bool CScriptDoc::ReloadFromDisk() {
    if (m_pathName.isEmpty() || (!m_view && !m_large)) return false;
    std::string text;
    const TextLoadReport report = LoadTextFile(m_pathName.toStdString(), text);
    if (!report.result.ok) {
        // The text stays as it is: the file could not be read, so it must not replace anything.
        theApp.GetPrompter().MessageBox(
            QStringLiteral("Failed to reload document.\n") + QString::fromStdString(report.result.error), {},
            MbButtons::Ok, MbIcon::Error);
        return false;
    }
    if (m_large) {
        ReloadLarge(std::move(text));
    } else {
        ReloadViews(QString::fromStdString(text));
    }
    RememberDiskFile();
    HideDiskBars();
    SetModifiedFlag(false);
    DropJournal();
    return true;
}

void CScriptDoc::ReloadViews(const QString& text) {
    struct Place {
        CEditView* view;
        int line, column, top;
    };
    std::vector<Place> places;
    for (CEditView* v : Views())
        places.push_back({v, v->textCursor().blockNumber(), v->textCursor().positionInBlock(), v->FirstVisibleLine()});
    m_view->LoadText(text);
    QTextDocument* document = m_view->document();
    for (const Place& p : places) {
        const QTextBlock block = document->findBlockByNumber(std::min(p.line, document->blockCount() - 1));
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + std::min(p.column, block.length() - 1));
        p.view->setTextCursor(cursor);
        p.view->ScrollToFirstVisibleLine(p.top);
    }
}

void CScriptDoc::OnDiskBarReload() {
    if (IsModified() &&
        theApp.GetPrompter().MessageBox(
            QStringLiteral("Reload %1 from disk and lose your changes to it?").arg(QFileInfo(m_pathName).fileName()),
            {}, MbButtons::YesNo, MbIcon::Warning) != IDYES)
        return;
    ReloadFromDisk();
}

void CScriptDoc::OnDiskBarKeepMine() {
    // The other program's version is known now: the next save replaces it without asking.
    RememberDiskFile();
    HideDiskBars();
}

QList<CEditView*> CScriptDoc::Views() const {
    QList<CEditView*> views;
    if (m_view) views << m_view.data();
    CMainFrame* main = theApp.GetMainFrame();
    if (!main || !main->MdiArea()) return views;
    for (QMdiSubWindow* w : main->MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(w);
        if (frame && frame->GetDocument() == this && frame->GetView() && !views.contains(frame->GetView()))
            views << frame->GetView();
    }
    return views;
}

QList<QAbstractScrollArea*> CScriptDoc::AllViews() const {
    QList<QAbstractScrollArea*> all;
    for (CEditView* v : Views()) all << v;
    for (CLargeTextView* v : LargeViews()) all << v;
    return all;
}

void CScriptDoc::ShowDiskBars(bool deleted) {
    const QString name = QFileInfo(m_pathName).fileName();
    for (QAbstractScrollArea* v : AllViews()) {
        const bool made = !CDiskChangeBar::Find(v);
        CDiskChangeBar* bar = CDiskChangeBar::Of(v);
        if (made) {
            connect(bar, &CDiskChangeBar::ReloadClicked, this, &CScriptDoc::OnDiskBarReload);
            connect(bar, &CDiskChangeBar::KeepMineClicked, this, &CScriptDoc::OnDiskBarKeepMine);
        }
        bar->ShowFor(deleted ? CDiskChangeBar::Kind::Deleted : CDiskChangeBar::Kind::Changed, name);
    }
}

void CScriptDoc::HideDiskBars() {
    for (QAbstractScrollArea* v : AllViews())
        if (CDiskChangeBar* bar = CDiskChangeBar::Find(v); bar && !bar->isHidden()) bar->Dismiss();
}

}  // namespace qm
