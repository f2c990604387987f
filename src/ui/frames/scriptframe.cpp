#include "ui/frames/scriptframe.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/quillmark.h"
#include "ui/frames/labelsbar.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/largetext.h"

namespace qm {

CScriptFrame::CScriptFrame(QWidget* parent) : CChildFrame(parent) {
    if (CMainFrame* main = theApp.GetMainFrame()) m_showLabels = main->m_labelsBar == 1;
}

void CScriptFrame::SetView(CEditView* view) {
    m_view = view;
    Host(view);
}

void CScriptFrame::SetLargeView(CLargeTextView* view) {
    m_largeView = view;
    Host(view);
}

void CScriptFrame::Host(QWidget* view) {
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_wndLabelsBar = new CLabelsBar(body);
    m_wndLabelsBar->setObjectName(QStringLiteral("1286"));
    m_wndLabelsBar->setIconSize(QSize(2, 18));
    m_wndLabelsBar->setMovable(false);
    auto* narrow = new QToolButton(m_wndLabelsBar);  // a narrow button with no command: always disabled
    narrow->setFixedSize(4, 20);
    narrow->setEnabled(false);
    m_wndLabelsBar->addWidget(narrow);

    m_wndLabelsCombo = new QComboBox(m_wndLabelsBar);
    m_wndLabelsCombo->setObjectName(QStringLiteral("1001"));
    m_wndLabelsCombo->setEditable(false);
    m_wndLabelsCombo->setFixedWidth(200);
    m_wndLabelsCombo->setMaxVisibleItems(10);
    m_wndLabelsCombo->setToolTip(QStringLiteral("List of script labels"));
    if (CMainFrame* main = theApp.GetMainFrame()) m_wndLabelsCombo->setFont(main->m_menuFont);
    m_wndLabelsBar->addWidget(m_wndLabelsCombo);
    connect(m_wndLabelsCombo, &QComboBox::activated, this, &CScriptFrame::OnLabelSelected);
    m_wndLabelsBar->installEventFilter(this);

    m_labelsMenu = new QMenu(QStringLiteral("DOCKING 2"), this);
    QAction* toggle = m_labelsMenu->addAction(QStringLiteral("&Labels Bar"));
    toggle->setCheckable(true);
    connect(toggle, &QAction::triggered, this, &CScriptFrame::OnToggleLabelsBar);
    connect(m_labelsMenu, &QMenu::aboutToShow, this, [this, toggle] { toggle->setChecked(m_showLabels); });

    layout->addWidget(m_wndLabelsBar);
    layout->addWidget(view);
    setWidget(body);
    m_wndLabelsBar->setVisible(m_showLabels);
}

void CScriptFrame::FillCombo() {
    m_wndLabelsCombo->clear();
    QStringList items;
    for (const auto& e : m_labels.Entries()) items << QString::fromStdU16String(e.text);
    if (items.isEmpty()) items << QStringLiteral("No Labels");
    m_wndLabelsCombo->addItems(items);
    m_wndLabelsCombo->setCurrentIndex(0);
}

std::u16string CScriptFrame::LabelLineText(int line) const {
    if (m_largeView) {
        const PieceTable& table = m_largeView->Text()->Table();
        const size_t start = table.LineStart(size_t(line));
        if (table.Text(start, 1) != "#") return {};
        return QString::fromStdString(table.LineText(size_t(line))).toStdU16String();
    }
    const QTextBlock b = m_view->document()->findBlockByNumber(line);
    return b.length() > 1 && b.text().startsWith(QLatin1Char('#')) ? b.text().toStdU16String() : std::u16string();
}

int CScriptFrame::LineCount() const {
    if (m_largeView) return int(std::min<size_t>(m_largeView->Text()->Table().LineCount(), size_t(INT_MAX)));
    return m_view ? m_view->document()->blockCount() : 0;
}

void CScriptFrame::RebuildLabels() {
    if (!m_showLabels || (!m_view && !m_largeView) || m_labelsCurrent) return;
    std::vector<std::u16string> lines;
    const int count = LineCount();
    lines.reserve(static_cast<size_t>(count));
    if (m_view) {
        for (QTextBlock b = m_view->document()->begin(); b.isValid(); b = b.next()) {
            // Only label lines matter; skip copying the rest.
            lines.push_back(b.length() > 1 && b.text().startsWith(QLatin1Char('#')) ? b.text().toStdU16String()
                                                                                    : std::u16string());
        }
    } else {
        for (int line = 0; line < count; ++line) lines.push_back(LabelLineText(line));
    }
    m_labels.Rebuild(lines);
    m_labelsCurrent = true;
    FillCombo();
}

void CScriptFrame::BeginLabelScan() {
    m_scanning = m_showLabels;
    m_labelsCurrent = false;
    if (m_scanning) m_labels.BeginScan();
}

void CScriptFrame::ScanLabels(const QString& piece) {
    if (m_scanning) m_labels.Scan(std::u16string_view(reinterpret_cast<const char16_t*>(piece.utf16()), piece.size()));
}

void CScriptFrame::EndLabelScan() {
    if (!m_scanning) return;
    m_scanning = false;
    m_labelsCurrent = true;
    FillCombo();
}

void CScriptFrame::OnTextChanged(const CEditView::Change& change) {
    SpliceLabels(change.firstLine, change.lastLine, change.lineDelta);
}

void CScriptFrame::OnLargeTextChanged(const PieceTable::Change& change) {
    const int first = int(change.line);
    SpliceLabels(first, first + int(change.insertedBreaks), int(change.insertedBreaks) - int(change.removedBreaks));
}

void CScriptFrame::SpliceLabels(int first, int last, int delta) {
    if (!m_showLabels || (!m_view && !m_largeView)) return;
    if (!m_labelsCurrent) {
        RebuildLabels();
        return;
    }
    const bool wasEmpty = m_labels.Entries().empty();
    std::vector<std::u16string> lines;
    if (m_view) {
        QTextBlock b = m_view->document()->findBlockByNumber(first);
        for (int line = first; line <= last && b.isValid(); ++line, b = b.next())
            lines.push_back(b.length() > 1 && b.text().startsWith(QLatin1Char('#')) ? b.text().toStdU16String()
                                                                                    : std::u16string());
    } else {
        for (int line = first; line <= std::min(last, LineCount() - 1); ++line) lines.push_back(LabelLineText(line));
    }
    const LabelIndex::Splice s = m_labels.ReplaceLines(first, last - delta, lines);
    // Touch only the entries that changed: a long list is not refilled for one keystroke.
    if (wasEmpty || m_labels.Entries().empty()) {
        if (s.changed) FillCombo();
    } else if (s.changed) {
        if (s.removed > 0) m_wndLabelsCombo->model()->removeRows(s.index, s.removed);
        QStringList added;
        for (int i = s.index; i < s.index + s.inserted; ++i)
            added << QString::fromStdU16String(m_labels.Entries()[static_cast<size_t>(i)].text);
        m_wndLabelsCombo->insertItems(s.index, added);
    }
    m_wndLabelsCombo->setCurrentIndex(0);
}

void CScriptFrame::OnLabelSelected(int index) {
    const QString text = m_wndLabelsCombo->itemText(index);
    if (text.isEmpty() || text == QLatin1String("No Labels")) return;
    if (m_largeView) {
        // The list follows the text: the entry knows its line.
        if (index >= 0 && index < int(m_labels.Entries().size())) {
            const PieceTable& table = m_largeView->Text()->Table();
            const size_t start = table.LineStart(size_t(m_labels.Entries()[size_t(index)].line));
            m_largeView->SetCaret(start);
            m_largeView->SetCaret(start + text.toUtf8().size(), true);
        }
        m_wndLabelsCombo->setFocus();
        return;
    }
    if (!m_view) return;
    QTextCursor end(m_view->document());
    end.movePosition(QTextCursor::End);
    m_view->setTextCursor(end);
    const QTextCursor found = m_view->document()->find(text, end, QTextDocument::FindBackward | QTextDocument::FindWholeWords);
    if (!found.isNull()) {
        m_view->setTextCursor(found);
        m_view->ensureCursorVisible();
    }
    m_wndLabelsCombo->setFocus();
}

void CScriptFrame::ShowLabelOfLine(int line) {
    if (!m_showLabels || !m_labelsCurrent) return;
    if (const int index = m_labels.IndexOfLine(line); index >= 0) m_wndLabelsCombo->setCurrentIndex(index);
}

void CScriptFrame::OnToggleLabelsBar() {
    m_showLabels = !m_showLabels;
    m_wndLabelsBar->setVisible(m_showLabels);
    m_labelsCurrent = false;  // the list does not follow the text while the bar is hidden
    if (m_showLabels) RebuildLabels();
    if (CMainFrame* main = theApp.GetMainFrame()) {
        main->m_labelsBar = m_showLabels ? 1 : 0;
        main->UpdateCommandStates();  // the View menu's check mark follows, whichever menu hid the bar
    }
}

bool CScriptFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_wndLabelsBar && event->type() == QEvent::ContextMenu) {
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        CMainFrame* main = theApp.GetMainFrame();
        if (main && main->UsesCustomMenus()) {
            main->UpdateCommandStates();
            main->ShownMenu(QStringLiteral("DOCKING 2"))->popup(at);
        } else {
            m_labelsMenu->popup(at);
        }
        return true;
    }
    return CChildFrame::eventFilter(watched, event);
}

}  // namespace qm
