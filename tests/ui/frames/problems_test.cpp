#include <QAction>
#include <QHelpEvent>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeWidget>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/problemcommands.h"
#include "ui/frames/problemsbar.h"
#include "ui/views/problemchecker.h"
#include "ui/views/viewmarks.h"

using namespace qm;

namespace {

class Problems : public EditorFixture {
protected:
    // Lets the pause run out and the check end.
    static bool WaitForCheck(CEditView* v, int checks = 1) {
        CProblemChecker* c = CProblemChecker::Of(v);
        return c && QTest::qWaitFor([&] { return c->ChecksDone() >= checks && !c->IsPending(); }, 5000);
    }
    CProblemsBar* Bar() const { return ProblemsBar(*Main()); }
    QStringList Rows() const {
        QStringList rows;
        QTreeWidget* list = Bar()->List();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1) + " | " +
                        list->topLevelItem(i)->text(2);
        return rows;
    }
    // The wavy underlines the window shows: "line:column+length" and the colour's name.
    static QStringList Underlines(CEditView* v) {
        v->Marks()->RefreshNow();
        QStringList marks;
        for (const auto& s : v->extraSelections()) {
            if (s.format.underlineStyle() != QTextCharFormat::WaveUnderline) continue;
            const QTextBlock b = v->document()->findBlock(s.cursor.selectionStart());
            marks << QStringLiteral("%1:%2+%3 %4")
                         .arg(b.blockNumber())
                         .arg(s.cursor.selectionStart() - b.position())
                         .arg(s.cursor.selectionEnd() - s.cursor.selectionStart())
                         .arg(s.format.underlineColor() == CViewMarks::ErrorColour() ? "error" : "warning");
        }
        return marks;
    }
    static QString TipAt(CEditView* v, int line, int column) {
        QTextCursor c(v->document()->findBlockByNumber(line));
        c.setPosition(c.position() + column);
        const QPoint p = v->cursorRect(c).center() + QPoint(2, 0);
        QHelpEvent e(QEvent::ToolTip, p, v->viewport()->mapToGlobal(p));
        QApplication::sendEvent(v->viewport(), &e);
        // Taken only over a problem; elsewhere the view's own tips may answer.
        return e.isAccepted() ? QToolTip::text() : QString();
    }
};

}  // namespace

TEST_F(Problems, UnderlinedWithTipsListedInTheBarAndEachRowJumps) {
    CScriptDoc* doc = Open("m/init.sqs", "#loop\nhint \"open\ngoto \"nowhere\"\n#loop\n");
    CEditView* v = doc->GetView();
    ASSERT_TRUE(WaitForCheck(v));
    EXPECT_EQ(Underlines(v), QStringList({"1:5+5 error", "2:5+9 error", "3:0+5 warning"}));
    EXPECT_EQ(TipAt(v, 2, 7), "goto \"nowhere\": no line defines the label #nowhere");
    EXPECT_EQ(TipAt(v, 0, 2), QString());

    ASSERT_EQ(Setting("ProblemsBar", 0), 0);
    EXPECT_FALSE(Main()->Action(ID_VIEW_PROBLEMS)->isChecked());
    Main()->Action(ID_VIEW_PROBLEMS)->trigger();
    ASSERT_TRUE(Bar() && Bar()->isVisible());
    EXPECT_TRUE(Main()->Action(ID_VIEW_PROBLEMS)->isChecked());
    EXPECT_EQ(Rows(), QStringList({"Unclosed string: this line has an odd number of double quotes | init.sqs | 2",
                                   "goto \"nowhere\": no line defines the label #nowhere | init.sqs | 3",
                                   "Label #loop is defined twice: a goto finds the first, this one is never "
                                   "reached | init.sqs | 4"}));

    // Enter on a row, then a double-click on another: the caret goes to each problem.
    QTreeWidget* list = Bar()->List();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(v->textCursor().blockNumber(), 2);
    EXPECT_EQ(v->textCursor().positionInBlock(), 5);
    list->scrollToItem(list->topLevelItem(2));
    const QRect r = list->visualItemRect(list->topLevelItem(2));
    ASSERT_TRUE(list->viewport()->rect().contains(r.center()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(v->textCursor().blockNumber(), 3);
    EXPECT_EQ(v->textCursor().positionInBlock(), 0);

    // Mending the text clears its problems after the pause.
    const int checks = CProblemChecker::Of(v)->ChecksDone();
    PlaceCaret(v, 1, 10);
    QTest::keyClicks(v, "\"");
    ASSERT_TRUE(WaitForCheck(v, checks + 1));
    EXPECT_EQ(Rows().size(), 2);
    EXPECT_EQ(Underlines(v).size(), 2);

    // A further window on the script shows the same underlines and tips, and the bar follows it.
    Main()->Action(ID_WINDOW_NEW)->trigger();
    CEditView* further = Main()->ActiveView();
    ASSERT_NE(further, v);
    ASSERT_EQ(further->GetDocument(), doc);
    EXPECT_EQ(Underlines(further), Underlines(v));
    EXPECT_EQ(TipAt(further, 2, 7), "goto \"nowhere\": no line defines the label #nowhere");
    PlaceCaret(further, 2, 13);
    QTest::keyClicks(further, "x");
    ASSERT_TRUE(WaitForCheck(v, checks + 2));
    EXPECT_EQ(Underlines(further), QStringList({"2:5+10 error", "3:0+5 warning"}));
    EXPECT_EQ(Rows().size(), 2);

    // Shown at the next start too.
    EXPECT_TRUE(Main()->close());
    EXPECT_EQ(Setting("ProblemsBar"), 1);
}

TEST_F(Problems, CommandOfTheOtherEditionIsAWarning) {
    SetSetting("Resistance", 0);
    theApp.ExitInstance();
    ASSERT_TRUE(Start());
    Main()->resize(900, 700);
    Main()->show();
    CScriptDoc* doc = Open("m/a.sqs", "player addWeapon \"RifleA\"\n; addWeapon\nsetDamage = 1\n");
    ASSERT_TRUE(WaitForCheck(doc->GetView()));
    EXPECT_EQ(Underlines(doc->GetView()), QStringList({"0:7+9 warning"}));
    EXPECT_EQ(TipAt(doc->GetView(), 0, 8), "addWeapon is not available in Varnholt");
}

TEST_F(Problems, CheckMissionListsFindingsOfTheFolderAndOpensTheirFiles) {
    WriteData("m/scripts/intro.sqs", "hint \"ok\"\n_a = (1\n");
    WriteData("m/description.ext", "class CfgSounds\n{\n\tclass boom { sound[] = {\\sound\\boom.ogg, 1, 1}; };\n};\n");
    CScriptDoc* doc = Open("m/init.sqs", "[] exec \"Scripts\\Intro.sqs\"\n[] exec \"gone.sqs\"\n");
    EXPECT_TRUE(Main()->Action(ID_CHECK_MISSION)->isEnabled());
    Main()->Action(ID_CHECK_MISSION)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Bar() && Bar()->isVisible(); }, 5000));
    const QStringList rows = Rows();
    EXPECT_TRUE(rows.contains("Sound file \"\\sound\\boom.ogg\" is not in the mission folder | description.ext | 3"))
        << rows.join('\n').toStdString();
    EXPECT_TRUE(rows.contains("exec \"gone.sqs\": the mission folder has no such script | init.sqs | 2"));
    EXPECT_TRUE(rows.contains("\"(\" is never closed | scripts/intro.sqs | 2"));
    EXPECT_EQ(Main()->statusBar()->currentMessage(), QStringLiteral("Mission check: 3 found"));

    QTreeWidget* list = Bar()->List();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(1) == "scripts/intro.sqs") Bar()->JumpTo(list->topLevelItem(i));
    CScriptDoc* opened = Main()->ActiveDocument();
    ASSERT_TRUE(opened && opened != doc);
    EXPECT_TRUE(opened->GetPathName().endsWith("scripts/intro.sqs"));
    EXPECT_EQ(opened->GetView()->textCursor().blockNumber(), 1);
    EXPECT_EQ(opened->GetView()->textCursor().positionInBlock(), 5);

    // A document without a file has no folder to check.
    New(DocKind::Script);
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_CHECK_MISSION)->isEnabled());
}
