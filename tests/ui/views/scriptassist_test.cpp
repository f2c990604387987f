// Completion, syntax tips and Go To Label in a script view, used as a user does.
#include <QComboBox>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QToolTip>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/completionpopup.h"
#include "ui/views/scriptassist.h"
#include "ui/views/scriptview.h"

using namespace qm;

namespace {
class ScriptAssist : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        WriteData("data/resistance/commands.txt", "addMagazine\naddWeapon\nsetDamage\nhint\nexit\n");
        WriteData("data/resistance/data.txt", "[WEAPONS]\nRifleA\nRifleB\n\n[AMMO]\nMagA\n\n[EQUIPMENT]\nBinocular\n");
        WriteData("data/syntax.txt",
                  "[addWeapon]\nunit addWeapon weaponName\nNothing\nplayer addWeapon \"RifleA\"\n\n"
                  "[setDamage]\nobject setDamage damage\nNothing\nplayer setDamage 0 < 1\n");
        theApp.UpdateApplicationData();
    }
    CScriptView* OpenScript(const QByteArray& bytes) {
        CScriptDoc* d = Open("m/assist.sqs", bytes);
        auto* view = qobject_cast<CScriptView*>(d->GetView());
        QApplication::setActiveWindow(Main());
        view->setFocus();
        return view;
    }
    static QString Line(CEditView* v, int line) { return v->document()->findBlockByNumber(line).text(); }
    static QStringList Rows(CScriptView* v) {
        QStringList rows;
        for (int i = 0; i < v->Completion()->RowCount(); ++i) rows << v->Completion()->RowText(i);
        return rows;
    }
    void Trigger(int id) {
        Main()->UpdateCommandStates();
        Main()->Action(id)->trigger();
    }
};
}  // namespace

TEST_F(ScriptAssist, CompletionTakesTheEntryAsOneUndoableEditColouredAtOnce) {
    CScriptView* v = OpenScript("player addWeapon \"ri\r\n\r\n");
    PlaceCaret(v, 0, 20);
    Trigger(ID_EDIT_COMPLETE_WORD);
    CCompletionPopup* list = v->Completion();
    ASSERT_TRUE(list->IsOpen());
    EXPECT_EQ(Rows(v), (QStringList{"RifleA", "RifleB"}));  // the weapons, not the magazine
    QTest::keyClick(v, Qt::Key_Down);
    QTest::keyClick(v, Qt::Key_Return);
    EXPECT_FALSE(list->IsOpen());
    EXPECT_EQ(Line(v, 0), "player addWeapon \"RifleB\"");  // with its quotes, as Insert Current Item puts it
    EXPECT_EQ(v->document()->blockCount(), 3);             // Enter made no line
    EXPECT_EQ(v->textCursor().positionInBlock(), 25);
    EXPECT_EQ(ColourAt(v, 0, 19), Colour(Main()->m_itemColour));
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(Line(v, 0), "player addWeapon \"ri");

    // A command: the list opens by itself after three letters, typing filters it, Tab takes it.
    PlaceCaret(v, 1, 0);
    QTest::keyClicks(v, "_u se");
    EXPECT_FALSE(list->IsOpen());
    QTest::keyClicks(v, "td");
    ASSERT_TRUE(list->IsOpen());
    EXPECT_EQ(Rows(v), (QStringList{"setDamage"}));
    QTest::keyClick(v, Qt::Key_Tab);
    EXPECT_EQ(Line(v, 1), "_u setDamage");
    EXPECT_EQ(ColourAt(v, 1, 5), Colour(Main()->m_commandColour));
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(Line(v, 1), "_u setd");

    // goto offers the script's labels.
    QTest::keyClick(v, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(v, "#Again");
    QTest::keyClick(v, Qt::Key_Return);
    QTest::keyClicks(v, "#done");
    QTest::keyClick(v, Qt::Key_Return);
    QTest::keyClicks(v, "goto \"");
    EXPECT_FALSE(list->IsOpen());  // "goto" written out closed the list "got" opened
    Trigger(ID_EDIT_COMPLETE_WORD);
    EXPECT_EQ(Rows(v), (QStringList{"Again", "done"}));
    QTest::keyClicks(v, "on");
    EXPECT_EQ(Rows(v), (QStringList{"done"}));
    QTest::keyClick(v, Qt::Key_Enter);
    EXPECT_EQ(Line(v, 4), "goto \"done\"");
}

TEST_F(ScriptAssist, EscInTheListOnlyClosesItAndTheProgramRuns) {
    CScriptView* v = OpenScript("\r\n");
    QTest::keyClicks(v, "add");
    CCompletionPopup* list = v->Completion();
    ASSERT_TRUE(list->IsOpen());
    EXPECT_EQ(Rows(v), (QStringList{"addMagazine", "addWeapon"}));
    QTest::keyClicks(v, "W");
    EXPECT_EQ(Rows(v), (QStringList{"addWeapon"}));
    QTest::keyClick(v, Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(list->IsOpen());
    EXPECT_TRUE(Main()->isVisible());
    EXPECT_TRUE(prompter.messages.empty());  // no "Save changes" question: Exit did not run
    ASSERT_EQ(theApp.Documents().size(), 1u);
    EXPECT_EQ(Line(v, 0), "addW");
    QTest::keyClicks(v, "e");  // the name Esc closed the list in keeps it closed
    EXPECT_FALSE(list->IsOpen());

    // "Auto Complete" off: only Ctrl+Space opens it.
    Trigger(ID_VIEW_AUTOCOMPLETE);
    EXPECT_FALSE(Main()->Action(ID_VIEW_AUTOCOMPLETE)->isChecked());
    QTest::keyClicks(v, " hin");
    EXPECT_FALSE(list->IsOpen());
    QTest::keyClick(v, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(list->IsOpen());
    EXPECT_EQ(Rows(v), (QStringList{"hint"}));

    // Moving the main window takes the list along; leaving the editor closes it.
    const QPoint before = list->pos();
    Main()->move(Main()->pos() + QPoint(40, 25));
    QApplication::processEvents();
    EXPECT_EQ(list->pos(), before + QPoint(40, 25));
    QEvent leave(QEvent::WindowDeactivate);
    QApplication::sendEvent(Main(), &leave);
    EXPECT_FALSE(list->IsOpen());
    QTest::keyClick(v, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(list->IsOpen());
    QTest::keyClick(v, Qt::Key_Escape);
    EXPECT_FALSE(list->IsOpen());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Main()->m_autoComplete, 0);
}

TEST_F(ScriptAssist, F12AndCtrlClickOnAGotoMoveTheCaretToItsLabel) {
    CScriptView* v = OpenScript("#start\r\n~1\r\n? true : goto \"LOOP\"\r\ngoto \"nowhere\"\r\n#loop ; again\r\n#loop\r\n");
    auto* combo = qobject_cast<CScriptFrame*>(v->GetParentFrame())->m_wndLabelsCombo;
    PlaceCaret(v, 2, 12);
    QTest::keyClick(v, Qt::Key_F12);
    EXPECT_EQ(v->textCursor().blockNumber(), 4);  // the first #loop, letter case ignored
    EXPECT_EQ(v->textCursor().positionInBlock(), 0);
    EXPECT_EQ(combo->currentText(), "#loop ; again");

    PlaceCaret(v, 3, 2);
    Trigger(ID_EDIT_GOTO_LABEL);
    EXPECT_EQ(v->textCursor().blockNumber(), 3);  // no such label: nothing happens
    EXPECT_EQ(v->textCursor().positionInBlock(), 2);

    PlaceCaret(v, 0, 0);
    QTextCursor onGoto(v->document()->findBlockByNumber(2));
    onGoto.setPosition(onGoto.position() + 16);
    const QPoint at = v->cursorRect(onGoto).center();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    EXPECT_EQ(v->textCursor().blockNumber(), 4);
}

TEST_F(ScriptAssist, SyntaxTipsShowWhatTheSyntaxPaneShows) {
    CScriptView* v = OpenScript("player setDamage 1; hint \"setDamage\"\r\n");
    // The pane's text for setDamage, chosen in the command bar.
    QTreeWidget* tree = Main()->m_wndCommandBar->Tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(2));
    const QString pane = Main()->m_wndCommandBar->SyntaxPane()->toPlainText();
    ASSERT_EQ(pane, "object setDamage damage\nNothing\nplayer setDamage 0 < 1");
    EXPECT_EQ(SyntaxTipText(*v, 10), pane);
    EXPECT_EQ(SyntaxTipText(*v, 29), "");  // inside the hint's string

    v->setFocus();
    PlaceCaret(v, 0, 9);
    QTest::keyClick(v, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("player setDamage 0 &lt; 1"));
    QToolTip::hideText();

    // The mouse resting on "hint": a command without a syntax block.
    QTextCursor onHint(v->document());
    onHint.setPosition(22);
    const QPoint at = v->cursorRect(onHint).center();
    QHelpEvent rest(QEvent::ToolTip, at, v->viewport()->mapToGlobal(at));
    QApplication::sendEvent(v->viewport(), &rest);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("No syntax available"));
    QToolTip::hideText();
}
