#include "ui/views/editview.h"

#include <QTextBlock>

#include "ui/doc/scriptdoc.h"
#include "ui/frames/mainfrm.h"
#include "ui/app/quillmark.h"

namespace qm {

CEditView::CEditView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_busy) OnChange();
    });
}

void CEditView::LoadText(const QString& text) {
    const bool wasBusy = m_busy;
    m_busy = true;
    document()->setUndoRedoEnabled(false);
    setPlainText(text);
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    m_busy = wasBusy;
}

QString CEditView::GetText() const {
    // toPlainText() would turn no-break spaces into spaces; the raw text keeps every character.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return raw;
}

bool CEditView::IsControlModified() const { return document()->isModified(); }

void CEditView::SetControlModified(bool modified) {
    if (document()->isModified() != modified) document()->setModified(modified);
}

void CEditView::InsertNotUndoable(const QString& text) {
    const bool wasBusy = m_busy;
    m_busy = true;
    // Turning undo off and on again empties the history, so only do it when it holds nothing to keep.
    const bool keepHistory = document()->isUndoAvailable() || document()->isRedoAvailable();
    if (keepHistory) {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.insertText(text);
        c.endEditBlock();
        setTextCursor(c);
    } else {
        document()->setUndoRedoEnabled(false);
        textCursor().insertText(text);
        document()->setUndoRedoEnabled(true);
    }
    m_busy = wasBusy;
}

void CEditView::OnInitialUpdate() {
    ApplyEditorFont();
    m_busy = false;
}

void CEditView::OnChange() {
    if (m_document) m_document->SetModifiedFlag(IsControlModified());
}

void CEditView::ApplyEditorFont() {
    if (CMainFrame* main = theApp.GetMainFrame()) setFont(main->m_editorFont);
}

void CEditView::InsertHeaderIfEmpty(const std::string& header) {
    if (!document()->isEmpty()) return;
    moveCursor(QTextCursor::Start);
    QString text = QString::fromStdString(header + "\r\n");
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    document()->setUndoRedoEnabled(false);
    textCursor().insertText(text);
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    if (m_document) m_document->SetModifiedFlag(false);
}

}  // namespace qm
