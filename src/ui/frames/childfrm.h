#pragma once
#include <QMdiSubWindow>
#include <QPointer>

#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"

namespace qm {


// The window of one document: hosts its view and asks to save before it closes.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    virtual void SetView(CEditView* view);
    CEditView* GetView() const { return m_view; }
    void SetDocument(CScriptDoc* doc) { m_document = doc; }
    CScriptDoc* GetDocument() const { return m_document; }
    void DetachDocument() { m_document = nullptr; }

    void ShowInitial();
    void Activate();

protected:
    void closeEvent(QCloseEvent* event) override;

    QPointer<CEditView> m_view;
    QPointer<CScriptDoc> m_document;
};

}  // namespace qm
