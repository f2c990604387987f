#include "ui/doc/scriptdoc.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStatusBar>
#include <new>

#include "core/doc/tableansi.h"
#include "core/doc/textfile.h"
#include "core/doc/titlerules.h"
#include "ui/app/doctemplate.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/diskwatcher.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/scriptframe.h"
#include "ui/menus/statusprompts.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"

namespace qm {

CScriptDoc::OpenSettings CScriptDoc::s_open;

CScriptDoc::CScriptDoc(CDocTemplate* tmpl) : m_template(tmpl) {}

CScriptDoc::~CScriptDoc() = default;

void CScriptDoc::AttachView(CEditView* view, CChildFrame* frame) {
    m_view = view;
    m_frame = frame;
    view->SetDocument(this);
    frame->SetDocument(this);
}

void CScriptDoc::AttachLargeView(CLargeTextView* view, CChildFrame* frame) {
    m_large = new CLargeText(std::string(), this);
    view->SetText(m_large);
    m_largeView = view;
    m_frame = frame;
    frame->SetDocument(this);
    connect(m_large, &CLargeText::Changed, this, &CScriptDoc::OnLargeTextChanged);
}

CEditView* CScriptDoc::GetView() const { return m_view; }
CLargeTextView* CScriptDoc::GetLargeView() const { return m_largeView; }
CChildFrame* CScriptDoc::GetFrame() const { return m_frame; }

DocKind CScriptDoc::Kind() const { return m_template->Kind(); }

void CScriptDoc::SetTitle(const QString& text) {
    m_title = QString::fromStdString(
        ResolveTitle(text.toStdString(), m_pathName.toStdString(), m_title.toStdString(), Kind()));
    UpdateFrameCounts();
}

void CScriptDoc::SetPathName(const QString& path, bool addToRecentList) {
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    if (addToRecentList) theApp.AddToRecentFileList(m_pathName);
    if (m_schedule && theApp.m_diskWatcher) theApp.m_diskWatcher->Watch(this);
}

bool CScriptDoc::IsModified() const {
    return m_large ? m_large->IsModified() : m_view && m_view->IsControlModified();
}

void CScriptDoc::SetModifiedFlag(bool modified) {
    if (m_view) m_view->SetControlModified(modified);
    // Only a change of state: marking a modified table again would keep undo from finding the saved text.
    if (m_large && modified != m_large->IsModified()) {
        if (modified) m_large->Table().MarkDirty();
        else m_large->Table().MarkClean();
    }
    ShowModifiedMark();
}

void CScriptDoc::ShowModifiedMark() {
    const QString marked = QString::fromStdString(MarkedTitle(m_title.toStdString(), IsModified()));
    if (marked != m_title) {
        m_title = marked;
        UpdateFrameCounts();
    }
}

void CScriptDoc::StripMarker() {
    SetTitle(QString::fromStdString(StripModifiedMarker(m_title.toStdString())));
}

bool CScriptDoc::SaveModified() {
    StripMarker();
    bool ok = true;
    if (IsModified()) {
        const QString name = m_pathName.isEmpty() ? m_title : m_pathName;
        switch (theApp.GetPrompter().MessageBox(QStringLiteral("Save changes to %1?").arg(name), {},
                                                MbButtons::YesNoCancel, MbIcon::Warning)) {
            case IDYES: ok = DoFileSave(); break;
            case IDNO:
                ok = true;
                DropJournal();
                break;
            default: ok = false; break;
        }
    }
    if (!ok) RestoreMarker();
    return ok;
}

bool CScriptDoc::DoFileSave() {
    StripMarker();
    const bool ok = DoSave(m_pathName);
    // A failed or cancelled save leaves the document marked as modified.
    if (!ok) RestoreMarker();
    return ok;
}

bool CScriptDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
    if (target.isEmpty()) {
        const DocKindInfo& info = m_template->Info();
        QString proposed = QString::fromStdString(StripModifiedMarker(m_title.toStdString()));
        if (!proposed.contains('.')) proposed += info.extension;
        FileDialogRequest req{QStringLiteral("Save As"), m_template->SaveFilter(),
                              QString(info.extension).mid(1), proposed,
                              m_pathName.isEmpty() ? QString() : QFileInfo(m_pathName).absolutePath()};
        auto chosen = theApp.GetPrompter().GetSaveFileName(req);
        if (!chosen) return false;
        target = *chosen;
    }
    if (!OnSaveDocument(target)) return false;
    if (!replace) return true;
    const bool renamed = QFileInfo(target).absoluteFilePath() != m_pathName;
    SetPathName(target);
    if (renamed) {  // the file now watched is the one just written
        RememberDiskFile();
        HideDiskBars();
    }
    return true;
}

void CScriptDoc::OnFileSave() {
    StripMarker();
    DoFileSave();
}

void CScriptDoc::OnFileSaveAs() {
    StripMarker();
    if (!DoSave(QString())) RestoreMarker();
}

bool CScriptDoc::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

bool CScriptDoc::OnOpenDocument(const QString& path) {
    const auto failed = [](const QString& why) {
        theApp.GetPrompter().MessageBox(QStringLiteral("Failed to open document.\n") + why, {}, MbButtons::Ok,
                                        MbIcon::Error);
        return false;
    };
    const QString full = QFileInfo(path).absoluteFilePath();
    // A load shows its progress and lets events in: a second request for the file meanwhile finds it here.
    m_loadingPath = full;
    struct Loading {
        QString& path;
        ~Loading() { path.clear(); }
    } loading{m_loadingPath};
    DocumentFileReader reader;
    if (!reader.Open(full.toStdString()).ok) return failed(QString::fromStdString(reader.Result().error));
    QStatusBar* status = theApp.GetMainFrame() ? theApp.GetMainFrame()->statusBar() : nullptr;
    bool progressShown = false;
    const auto endProgress = [&] {
        if (progressShown) status->showMessage(QString::fromLatin1(kReadyPrompt));
    };
    auto* labels = qobject_cast<CScriptFrame*>(m_frame.data());
    std::string large;
    try {
        // In pieces, so that the file is never held twice and a long load shows how far it is.
        QElapsedTimer clock;
        clock.start();
        if (m_large) {
            large.reserve(static_cast<size_t>(reader.Size()));
            if (labels) labels->BeginLabelScan();
        } else {
            m_view->BeginLoad();
        }
        std::string piece;
        while (reader.Next(piece, s_open.pieceBytes)) {
            if (s_open.beforePiece) s_open.beforePiece(reader.BytesRead());
            if (m_large) {
                if (labels) labels->ScanLabels(QString::fromUtf8(piece));
                large += piece;
            } else {
                m_view->AppendLoadedText(QString::fromUtf8(piece));
            }
            if (clock.elapsed() < s_open.progressAfterMs || !status) continue;
            progressShown = true;
            status->showMessage(QStringLiteral("Opening %1... %2%")
                                    .arg(QFileInfo(full).fileName())
                                    .arg(reader.Size() ? int(reader.BytesRead() * 100 / reader.Size()) : 100));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);  // the window stays painted
        }
        if (m_large) {
            m_large->Reset(std::move(large));
            if (labels) labels->EndLabelScan();
        } else {
            m_view->EndLoad();
        }
    } catch (const std::bad_alloc&) {
        // The half-read text goes with this document; every other document is untouched.
        if (m_large) std::string().swap(large);
        else m_view->document()->clear();
        endProgress();
        return FailForMemory(full, reader.Size());
    }
    endProgress();
    if (!reader.Result().ok) return failed(QString::fromStdString(reader.Result().error));
    SetModifiedFlag(false);
    RememberDiskFile(full);
    return true;
}

bool CScriptDoc::FailForMemory(const QString& path, std::uint64_t bytes) {
    theApp.GetPrompter().MessageBox(
        QStringLiteral("Failed to open document.\nThere is not enough memory to open \"%1\" (%2). Close other "
                       "documents or programs and try again.")
            .arg(path, QString::fromStdString(FormatFileSize(bytes))),
        {}, MbButtons::Ok, MbIcon::Error);
    return false;
}

bool CScriptDoc::OnSaveDocument(const QString& path) {
    if (!ConfirmOverwrite(path)) return false;
    TextSaveReport report;
    if (m_large) SaveLarge(path, report);
    else report = SaveTextFile(path.toStdString(), m_view->GetText().toStdString());
    if (!report.result.ok) {
        theApp.GetPrompter().MessageBox(
            QStringLiteral("Failed to save document.\n") + QString::fromStdString(report.result.error), {},
            MbButtons::Ok, MbIcon::Error);
        return false;
    }
    // The file holds "?" for characters without a byte: show the same, so screen and file agree.
    if (report.unmappable > 0) {
        if (m_view) m_view->ReplaceUnmappable();
        else if (m_large) ReplaceUnmappable(m_large->Table());
    }
    SetModifiedFlag(false);
    DropJournal();
    if (QFileInfo(path).absoluteFilePath() == m_pathName) {
        RememberDiskFile();
        HideDiskBars();
    }
    TellUnmappable(theApp.GetPrompter(), report.unmappable);
    return true;
}

void CScriptDoc::OnCloseDocument() {
    if (m_closing) return;
    m_closing = true;
    DropJournal();
    if (theApp.m_diskWatcher) theApp.m_diskWatcher->Unwatch(this);
    m_template->RemoveDocument(this);
    if (m_frame) {
        m_frame->DetachDocument();
        m_frame->close();
        m_frame->deleteLater();
    }
    deleteLater();
}

void CScriptDoc::UpdateFrameCounts() {
    if (m_frame) m_frame->setWindowTitle(m_title);
    emit TitleChanged(m_title);
}

void CScriptDoc::ActivateFrame() {
    if (m_frame) m_frame->Activate();
}

}  // namespace qm
