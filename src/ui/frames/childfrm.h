#pragma once
#include <QMdiSubWindow>
#include <QPointer>

#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

// The window of one document: hosts its view, asks to save before it closes and keeps the
// main frame's "DocMax" setting current.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    virtual void SetView(CEditView* view);
    CEditView* GetView() const { return m_view; }
    // A very large file's window hosts a view of its own instead.
    virtual void SetLargeView(CLargeTextView* view);
    CLargeTextView* GetLargeView() const { return m_largeView; }
    // The view, whichever kind it is.
    QWidget* ViewWidget() const;
    void SetDocument(CScriptDoc* doc) { m_document = doc; }
    CScriptDoc* GetDocument() const { return m_document; }
    void DetachDocument() { m_document = nullptr; }

    void ShowInitial();
    void Activate();

    bool m_maximiseOnShow = false;  // set by the view's first show
    // A further window on a document (Window > New Window): closing it closes only the window.
    bool m_extraWindow = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    QPointer<CEditView> m_view;
    QPointer<CLargeTextView> m_largeView;
    QPointer<CScriptDoc> m_document;

private:
    void RecordDocMax();
};

}  // namespace qm
