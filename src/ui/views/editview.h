#pragma once
#include <QPlainTextEdit>
#include <QPointer>

#include "ui/doc/scriptdoc.h"

namespace qm {



// The editing control every view is: a plain-text editor with the operations the views need.
class CEditView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CEditView(QWidget* parent = nullptr);

    void SetDocument(CScriptDoc* doc) { m_document = doc; }
    CScriptDoc* GetDocument() const { return m_document; }

    // Replaces the whole text with a file's text; leaves nothing to undo.
    void LoadText(const QString& text);
    // The whole text with "\n" line breaks, every character as typed.
    QString GetText() const;

    bool IsControlModified() const;
    void SetControlModified(bool modified);

    // Inserts text at the caret as one edit that cannot be undone.
    void InsertNotUndoable(const QString& text);

    // Colours every line; the colouring views fill this in.
    virtual void RecolourAll() {}

    // The first show: font, wrapping, header, colouring.
    virtual void OnInitialUpdate();

protected:
    // The control's text changed.
    virtual void OnChange();
    void ApplyEditorFont();
    // Puts the header text of the kind into an empty control.
    void InsertHeaderIfEmpty(const std::string& header);

    QPointer<CScriptDoc> m_document;
    bool m_busy = true;  // the view changes its own text; change notifications are ignored
};

}  // namespace qm
