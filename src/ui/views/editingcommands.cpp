#include "ui/views/editingcommands.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "ui/frames/childfrm.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/blockedits.h"
#include "ui/views/descriptview.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"
#include "ui/views/findreplacedlg.h"
#include "ui/views/gotolinedlg.h"
#include "ui/views/scriptview.h"
#include "ui/views/zoom.h"

namespace qm {

namespace {
// A double-click on the status bar's Ln pane asks for a line, as Go To Line does.
class LinePaneClicks : public QObject {
public:
    explicit LinePaneClicks(CMainFrame& main) : QObject(&main), m_main(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick && (m_main.ActiveView() || m_main.ActiveLargeView())) {
            OnGoToLine(m_main);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CMainFrame& m_main;
};

constexpr int kNeedView[] = {ID_EDIT_GOTO_LINE, ID_EDIT_FIND_PREVIOUS, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT,
                             ID_VIEW_ZOOM_RESET};
}  // namespace

void ConnectEditingCommands(CMainFrame& main) {
    CMainFrame* m = &main;
    QObject::connect(main.AddAction(ID_EDIT_GOTO_LINE, "&Go To Line...\tCtrl+G", QKeySequence(Qt::CTRL | Qt::Key_G)),
                     &QAction::triggered, m, [m] { OnGoToLine(*m); });
    QObject::connect(main.AddAction(ID_EDIT_FIND_PREVIOUS, "Find &Previous\tShift+F3",
                                    QKeySequence(Qt::SHIFT | Qt::Key_F3), "find"),
                     &QAction::triggered, m, [m] { m->FindReplaceDialog()->Repeat(true); });
    QObject::connect(main.AddAction(ID_EDIT_TOGGLE_REMARK, "Toggle &Remark\tCtrl+/",
                                    QKeySequence(Qt::CTRL | Qt::Key_Slash)),
                     &QAction::triggered, m, [m] {
                         if (CEditView* v = m->ActiveView()) ToggleRemarkLines(*v);
                     });
    QAction* numbers = main.AddAction(ID_VIEW_LINENUMBERS, "Line &Numbers");
    numbers->setCheckable(true);
    QObject::connect(numbers, &QAction::triggered, m, [m] { OnToggleLineNumbers(*m); });
    QAction* in = main.AddAction(ID_VIEW_ZOOM_IN, "Zoom &In\tCtrl++", QKeySequence(QKeySequence::ZoomIn));
    // "+" is a shifted key on most keyboards: Ctrl and the key itself ("=") zoom too.
    in->setShortcuts({QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QObject::connect(in, &QAction::triggered, m, [m] { ZoomViews(*m, 1); });
    QObject::connect(main.AddAction(ID_VIEW_ZOOM_OUT, "Zoom &Out\tCtrl+-", QKeySequence(QKeySequence::ZoomOut)),
                     &QAction::triggered, m, [m] { ZoomViews(*m, -1); });
    QObject::connect(main.AddAction(ID_VIEW_ZOOM_RESET, "Normal Text &Size\tCtrl+0", QKeySequence(Qt::CTRL | Qt::Key_0)),
                     &QAction::triggered, m, [m] { ResetZoom(*m); });
}

void WatchLinePaneClicks(CMainFrame& main) {
    if (main.m_lineIndicator) main.m_lineIndicator->installEventFilter(new LinePaneClicks(main));
}

void UpdateEditingCommands(CMainFrame& main) {
    CEditView* view = main.ActiveView();
    for (int id : kNeedView)
        if (QAction* a = main.Action(id)) a->setEnabled(view || main.ActiveLargeView());
    if (QAction* a = main.Action(ID_EDIT_TOGGLE_REMARK))
        a->setEnabled(qobject_cast<CScriptView*>(view) || qobject_cast<CDescriptView*>(view));
    if (QAction* a = main.Action(ID_VIEW_LINENUMBERS)) a->setChecked(main.m_lineNumbers == 1);
}

void OnGoToLine(CMainFrame& main) {
    if (CLargeTextView* large = main.ActiveLargeView()) {
        const int lines = int(std::min<size_t>(large->Text()->Table().LineCount(), size_t(INT_MAX)));
        auto* dlg = new CGoToLineDlg(lines, large->CaretLine() + 1, &main);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<CLargeTextView> target = large;
        QObject::connect(dlg, &QDialog::accepted, large, [dlg, target] {
            if (!target) return;
            target->GoToLine(dlg->Line() - 1);
            target->setFocus();
        });
        dlg->open();
        return;
    }
    CEditView* view = main.ActiveView();
    if (!view) return;
    auto* dlg = new CGoToLineDlg(view->document()->blockCount(), view->textCursor().blockNumber() + 1, &main);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<CEditView> target = view;
    QObject::connect(dlg, &QDialog::accepted, view, [dlg, target] {
        if (!target) return;
        target->GoToLine(dlg->Line() - 1);
        target->setFocus();
    });
    dlg->open();
}

void OnToggleLineNumbers(CMainFrame& main) {
    main.m_lineNumbers = main.m_lineNumbers == 1 ? 0 : 1;
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            if (frame->GetView()) frame->GetView()->ShowLineNumbers(main.m_lineNumbers == 1);
            if (frame->GetLargeView()) frame->GetLargeView()->ShowLineNumbers(main.m_lineNumbers == 1);
        }
    UpdateEditingCommands(main);
}

}  // namespace qm
