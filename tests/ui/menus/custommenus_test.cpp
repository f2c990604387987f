// The frame's owner-drawn menus as the user meets them: built from the plan, sharing the frame's
// commands, switched with the documents, drawn to their rules on screen, driven by the keyboard.
#include <functional>

#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QToolButton>

#include "core/menus/custommenus.h"
#include "support/editorfixture.h"
#include "support/menutexts.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/menus/iconmenu.h"

using namespace qm;

namespace {
class CustomMenus : public EditorFixture {
protected:
    CIconMenu* Menu(MenuName name) const { return Main()->m_iconMenus[IconMenuIndex(name)]; }
    static QStringList PlanCaptions(const MenuPlan& plan) {
        QStringList out;
        for (const MenuEntry& e : plan.entries)
            out << (e.kind == MenuEntry::Separator ? QStringLiteral("-") : QString::fromStdString(e.caption));
        return out;
    }
    QStringList BarTitles() const { return MenuTexts(Main()->menuBar()); }
};
}  // namespace

TEST_F(CustomMenus, EveryMenuHoldsThePlannedItemsWithTheFramesCommands) {
    ASSERT_TRUE(Main()->UsesCustomMenus());
    CustomMenuOptions o;
    o.mrus = Main()->m_mrus;
    for (const MenuPlan& plan : CustomMenuPlan(o)) {
        if (IsBar(plan.name) || plan.name == MenuName::Window || plan.name == MenuName::QuickScripts) continue;
        const CIconMenu* menu = Menu(plan.name);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(MenuCaptions(menu), PlanCaptions(plan)) << static_cast<int>(plan.name);
        for (int i = 0; i < static_cast<int>(plan.entries.size()); ++i)
            if (plan.entries[i].kind == MenuEntry::Item) {
                EXPECT_EQ(menu->CommandOf(menu->actions()[i]), plan.entries[i].commandId);
            }
    }
    // The items are the frame's own commands: one place for triggering, enabling and prompts.
    const CIconMenu* edit = Menu(MenuName::Edit);
    EXPECT_EQ(edit->actions()[0], Main()->Action(ID_EDIT_UNDO));
    EXPECT_EQ(Menu(MenuName::EditorContext)->actions()[0], Main()->Action(ID_EDIT_UNDO));
    // The Window menu's arrangement commands are the frame's, under the custom ids.
    EXPECT_EQ(MenuCaptions(Menu(MenuName::Window)).mid(0, 9),
              (QStringList{"New Window", "Cascade", "Tile Horizontally", "Tile Vertically", "Arrange Icons", "-",
                           "Next\tF6", "Prevoius\tShift+F6", "-"}));
    EXPECT_EQ(Menu(MenuName::Window)->actions()[1], Main()->Action(ID_WINDOW_CASCADE));
    EXPECT_EQ(Menu(MenuName::Window)->CommandOf(Main()->Action(ID_WINDOW_CASCADE)), 1320);
    // Shared pop-ups: one object in both File menus and both bars.
    EXPECT_EQ(Menu(MenuName::FileNoDocument)->actions()[0]->menu(), Menu(MenuName::NewFile));
    EXPECT_EQ(Menu(MenuName::FileDocument)->actions()[0]->menu(), Menu(MenuName::NewFile));
}

TEST_F(CustomMenus, BarsSwitchWithTheDocumentsAndThePictureDoesNothing) {
    EXPECT_EQ(Main()->menuBar(), Main()->m_topMenus[0]);
    EXPECT_EQ(BarTitles(), (QStringList{"&File", "&View", "&Project", "&Tools", "&Help"}));
    CScriptDoc* d = New(DocKind::Script);
    EXPECT_EQ(Main()->menuBar(), Main()->m_topMenus[1]);
    EXPECT_EQ(BarTitles(), (QStringList{"", "&File", "&Edit", "&View", "&Project", "&Tools", "&Window", "&Help"}));
    QAction* picture = Main()->menuBar()->actions()[0];
    EXPECT_EQ(picture->data().toInt(), 1123);
    picture->trigger();  // nothing happens, nothing breaks
    EXPECT_EQ(theApp.Documents().size(), 1u);
    d->GetFrame()->close();
    Settle();
    EXPECT_EQ(Main()->menuBar(), Main()->m_topMenus[0]);
    // The document bar was hidden, not deleted.
    EXPECT_FALSE(Main()->m_topMenus[1]->isVisible());
    New(DocKind::Text);
    EXPECT_EQ(Main()->menuBar(), Main()->m_topMenus[1]);
}

TEST_F(CustomMenus, PopUpsOfTheEditorBarsAndNewFileButtonAreTheOwnerDrawnOnes) {
    EXPECT_EQ(Main()->ShownMenu("CONTEXT"), Menu(MenuName::EditorContext));
    EXPECT_EQ(Main()->ShownMenu("DOCKING 1"), Menu(MenuName::BarContext));
    EXPECT_EQ(Main()->ShownMenu("DOCKING 2"), Menu(MenuName::LabelsBar));
    EXPECT_EQ(Main()->m_newFileButton->menu(), Menu(MenuName::NewFile));
    Menu(MenuName::NewFile)->actions()[3]->trigger();
    ASSERT_NE(Main()->ActiveDocument(), nullptr);
    EXPECT_EQ(Main()->ActiveDocument()->GetTitle(), "Function");
    // The bar menu shows the bars' check marks.
    Main()->ShowBarContextMenu(Main()->mapToGlobal(QPoint(40, 40)));
    QMenu* bars = Menu(MenuName::BarContext);
    EXPECT_TRUE(bars->isVisible());
    EXPECT_TRUE(bars->actions()[1]->isChecked());
    bars->hide();
}

TEST_F(CustomMenus, KeyboardOpensMenusAndMnemonicsChooseItems) {
    QApplication::setActiveWindow(Main());
    Main()->activateWindow();
    QMenuBar* bar = Main()->menuBar();
    bar->setActiveAction(bar->actions()[1]);  // View
    CIconMenu* view = Menu(MenuName::View);
    ASSERT_TRUE(view->isVisible());
    ASSERT_TRUE(Main()->m_wndCommandBar->isVisible());
    QTest::keyClick(view, Qt::Key_C);  // "&Command Bar"
    Settle();
    EXPECT_FALSE(Main()->m_wndCommandBar->isVisible());
    EXPECT_EQ(Main()->m_commandBar, 0);
    // Down and Enter choose the first item.
    bar->setActiveAction(bar->actions()[1]);
    ASSERT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->activeAction(), Main()->Action(ID_VIEW_TOOLBAR));
    view->hide();
}

TEST_F(CustomMenus, TheOpenMenuIsDrawnToItsRules) {
    New(DocKind::Script);
    QMenuBar* bar = Main()->menuBar();
    CIconMenu* file = Menu(MenuName::FileDocument);
    bar->setActiveAction(bar->actions()[1]);
    ASSERT_TRUE(file->isVisible());
    QAction* open = Main()->Action(ID_FILE_OPEN);
    file->setActiveAction(open);
    const QImage img = file->grab().toImage();
    const QRect r = file->actionGeometry(open);
    EXPECT_EQ(img.pixelColor(r.left(), r.top()), QColor(49, 106, 197));
    EXPECT_EQ(img.pixelColor(r.left() + 1, r.top() + 1), QColor(193, 210, 238));
    EXPECT_EQ(r.height(), 22);
    // An idle item keeps the grey column.
    const QRect close = file->actionGeometry(Main()->Action(ID_FILE_CLOSE));
    EXPECT_EQ(img.pixelColor(close.left(), close.top()), file->m_iconColumnColour);
    EXPECT_EQ(img.pixelColor(close.left() + 22, close.top()), file->m_menuColour);
    // The menu is as wide as its widest item, and the separators are 3 high.
    int separators = 0;
    for (QAction* a : file->actions())
        if (a->isSeparator()) {
            EXPECT_EQ(file->actionGeometry(a).height(), 3);
            ++separators;
        }
    EXPECT_GT(separators, 3);
    file->hide();
}

TEST_F(CustomMenus, EveryCommandOfTheStandardBarMenusIsInTheOwnerDrawnOnes) {
    // Commands added to the standard menus must reach the owner-drawn ones too: most users see only those.
    std::function<void(const QMenu*, QSet<QAction*>&)> collect = [&](const QMenu* m, QSet<QAction*>& out) {
        for (QAction* a : m->actions())
            if (a->menu()) collect(a->menu(), out);
            else if (!a->isSeparator() && a == Main()->Action(a->data().toInt())) out.insert(a);
    };
    QSet<QAction*> standard, custom;
    for (const char* name : {"File (document)", "File (no document)", "Edit", "View", "Tools", "Window", "Help"})
        collect(Main()->PopupMenu(QString::fromLatin1(name)), standard);
    for (CTopMenu* bar : Main()->m_topMenus)
        for (QAction* a : bar->actions())
            if (a->menu()) collect(a->menu(), custom);
    standard.remove(Main()->Action(ID_EDIT_REDO));  // Ctrl+Y only in the owner-drawn menus
    QStringList missing;
    for (QAction* a : std::as_const(standard))
        if (!custom.contains(a)) missing << a->text();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}

TEST_F(CustomMenus, MissionItemsNeedShowUsersAndAPlayer) {
    // No player name in the test registry: no mission items, whatever "ShowUsers" says.
    for (QAction* a : Menu(MenuName::FileDocument)->actions())
        EXPECT_NE(Menu(MenuName::FileDocument)->CommandOf(a), ID_OPEN_MISSIONS);
}

namespace {
class CustomMenusOff : public AppFixture {};
}  // namespace

TEST_F(CustomMenusOff, StandardMenusStayWithCustomMenusZero) {
    SetSetting("CustomMenus", 0);
    SetSetting("NewFile", 0);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Main()->UsesCustomMenus());
    EXPECT_EQ(Main()->ShownMenu("CONTEXT"), Main()->PopupMenu("CONTEXT"));
    EXPECT_EQ(Main()->m_newFileButton->menu(), Main()->PopupMenu("NEW"));
    EXPECT_EQ(MenuTexts(Main()->menuBar()), (QStringList{"&File", "&View", "&Tools", "&Help"}));
}

TEST_F(CustomMenusOff, MrusZeroLeavesOutTheRecentFilesPopup) {
    SetSetting("MRUs", 0);
    ASSERT_TRUE(Start());
    for (QAction* a : Main()->m_iconMenus[IconMenuIndex(MenuName::FileNoDocument)]->actions())
        EXPECT_NE(a->menu(), Main()->m_iconMenus[IconMenuIndex(MenuName::RecentFiles)]);
}
