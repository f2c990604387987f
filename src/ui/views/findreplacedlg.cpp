#include "ui/views/findreplacedlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "core/views/colouring.h"
#include "core/views/wrapsearch.h"
#include "core/doc/tablesearch.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"
#include "ui/views/viewmarks.h"

namespace qm {

CFindReplaceDlg::CFindReplaceDlg(QWidget* parent) : QDialog(parent) {
    setModal(false);
    auto* grid = new QGridLayout(this);
    m_findWhat = new QLineEdit(this);
    m_replaceWith = new QLineEdit(this);
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(m_findWhat);
    m_replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    m_replaceLabel->setBuddy(m_replaceWith);
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* dirLayout = new QHBoxLayout(direction);
    m_up = new QRadioButton(QStringLiteral("&Up"), direction);
    m_down = new QRadioButton(QStringLiteral("&Down"), direction);
    m_down->setChecked(true);
    dirLayout->addWidget(m_up);
    dirLayout->addWidget(m_down);
    m_direction = direction;

    auto* findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    findNext->setDefault(true);
    m_replaceButton = new QPushButton(QStringLiteral("&Replace"), this);
    m_replaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(findNext, &QPushButton::clicked, this, &CFindReplaceDlg::FindNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceCurrent);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_findWhat, &QLineEdit::textChanged, this, &CFindReplaceDlg::MarkMatches);
    connect(m_matchCase, &QCheckBox::toggled, this, &CFindReplaceDlg::MarkMatches);
    connect(m_wholeWord, &QCheckBox::toggled, this, &CFindReplaceDlg::MarkMatches);

    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_findWhat, 0, 1);
    grid->addWidget(m_replaceLabel, 1, 0);
    grid->addWidget(m_replaceWith, 1, 1);
    grid->addWidget(m_matchCase, 2, 0, 1, 2);
    grid->addWidget(m_wholeWord, 3, 0, 1, 2);
    grid->addWidget(direction, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {findNext, m_replaceButton, m_replaceAllButton, cancel}) buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 5, 1);
    setMinimumWidth(420);
}

void CFindReplaceDlg::SetMode(bool replace) {
    m_replaceMode = replace;
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    for (QWidget* w : {static_cast<QWidget*>(m_replaceLabel), static_cast<QWidget*>(m_replaceWith),
                       static_cast<QWidget*>(m_replaceButton), static_cast<QWidget*>(m_replaceAllButton)})
        w->setVisible(replace);
    m_direction->setVisible(!replace);
    if (replace) m_down->setChecked(true);
}

namespace {
// What Find starts with: the selection within a line, else the word at the caret, else nothing.
QString WordToFind(const QString& line, int column) {
    const auto [from, to] = WordAround(line.toStdU16String(), column);
    return line.mid(from, to - from);
}

QString WordToFind(const CLargeTextView& view) {
    if (view.HasSelection()) {
        const QString selected = view.SelectedText();
        return selected.contains(QLatin1Char('\n')) ? QString() : selected;
    }
    const PieceTable& table = view.Text()->Table();
    return WordToFind(QString::fromStdString(table.LineText(size_t(view.CaretLine()))), view.CaretColumn());
}

QString WordToFind(const CEditView& view) {
    const QTextCursor c = view.textCursor();
    if (c.hasSelection()) {
        const QString selected = c.selectedText();
        return selected.contains(QChar::ParagraphSeparator) ? QString() : selected;
    }
    return WordToFind(c.block().text(), c.positionInBlock());
}

// The word for the dialog from whichever window is active.
QString ActiveWord(CEditView* view, CLargeTextView* large) {
    if (view) return WordToFind(*view);
    if (large) return WordToFind(*large);
    return {};
}
}  // namespace

void CFindReplaceDlg::ShowFind() {
    SetMode(false);
    if (const QString word = ActiveWord(Target(), LargeTarget()); !word.isEmpty()) m_findWhat->setText(word);
    show();
    MarkMatches();
    raise();
    activateWindow();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}

void CFindReplaceDlg::ShowReplace() {
    SetMode(true);
    if (const QString word = ActiveWord(Target(), LargeTarget()); !word.isEmpty()) m_findWhat->setText(word);
    show();
    MarkMatches();
    raise();
    activateWindow();
    m_findWhat->setFocus();
}

QTextDocument::FindFlags CFindReplaceDlg::Flags() const {
    QTextDocument::FindFlags f;
    if (m_matchCase->isChecked()) f |= QTextDocument::FindCaseSensitively;
    if (m_wholeWord->isChecked()) f |= QTextDocument::FindWholeWords;
    if (!m_replaceMode && m_up->isChecked()) f |= QTextDocument::FindBackward;
    return f;
}

CEditView* CFindReplaceDlg::Target() const {
    CMainFrame* main = theApp.GetMainFrame();
    CScriptDoc* doc = main ? main->ActiveDocument() : nullptr;
    return doc ? doc->GetView() : nullptr;
}

CLargeTextView* CFindReplaceDlg::LargeTarget() const {
    CMainFrame* main = theApp.GetMainFrame();
    return main ? main->ActiveLargeView() : nullptr;
}

TableSearch CFindReplaceDlg::Search() const {
    return TableSearch{m_findWhat->text().toStdString(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

void CFindReplaceDlg::NotFound() {
    theApp.GetPrompter().MessageBox(QStringLiteral("Cannot find \"%1\".").arg(m_findWhat->text()), {}, MbButtons::Ok,
                                    MbIcon::Information);
}

bool CFindReplaceDlg::FindLarge(CLargeTextView& view, bool backward) {
    const TableSearch search = Search();
    const PieceTable& table = view.Text()->Table();
    const auto findFrom = [&](int from) {
        const size_t hit = FindInTable(table, search, size_t(from), backward);
        return hit == std::string::npos ? -1 : int(hit);
    };
    const size_t from = backward ? std::min(view.CaretOffset(), view.AnchorOffset())
                                 : std::max(view.CaretOffset(), view.AnchorOffset());
    const WrapFound result = FindWrapping(findFrom, int(from), int(table.Size()), backward);
    if (result.position < 0) {
        NotFound();
        return false;
    }
    ShowStatus(result.wrapped ? QString::fromLatin1(WrapMessage(backward)) : QString());
    view.SetCaret(size_t(result.position));
    view.SetCaret(size_t(result.position) + search.what.size(), true);
    return true;
}

int CFindReplaceDlg::ReplaceAllLarge(CLargeTextView& view) {
    const TableSearch search = Search();
    const std::string with = m_replaceWith->text().toStdString();
    PieceTable& table = view.Text()->Table();
    int count = 0;
    table.BeginUndoGroup();  // one Undo takes every replacement back
    for (size_t at = FindInTable(table, search, 0, false); at != std::string::npos;
         at = FindInTable(table, search, at + with.size(), false)) {
        table.Replace(at, search.what.size(), with);
        ++count;
    }
    table.EndUndoGroup();
    return count;
}

bool CFindReplaceDlg::FindNext() { return Find(!m_replaceMode && m_up->isChecked()); }

bool CFindReplaceDlg::Find(bool backward) {
    if (CLargeTextView* large = LargeTarget(); large && !m_findWhat->text().isEmpty()) return FindLarge(*large, backward);
    CEditView* view = Target();
    const QString what = m_findWhat->text();
    if (!view || what.isEmpty()) return false;
    MarkMatches();
    QTextDocument::FindFlags flags = Flags() & ~QTextDocument::FindBackward;
    if (backward) flags |= QTextDocument::FindBackward;
    QTextDocument* doc = view->document();
    QTextCursor found;
    const auto findFrom = [&](int from) {
        found = doc->find(what, from, flags);
        return found.isNull() ? -1 : found.selectionStart();
    };
    const QTextCursor caret = view->textCursor();
    const WrapFound result = FindWrapping(findFrom, backward ? caret.selectionStart() : caret.selectionEnd(),
                                          doc->characterCount() - 1, backward);
    if (result.position < 0) {
        theApp.GetPrompter().MessageBox(QStringLiteral("Cannot find \"%1\".").arg(what), {}, MbButtons::Ok,
                                        MbIcon::Information);
        return false;
    }
    ShowStatus(result.wrapped ? QString::fromLatin1(WrapMessage(backward)) : QString());
    view->setTextCursor(found);
    view->ensureCursorVisible();
    return true;
}

void CFindReplaceDlg::ShowStatus(const QString& text) const {
    CMainFrame* main = theApp.GetMainFrame();
    if (!main) return;
    if (text.isEmpty()) main->statusBar()->clearMessage();
    else main->statusBar()->showMessage(text);
}

void CFindReplaceDlg::MarkMatches() {
    CEditView* view = isVisible() ? Target() : nullptr;
    if (m_marked && m_marked != view) m_marked->Marks()->SetSearch(QString(), {});
    m_marked = view;
    if (view) view->Marks()->SetSearch(m_findWhat->text(), Flags());
}

void CFindReplaceDlg::hideEvent(QHideEvent* event) {
    if (m_marked) m_marked->Marks()->SetSearch(QString(), {});
    m_marked = nullptr;
    QDialog::hideEvent(event);
}

bool CFindReplaceDlg::ReplaceCurrent() {
    if (CLargeTextView* large = LargeTarget()) {
        const size_t from = std::min(large->CaretOffset(), large->AnchorOffset());
        const size_t length = std::max(large->CaretOffset(), large->AnchorOffset()) - from;
        if (IsMatchAt(large->Text()->Table(), Search(), from, length)) large->InsertText(m_replaceWith->text());
        return FindNext();
    }
    CEditView* view = Target();
    if (!view) return false;
    QTextCursor c = view->textCursor();
    const Qt::CaseSensitivity cs = m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (c.hasSelection() && c.selectedText().compare(m_findWhat->text(), cs) == 0) {
        c.insertText(m_replaceWith->text());
        view->setTextCursor(c);
    }
    return FindNext();
}

int CFindReplaceDlg::ReplaceAll() {
    CEditView* view = Target();
    CLargeTextView* large = LargeTarget();
    const QString what = m_findWhat->text();
    if ((!view && !large) || what.isEmpty()) return 0;
    if (large) {
        const int replaced = ReplaceAllLarge(*large);
        if (replaced == 0) NotFound();
        else ShowStatus(replaced == 1 ? QStringLiteral("Replaced 1 occurrence") : QStringLiteral("Replaced %1 occurrences").arg(replaced));
        return replaced;
    }
    QTextCursor edit(view->document());
    edit.beginEditBlock();  // one Undo takes every replacement back
    int count = 0;
    QTextCursor at(view->document());
    const QTextDocument::FindFlags flags = Flags() & ~QTextDocument::FindBackward;
    for (at = view->document()->find(what, at, flags); !at.isNull(); at = view->document()->find(what, at, flags)) {
        at.insertText(m_replaceWith->text());
        ++count;
    }
    edit.endEditBlock();
    if (count == 0)
        theApp.GetPrompter().MessageBox(QStringLiteral("Cannot find \"%1\".").arg(what), {}, MbButtons::Ok,
                                        MbIcon::Information);
    else
        ShowStatus(count == 1 ? QStringLiteral("Replaced 1 occurrence") : QStringLiteral("Replaced %1 occurrences").arg(count));
    return count;
}

bool CFindReplaceDlg::Repeat(bool reverse) {
    if (m_findWhat->text().isEmpty()) {
        ShowFind();
        return false;
    }
    const bool up = !m_replaceMode && m_up->isChecked();
    return Find(reverse ? !up : up);
}

}  // namespace qm
