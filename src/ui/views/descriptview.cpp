#include "ui/views/descriptview.h"

#include <QKeyEvent>
#include <QTextBlock>

#include "core/views/wordbreak.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

CDescriptView::CDescriptView(QWidget* parent) : CEditView(parent) { m_colouringRules = true; }

std::vector<ColourRun> CDescriptView::LineRuns(const QString& line) const {
    return ColourDescriptionLine(line.toStdU16String());
}

void CDescriptView::OnInitialUpdate() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    MaximiseFrameIfWanted(m_openMaximized);
    ApplyEditorFont();
    CMainFrame* main = theApp.GetMainFrame();
    moveCursor(QTextCursor::Start);
    if (main && main->m_addHeader == 1) InsertHeaderIfEmpty(theApp.m_catalogue.m_descriptionHeader);
    m_colouring = main && main->m_format == 1;
    if (m_colouring) StartColouring();
    CEditView::OnInitialUpdate();
}

void CDescriptView::keyPressEvent(QKeyEvent* event) {
    CEditView::keyPressEvent(event);
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return;
    const QTextBlock above = textCursor().block().previous();
    if (!above.isValid()) return;
    const int tabs = DescriptionIndent(above.text().toStdU16String());
    if (tabs == 0) return;
    // Part of the line break's own step, so one Undo takes both away.
    QTextCursor c = textCursor();
    c.joinPreviousEditBlock();
    c.insertText(QString(tabs, QLatin1Char('\t')));
    c.endEditBlock();
    setTextCursor(c);
}

}  // namespace qm
