#include "ui/views/findreplacedlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"

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

void CFindReplaceDlg::ShowFind() {
    SetMode(false);
    if (CEditView* v = Target(); v && v->textCursor().hasSelection())
        m_findWhat->setText(v->textCursor().selectedText());
    show();
    raise();
    activateWindow();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}

void CFindReplaceDlg::ShowReplace() {
    SetMode(true);
    show();
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

bool CFindReplaceDlg::FindNext() {
    CEditView* view = Target();
    const QString what = m_findWhat->text();
    if (!view || what.isEmpty()) return false;
    const QTextCursor found = view->document()->find(what, view->textCursor(), Flags());
    if (found.isNull()) {
        theApp.GetPrompter().MessageBox(QStringLiteral("Cannot find \"%1\".").arg(what), {}, MbButtons::Ok,
                                        MbIcon::Information);
        return false;
    }
    view->setTextCursor(found);
    view->ensureCursorVisible();
    return true;
}

bool CFindReplaceDlg::ReplaceCurrent() {
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
    const QString what = m_findWhat->text();
    if (!view || what.isEmpty()) return 0;
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
    return count;
}

bool CFindReplaceDlg::Repeat() {
    if (m_findWhat->text().isEmpty()) {
        ShowFind();
        return false;
    }
    return FindNext();
}

}  // namespace qm
