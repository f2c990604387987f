// Menus, toolbar and status bar as a user meets them: prompts, captions, check marks, window commands.
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "support/editorfixture.h"
#include "support/menutexts.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"
#include "ui/menus/newtoolbar.h"

using namespace qm;

namespace {
class Menus : public EditorFixture {
protected:
    QString Message() const { return Main()->statusBar()->currentMessage(); }
    QMenu* BarMenu(const QString& title) const {
        for (QAction* a : Main()->menuBar()->actions())
            if (a->text() == title) return a->menu();
        ADD_FAILURE() << "no menu " << title.toStdString();
        return nullptr;
    }
    CBackgroundWnd* Area() const { return qobject_cast<CBackgroundWnd*>(Main()->MdiArea()); }
};
}  // namespace

TEST_F(Menus, HighlightedItemsShowTheirPromptAndReadyComesBack) {
    EXPECT_EQ(Message(), "Ready");
    QMenu* file = BarMenu("&File");
    ASSERT_NE(file, nullptr);
    for (int round = 0; round < 2; ++round) {  // "Ready" comes back after every menu, not only the first
        Main()->menuBar()->setActiveAction(file->menuAction());
        ASSERT_TRUE(file->isVisible());
        file->setActiveAction(Main()->Action(ID_FILE_OPEN));
        EXPECT_EQ(Message(), "Open an existing document");
        file->hide();
        Settle();
        EXPECT_EQ(Message(), "Ready");
    }

    // A menu that pops up on its own (the editor's context menu).
    New(DocKind::Script);
    QMenu* context = Main()->PopupMenu("CONTEXT");
    context->popup(Main()->mapToGlobal(QPoint(50, 50)));
    context->setActiveAction(Main()->Action(ID_EDIT_SELECT_ALL));
    EXPECT_EQ(Message(), "Select the entire document");
    context->hide();
    Settle();
    EXPECT_EQ(Message(), "Ready");

    // A toolbar button while the pointer is over it.
    QWidget* run = Main()->m_wndToolBar->widgetForAction(Main()->Action(ID_RUN_GAME));
    ASSERT_NE(run, nullptr);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(run, &enter);
    EXPECT_EQ(Message(), "Run Varnholt NOW !");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(run, &leave);
    EXPECT_EQ(Message(), "Ready");
}

TEST_F(Menus, EveryMenuItemHasAPromptAndTheGivenOnesAreUsed) {
    New(DocKind::Script);
    for (const char* name : {"File (document)", "Edit", "View", "Tools", "Window", "Help", "New File",
                                "Wizard Created File", "Helpful Links", "Edit Data Files", "CONTEXT", "NEW"})
        for (QAction* a : Main()->PopupMenu(name)->actions())
            if (!a->isSeparator() && !a->menu()) {
                EXPECT_FALSE(a->statusTip().isEmpty()) << a->text().toStdString();
            }
    const std::pair<int, const char*> given[] = {
        {ID_COMREF, "Open the Command Reference Manual"},
        {ID_RUN_GAME, "Run Varnholt NOW !"},
        {ID_NEXT_DOC, "Make the next document active"},
        {ID_PREV_DOC, "Make the previous document active"},
        {ID_OPEN_MISSIONS, "Open the current players mission folder"},
        {ID_SAVE_IN_MISSIONS, "Open the current players mission folder for saving"},
        {ID_INSERT_ITEM, "Insert the current item into the active document"},
        {ID_BACKUP_DATA, "Backup custom data files to a directory that will not be removed or uninstalled"},
    };
    for (const auto& [id, prompt] : given) EXPECT_EQ(Main()->Action(id)->statusTip(), prompt) << id;
}

TEST_F(Menus, CaptionsAndOrderAsTheUserReadsThem) {
    New(DocKind::Script);
    EXPECT_EQ(MenuTexts(Main()->PopupMenu("Window")),
              (QStringList{"&New Window", "&Cascade", "&Tile Horizontally", "Tile &Vertically", "&Arrange Icons", "-",
                           "N&ext", "&Previous"}));
    EXPECT_EQ(MenuTexts(Main()->PopupMenu("Edit Data Files")),
              (QStringList{"Edit &Commands Data", "Edit &Weapons Data", "Edit &Unit Wizard Data", "Edit &Syntax Data",
                           "Edit &Auto Header Data", "-", "&Backup Data Files", "&Restore Backup Data", "-",
                           "U&pdate Application Data"}));
    EXPECT_EQ(MenuTexts(Main()->PopupMenu("Helpful Links")),
              (QStringList{"&Varnholt Home Page - LATEST PATCH", "Varnholt &Editing Center - DOWNLOADS AND HELP", "-",
                           "&Updates and Error Reporting"}));
    EXPECT_EQ(Main()->Action(ID_RUN_GAME)->text(), "&Run Varnholt -nosplash");
    // Edit > Delete shows its key; the key itself stays with the editor.
    QAction* clear = Main()->Action(ID_EDIT_CLEAR);
    EXPECT_EQ(clear->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(clear->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_FALSE(clear->isShortcutVisibleInContextMenu());
}

TEST_F(Menus, DelInTheEditorDeletesTheNextCharacter) {
    CScriptDoc* d = Open("m/del.sqs", "abc");
    QApplication::setActiveWindow(Main());
    d->GetView()->setFocus();
    PlaceCaret(d->GetView(), 0, 1);
    QTest::keyClick(d->GetView(), Qt::Key_Delete);
    EXPECT_EQ(d->GetView()->GetText(), "ac");
}

TEST_F(Menus, LabelsToolbarCheckFollowsTheBarHiddenFromItsOwnMenu) {
    CScriptDoc* d = New(DocKind::Script);
    auto* frame = qobject_cast<CScriptFrame*>(d->GetFrame());
    EXPECT_TRUE(Main()->Action(ID_VIEW_LABELSBAR)->isChecked());
    frame->LabelsBarMenu()->actions().first()->trigger();
    EXPECT_FALSE(frame->m_showLabels);
    EXPECT_FALSE(Main()->Action(ID_VIEW_LABELSBAR)->isChecked());
    frame->LabelsBarMenu()->actions().first()->trigger();
    EXPECT_TRUE(Main()->Action(ID_VIEW_LABELSBAR)->isChecked());
}

TEST_F(Menus, TileAndArrangeIconsDoWhatTheySay) {
    std::vector<QMdiSubWindow*> frames;
    for (int i = 0; i < 3; ++i) frames.push_back(New(DocKind::Text)->GetFrame());
    Settle();
    const QRect area = Area()->viewport()->rect();

    Main()->Action(ID_WINDOW_TILE_VERT)->trigger();  // side by side
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i]->geometry().top(), 0);
        EXPECT_EQ(frames[i]->height(), area.height());
        EXPECT_NEAR(frames[i]->width(), area.width() / 3, 1);
        if (i > 0) {
            EXPECT_EQ(frames[i]->geometry().left(), frames[i - 1]->geometry().right() + 1);
        }
    }
    Main()->Action(ID_WINDOW_TILE_HORZ)->trigger();  // one above the other
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i]->geometry().left(), 0);
        EXPECT_EQ(frames[i]->width(), area.width());
        EXPECT_NEAR(frames[i]->height(), area.height() / 3, 1);
    }

    frames[0]->showMinimized();
    frames[2]->showMinimized();
    frames[0]->move(300, 40);
    frames[2]->move(10, 10);
    Main()->Action(ID_WINDOW_ARRANGE)->trigger();
    EXPECT_EQ(frames[0]->geometry().bottom(), area.bottom());
    EXPECT_EQ(frames[2]->geometry().bottom(), area.bottom());
    EXPECT_EQ(frames[0]->geometry().left(), 0);
    EXPECT_EQ(frames[2]->geometry().left(), frames[0]->geometry().right() + 1);
    EXPECT_FALSE(frames[1]->isMinimized());
}

TEST_F(Menus, CascadedWindowsStayInsideTheAreaAndWrapToTheCorner) {
    std::vector<QMdiSubWindow*> frames;
    for (int i = 0; i < 10; ++i) frames.push_back(New(DocKind::Text)->GetFrame());
    const QRect area = Area()->viewport()->rect();
    for (QMdiSubWindow* f : frames) EXPECT_TRUE(area.contains(f->geometry())) << f->geometry().y();
    int corners = 0;
    for (QMdiSubWindow* f : frames) corners += f->pos() == QPoint(0, 0);
    EXPECT_GE(corners, 2);
}

using FirstWindow = AppFixture;

TEST_F(FirstWindow, TheStartDocumentIsNeverTiny) {
    SetSetting("WinWidth", 0);
    ASSERT_TRUE(Start());
    ASSERT_EQ(theApp.Documents().size(), 1u);
    const QSize size = theApp.Documents()[0]->GetFrame()->size();
    EXPECT_GE(size.width(), 400);
    EXPECT_GE(size.height(), 300);
}
