#pragma once
#include <QString>
#include <vector>

#include "core/doc/dockinds.h"

namespace qm {

class CScriptDoc;

// One document kind: creates its documents with their view and frame, and lists them.
class CDocTemplate {
public:
    explicit CDocTemplate(DocKind kind) : m_kind(kind) {}
    ~CDocTemplate();

    DocKind Kind() const { return m_kind; }
    const DocKindInfo& Info() const { return KindInfo(m_kind); }

    // An empty path makes a new, untitled document. Null when the file cannot be opened.
    CScriptDoc* OpenDocumentFile(const QString& path, bool makeVisible = true);

    const std::vector<CScriptDoc*>& Documents() const { return m_docs; }
    void RemoveDocument(CScriptDoc* doc);

    // "Script Files (*.sqs)|*.sqs|All Files (*.*)|*.*||"
    std::string SaveFilter() const;

private:
    DocKind m_kind;
    std::vector<CScriptDoc*> m_docs;
};

}  // namespace qm
