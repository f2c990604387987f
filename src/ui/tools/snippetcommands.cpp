#include "ui/tools/snippetcommands.h"

#include <QAction>
#include <QMenu>

#include "core/doc/titlerules.h"
#include "core/tools/snippetstore.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/screenplacement.h"
#include "ui/tools/snippetdlg.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

namespace {
// Editor text uses paragraph separators inside a selection; snippets use line feeds.
QString WithLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// Writes a snippet and refreshes the list; tells the user when it cannot.
void WriteSnippet(CMainFrame& main, const QString& name, const QString& text) {
    Prompter& prompter = theApp.GetPrompter();
    const std::string n = name.toStdString();
    if (!IsValidSnippetName(n)) {
        prompter.MessageBox(QString::fromStdString(InvalidSnippetNameMessage(n)), QStringLiteral("FILE ERROR"),
                            MbButtons::Ok, MbIcon::None);
        return;
    }
    size_t unmappable = 0;
    if (!SnippetStore(main.m_snippetFolder.toStdString()).Save(n, text.toStdString(), &unmappable)) {
        prompter.MessageBox(QString::fromLatin1(kSnippetSaveError), QStringLiteral("FILE ERROR"), MbButtons::Ok,
                            MbIcon::None);
        return;
    }
    if (main.m_snippetDlg) main.m_snippetDlg->RefreshSnippets();
    TellUnmappable(prompter, unmappable);
}
}  // namespace

CSnippetDlg* SnippetDialog(CMainFrame& main) {
    if (main.m_snippetDlg) return main.m_snippetDlg;
    auto* dlg = new CSnippetDlg(&main);
    if (!dlg->Create(main.m_snippetFolder, main.m_preview)) {
        delete dlg;
        return nullptr;
    }
    main.m_snippetDlg = dlg;
    if (main.m_snippetX > 0 && main.m_snippetY > 0) {
        dlg->move(main.m_snippetX, main.m_snippetY);
    } else {
        QRect box = dlg->frameGeometry();
        box.moveCenter(main.frameGeometry().center());
        dlg->move(box.topLeft());
    }
    return dlg;
}

void ConnectSnippetCommands(CMainFrame& main) {
    main.m_snippetFolder = QString::fromStdString(main.m_snippetDir);

    const std::pair<int, void (*)(CMainFrame&)> commands[] = {
        {ID_INSERT_SNIPPET, OnShowSnippets},
        {ID_SAVE_AS_SNIPPET, OnSaveAsSnippet},
        {ID_COPY_AS_SNIPPET, OnCopyAsSnippet},
    };
    for (const auto& [id, handler] : commands) {
        QAction* a = main.Action(id);
        if (!a) continue;
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, &main, [&main, fn = handler] { fn(main); });
    }
    if (QMenu* edit = main.PopupMenu(QStringLiteral("Edit")))
        QObject::connect(edit, &QMenu::aboutToShow, &main, [&main] { UpdateSnippetCommands(main); });
}

void OnShowSnippets(CMainFrame& main) {
    CSnippetDlg* dlg = SnippetDialog(main);
    if (!dlg) return;
    dlg->showNormal();
    KeepWindowOnScreen(*dlg);  // now with the window system's frame
    dlg->raise();
    dlg->activateWindow();
    dlg->setFocus();
}

void InsertSnippetText(CMainFrame& main, const QString& text) {
    CScriptDoc* doc = main.ActiveDocument();
    if (CLargeTextView* large = main.ActiveLargeView()) {
        large->InsertText(WithLineFeeds(text));
        return;
    }
    CEditView* view = main.ActiveView();
    if (!doc || !view) return;
    // The view colours the lines the text spans and passes the change to the labels bar.
    QTextCursor cursor = view->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(WithLineFeeds(text));
    cursor.endEditBlock();
    view->setTextCursor(cursor);
    view->ensureCursorVisible();
    doc->SetModifiedFlag(true);
}

void OnSaveAsSnippet(CMainFrame& main) {
    CScriptDoc* doc = main.ActiveDocument();
    CEditView* view = main.ActiveView();
    if (main.RefuseForLargeText() || !doc || !view) return;
    const QString name = QString::fromStdString(StripModifiedMarker(doc->GetTitle().toStdString()));
    WriteSnippet(main, name, WithLineFeeds(view->GetText()));
}

void OnCopyAsSnippet(CMainFrame& main) {
    CEditView* view = main.ActiveView();
    CLargeTextView* large = main.ActiveLargeView();
    if (!view && !large) return;
    const QString text = WithLineFeeds(view ? view->textCursor().selectedText() : large->SelectedText());
    if (text.isEmpty()) return;
    const std::string name = SnippetStore(main.m_snippetFolder.toStdString()).FreeTextSnippetName();
    if (name.empty()) return;  // all fifty names are taken
    WriteSnippet(main, QString::fromStdString(name), text);
}

void UpdateSnippetCommands(CMainFrame& main) {
    QAction* copy = main.Action(ID_COPY_AS_SNIPPET);
    if (!copy) return;
    CEditView* view = main.ActiveView();
    CLargeTextView* large = main.ActiveLargeView();
    copy->setEnabled(view ? view->textCursor().hasSelection() : large && large->HasSelection());
}

}  // namespace qm
