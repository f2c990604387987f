#include "ui/views/assistcommands.h"

#include <QAction>

#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/completionpopup.h"
#include "ui/views/scriptassist.h"
#include "ui/views/scriptview.h"

namespace qm {

namespace {
CScriptView* ActiveScriptView(const CMainFrame& main) { return qobject_cast<CScriptView*>(main.ActiveView()); }

constexpr int kNeedScriptView[] = {ID_EDIT_GOTO_LABEL, ID_EDIT_COMPLETE_WORD, ID_EDIT_SYNTAX_TIP};
}  // namespace

void ConnectAssistCommands(CMainFrame& main) {
    CMainFrame* m = &main;
    QObject::connect(main.AddAction(ID_EDIT_GOTO_LABEL, "Go To &Label\tF12", QKeySequence(Qt::Key_F12)),
                     &QAction::triggered, m, [m] {
                         if (CScriptView* v = ActiveScriptView(*m)) GoToLabelAt(*v, v->textCursor().position());
                     });
    QObject::connect(main.AddAction(ID_EDIT_COMPLETE_WORD, "Complete &Word\tCtrl+Space",
                                    QKeySequence(Qt::CTRL | Qt::Key_Space)),
                     &QAction::triggered, m, [m] {
                         if (CScriptView* v = ActiveScriptView(*m)) v->Completion()->Open(true);
                     });
    QObject::connect(main.AddAction(ID_EDIT_SYNTAX_TIP, "S&yntax Tip\tCtrl+Shift+Space",
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Space)),
                     &QAction::triggered, m, [m] {
                         if (CScriptView* v = ActiveScriptView(*m)) ShowSyntaxTip(*v, v->textCursor().position());
                     });
    QAction* autoComplete = main.AddAction(ID_VIEW_AUTOCOMPLETE, "&Auto Complete");
    autoComplete->setCheckable(true);
    QObject::connect(autoComplete, &QAction::triggered, m, [m] { OnToggleAutoComplete(*m); });
}

void UpdateAssistCommands(CMainFrame& main) {
    const bool script = ActiveScriptView(main) != nullptr;
    for (int id : kNeedScriptView)
        if (QAction* a = main.Action(id)) a->setEnabled(script);
    if (QAction* a = main.Action(ID_VIEW_AUTOCOMPLETE)) a->setChecked(main.m_autoComplete == 1);
}

void OnToggleAutoComplete(CMainFrame& main) {
    main.m_autoComplete = main.m_autoComplete == 1 ? 0 : 1;
    UpdateAssistCommands(main);
}

}  // namespace qm
