#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"

using namespace qm;

namespace {
class Labels : public EditorFixture {
protected:
    static QStringList Entries(CScriptDoc* d) {
        auto* frame = qobject_cast<CScriptFrame*>(d->GetFrame());
        QStringList l;
        for (int i = 0; i < frame->m_wndLabelsCombo->count(); ++i) l << frame->m_wndLabelsCombo->itemText(i);
        return l;
    }
    static CScriptFrame* Frame(CScriptDoc* d) { return qobject_cast<CScriptFrame*>(d->GetFrame()); }
};
}  // namespace

TEST_F(Labels, ListsLabelLinesInTextOrder) {
    CScriptDoc* d = Open("m/l.sqs", "#start ; go\r\n  #indented\r\nhint\r\n#end\r\n#start ; go\r\n");
    EXPECT_EQ(Entries(d), (QStringList{"#start ; go", "#end", "#start ; go"}));
    EXPECT_EQ(Frame(d)->m_wndLabelsCombo->currentIndex(), 0);
    EXPECT_EQ(Frame(d)->m_wndLabelsCombo->toolTip(), "List of script labels");
    EXPECT_EQ(Frame(d)->m_wndLabelsCombo->width(), 200);
}

TEST_F(Labels, NoLabelsAndChoosingItDoesNothing) {
    CScriptDoc* d = Open("m/n.sqs", "hint\r\n");
    EXPECT_EQ(Entries(d), QStringList{"No Labels"});
    const int caret = d->GetView()->textCursor().position();
    Frame(d)->OnLabelSelected(0);
    EXPECT_EQ(d->GetView()->textCursor().position(), caret);
}

TEST_F(Labels, ChoosingALabelSelectsItsLastOccurrenceIgnoringCase) {
    CScriptDoc* d = Open("m/s.sqs", "#Loop ; x\r\nhint\r\n#LOOP ; X\r\nexit\r\n");
    Frame(d)->OnLabelSelected(0);
    const QTextCursor c = d->GetView()->textCursor();
    EXPECT_EQ(c.selectedText(), "#LOOP ; X");
    EXPECT_EQ(c.blockNumber(), 2);
}

TEST_F(Labels, FollowTypingAHashAndDeletingTheLine) {
    CScriptDoc* d = Open("m/t.sqs", "hint\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 1, 0);
    QTest::keyClick(v, Qt::Key_NumberSign);
    EXPECT_EQ(Entries(d), QStringList{"#"});
    QTest::keyClicks(v, "top");
    EXPECT_EQ(Entries(d), QStringList{"#top"});
    EXPECT_EQ(v->document()->findBlockByNumber(1).text(), "#top");
    // Delete the whole line, its line break included.
    QTextCursor c = v->textCursor();
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    v->setTextCursor(c);
    QTest::keyClick(v, Qt::Key_Delete);
    c = v->textCursor();
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    v->setTextCursor(c);
    QTest::keyClick(v, Qt::Key_Delete);
    EXPECT_EQ(v->GetText(), "hint");
    EXPECT_EQ(Entries(d), QStringList{"No Labels"});
}

TEST_F(Labels, NextKeystrokeShowsTheFirstEntryAgain) {
    CScriptDoc* d = Open("m/k.sqs", "#a\r\n#b\r\nhint\r\n");
    Frame(d)->m_wndLabelsCombo->setCurrentIndex(1);
    PlaceCaret(d->GetView(), 2, 4);
    QTest::keyClicks(d->GetView(), " x");
    EXPECT_EQ(Frame(d)->m_wndLabelsCombo->currentIndex(), 0);
}

TEST_F(Labels, HidingTheBarChangesTheSettingForLaterWindowsOnly) {
    CScriptDoc* first = Open("m/1.sqs", "#a\r\n");
    CScriptDoc* second = Open("m/2.sqs", "#b\r\n");
    Frame(second)->OnToggleLabelsBar();
    EXPECT_FALSE(Frame(second)->m_wndLabelsBar->isVisible());
    EXPECT_TRUE(Frame(first)->m_wndLabelsBar->isVisible());
    EXPECT_EQ(Main()->m_labelsBar, 0);
    CScriptDoc* third = Open("m/3.sqs", "#c\r\n");
    EXPECT_FALSE(Frame(third)->m_showLabels);
    // A hidden bar is not kept up to date; showing it rebuilds the list.
    QTest::keyClicks(third->GetView(), "#new");
    QTest::keyClick(third->GetView(), Qt::Key_Return);
    Frame(third)->OnToggleLabelsBar();
    EXPECT_EQ(Entries(third), (QStringList{"#new", "#c"}));
    EXPECT_EQ(Main()->m_labelsBar, 1);
}

TEST_F(Labels, BarMenuAndViewCommandFollowTheActiveScriptWindow) {
    CScriptDoc* d = Open("m/v.sqs", "#a\r\n");
    QMenu* menu = Frame(d)->LabelsBarMenu();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "&Labels Bar");
    Main()->UpdateCommandStates();
    EXPECT_TRUE(Main()->Action(ID_VIEW_LABELSBAR)->isEnabled());
    EXPECT_TRUE(Main()->Action(ID_VIEW_LABELSBAR)->isChecked());
    Main()->Action(ID_VIEW_LABELSBAR)->trigger();
    EXPECT_FALSE(Frame(d)->m_showLabels);
    EXPECT_FALSE(Main()->Action(ID_VIEW_LABELSBAR)->isChecked());
    New(DocKind::Text);
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_VIEW_LABELSBAR)->isEnabled());
}

TEST_F(Labels, ASecondWindowOnTheScriptKeepsTheListInStep) {
    CScriptDoc* d = Open("m/w.sqs", "hint\r\n#L\r\n");
    CEditView* first = d->GetView();
    Main()->Action(ID_WINDOW_NEW)->trigger();
    CEditView* second = Main()->ActiveView();
    ASSERT_NE(second, first);
    // A line added above the label, in either window, moves its entry down by one line.
    PlaceCaret(second, 0, 0);
    QTest::keyClick(second, Qt::Key_Return);
    PlaceCaret(first, 0, 0);
    QTest::keyClick(first, Qt::Key_Return);
    ASSERT_EQ(first->document()->findBlockByNumber(3).text(), "#L");
    // So an edit of the label's line changes its entry instead of adding one beside it.
    PlaceCaret(second, 3, 2);
    QTest::keyClicks(second, "oop");
    EXPECT_EQ(Entries(d), QStringList{"#Loop"});
    Frame(d)->OnLabelSelected(0);
    EXPECT_EQ(first->textCursor().blockNumber(), 3);
    // Closing the second window leaves the list following the text.
    for (QMdiSubWindow* w : Main()->MdiArea()->subWindowList())
        if (static_cast<CChildFrame*>(w)->GetView() == second) w->close();
    Settle();
    PlaceCaret(first, 0, 0);
    QTest::keyClicks(first, "#top");
    EXPECT_EQ(Entries(d), (QStringList{"#top", "#Loop"}));
}
