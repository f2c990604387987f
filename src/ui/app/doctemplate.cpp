#include "ui/app/doctemplate.h"

#include <QFileInfo>
#include <algorithm>
#include <new>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/scriptframe.h"
#include "ui/menus/pictures.h"
#include "ui/views/descriptview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"
#include "ui/views/largeviewsetup.h"
#include "ui/views/scriptview.h"
#include "ui/views/textview.h"

namespace qm {

CDocTemplate::~CDocTemplate() {
    // Documents outlive nothing: close what is left without asking.
    auto docs = m_docs;
    for (CScriptDoc* d : docs) d->OnCloseDocument();
}

namespace {
CEditView* CreateView(ViewKind kind) {
    switch (kind) {
        case ViewKind::Script: return new CScriptView();
        case ViewKind::Description: return new CDescriptView();
        case ViewKind::Text: return new CTextView();
    }
    return new CTextView();
}
}  // namespace

CScriptDoc* CDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible) {
    CMainFrame* main = theApp.GetMainFrame();
    if (!main) return nullptr;

    auto* doc = new CScriptDoc(this);
    CChildFrame* frame = Info().frame == FrameKind::Script ? new CScriptFrame() : new CChildFrame();
    // A very large file gets a window that lays out only what it shows; the others the editor control.
    const bool large = !path.isEmpty() && CScriptDoc::IsLargeFileSize(std::uint64_t(std::max<qint64>(0, QFileInfo(path).size())));
    CEditView* view = nullptr;
    CLargeTextView* largeView = nullptr;
    if (large) {
        largeView = new CLargeTextView();
        frame->SetLargeView(largeView);
        doc->AttachLargeView(largeView, frame);
        if (auto* scriptFrame = qobject_cast<CScriptFrame*>(frame))
            QObject::connect(doc->GetLargeText(), &CLargeText::Changed, scriptFrame, &CScriptFrame::OnLargeTextChanged);
    } else {
        view = CreateView(Info().view);
        frame->SetView(view);
        doc->AttachView(view, frame);
    }
    static const char* const icons[] = {"doc_script", "doc_description", "doc_stringtable", "doc_briefing",
                                        "doc_function", "doc_text"};
    frame->setWindowIcon(PictureIcon(icons[static_cast<int>(m_kind)]));
    m_docs.push_back(doc);

    const bool opened = path.isEmpty() ? doc->OnNewDocument() : doc->OnOpenDocument(path);
    if (!opened) {
        doc->OnCloseDocument();
        return nullptr;
    }
    if (path.isEmpty()) doc->SetTitle(QString());
    else doc->SetPathName(path, false);
    try {
        // Laying out a large text takes memory again: running short here drops this document only.
        if (!path.isEmpty() && CScriptDoc::s_open.beforeShow) CScriptDoc::s_open.beforeShow();
        main->AddDocumentFrame(frame);
        if (view) {
            view->OnInitialUpdate();
        } else {
            frame->m_maximiseOnShow = main->m_docMax == 1;
            SetUpLargeView(*largeView, *doc);
        }
        if (makeVisible) frame->ShowInitial();
    } catch (const std::bad_alloc&) {
        if (view) view->document()->clear();
        else doc->GetLargeText()->Reset({});
        doc->OnCloseDocument();
        CScriptDoc::FailForMemory(QFileInfo(path).absoluteFilePath(), static_cast<std::uint64_t>(QFileInfo(path).size()));
        return nullptr;
    }
    doc->StartGuarding();
    if (!path.isEmpty()) theApp.AddToRecentFileList(doc->GetPathName());
    return doc;
}

void CDocTemplate::RemoveDocument(CScriptDoc* doc) {
    m_docs.erase(std::remove(m_docs.begin(), m_docs.end(), doc), m_docs.end());
}

std::string CDocTemplate::SaveFilter() const {
    return std::string(Info().filterName) + "|*" + Info().extension + "|All Files (*.*)|*.*||";
}

}  // namespace qm
