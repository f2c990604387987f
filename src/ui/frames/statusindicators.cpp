// CMainFrame: the Ln, Ch and edition panes of the status bar.
#include <QLabel>
#include <QTextBlock>

#include "core/frames/statustexts.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

void CMainFrame::WatchCaret(CEditView* view) {
    if (!view) return;
    connect(view, &QPlainTextEdit::cursorPositionChanged, this, &CMainFrame::UpdateStatusIndicators);
    connect(view, &QPlainTextEdit::selectionChanged, this, &CMainFrame::UpdateStatusIndicators);
}

void CMainFrame::UpdateStatusIndicators() {
    if (!m_lineIndicator) return;
    m_editionIndicator->setText(QString::fromStdString(EditionIndicatorText(theApp.m_expansionEdition)));
    if (CLargeTextView* large = ActiveLargeView()) {
        const SelectionSpan s = large->Selection();
        m_lineIndicator->setText(QString::fromStdString(LineIndicatorText(s)));
        m_charIndicator->setText(QString::fromStdString(ColumnIndicatorText(s)));
        return;
    }
    CEditView* view = ActiveView();
    if (!view) {
        m_lineIndicator->clear();
        m_charIndicator->clear();
        return;
    }
    const QTextCursor c = view->textCursor();
    const QTextBlock start = view->document()->findBlock(c.selectionStart());
    const QTextBlock end = view->document()->findBlock(c.selectionEnd());
    const SelectionSpan s{start.blockNumber(), c.selectionStart() - start.position(), end.blockNumber(),
                          c.selectionEnd() - end.position()};
    m_lineIndicator->setText(QString::fromStdString(LineIndicatorText(s)));
    m_charIndicator->setText(QString::fromStdString(ColumnIndicatorText(s)));
}

}  // namespace qm
