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
    CEditView* view = CreateView(Info().view);
    CChildFrame* frame = Info().frame == FrameKind::Script ? new CScriptFrame() : new CChildFrame();
    frame->SetView(view);
    static const char* const icons[] = {"doc_script", "doc_description", "doc_stringtable", "doc_briefing",
                                        "doc_function", "doc_text"};
    frame->setWindowIcon(PictureIcon(icons[static_cast<int>(m_kind)]));
    doc->AttachView(view, frame);
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
        view->OnInitialUpdate();
        if (makeVisible) frame->ShowInitial();
    } catch (const std::bad_alloc&) {
        view->document()->clear();
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
