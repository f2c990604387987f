// Line numbers, Go To Line, the wrapping find, remarks, block indent, brackets, zoom, tab width
// and the documents of the last session, as a user meets them.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QStatusBar>
#include <QMouseEvent>
#include <QWheelEvent>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/options/proppage1.h"
#include "ui/options/propsheet.h"
#include "ui/views/findreplacedlg.h"
#include "ui/views/gotolinedlg.h"
#include "ui/views/viewmarks.h"

using namespace qm;

namespace {
class Comforts : public EditorFixture {
protected:
    void Trigger(int id) {
        Main()->UpdateCommandStates();
        ASSERT_TRUE(Main()->Action(id)->isEnabled()) << id;
        Main()->Action(id)->trigger();
    }
    static void Select(CEditView* v, int fromLine, int fromColumn, int toLine, int toColumn) {
        QTextCursor c(v->document()->findBlockByNumber(fromLine));
        c.setPosition(c.position() + fromColumn);
        const QTextBlock to = v->document()->findBlockByNumber(toLine);
        c.setPosition(to.position() + toColumn, QTextCursor::KeepAnchor);
        v->setTextCursor(c);
    }
    // The marked spans of the view: position and length, with their colour.
    static QList<std::tuple<int, int, QColor>> Marks(CEditView* v) {
        v->Marks()->RefreshNow();
        QList<std::tuple<int, int, QColor>> marks;
        for (const auto& s : v->extraSelections())
            marks.append({s.cursor.selectionStart(), s.cursor.selectionEnd() - s.cursor.selectionStart(),
                          s.format.background().color()});
        return marks;
    }
    QString Status() const { return Main()->statusBar()->currentMessage(); }
};
}  // namespace

TEST_F(Comforts, LineNumbersMarginFollowsTheTextAndTheSetting) {
    CScriptDoc* d = Open("m/n.sqs", "hint \"a\"\r\nexit\r\n");
    CEditView* v = d->GetView();
    Settle();
    EXPECT_TRUE(v->LineNumbersShown());
    const int narrow = v->viewport()->geometry().left();
    EXPECT_GT(narrow, 3 * v->fontMetrics().horizontalAdvance('9'));
    const auto tops = v->ShownLineTops();
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[2].first, 2);
    EXPECT_EQ(tops[1].second - tops[0].second, tops[2].second - tops[1].second);
    // Four digits need a wider margin.
    v->moveCursor(QTextCursor::End);
    v->insertPlainText(QString(1200, '\n'));
    EXPECT_GT(v->viewport()->geometry().left(), narrow);

    Trigger(ID_VIEW_LINENUMBERS);
    EXPECT_FALSE(v->LineNumbersShown());
    EXPECT_FALSE(Main()->Action(ID_VIEW_LINENUMBERS)->isChecked());
    EXPECT_LE(v->viewport()->geometry().left(), 2);
    // A view made now starts without them, and the choice is kept.
    EXPECT_FALSE(New(DocKind::Text)->GetView()->LineNumbersShown());
    prompter.answers = {IDNO, IDNO, IDNO};
    Main()->close();
    EXPECT_EQ(Setting("LineNumbers"), 0);
}

TEST_F(Comforts, GoToLineFromTheCommandAndTheLinePane) {
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_EDIT_GOTO_LINE)->isEnabled());  // nothing without a view
    QByteArray text;
    for (int i = 1; i <= 600; ++i) text += "line " + QByteArray::number(i) + "\r\n";
    CScriptDoc* d = Open("m/g.sqs", text);
    CEditView* v = d->GetView();
    PlaceCaret(v, 9, 3);
    Trigger(ID_EDIT_GOTO_LINE);
    auto* dlg = Main()->findChild<CGoToLineDlg*>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->m_prompt->text(), "&Line number (1 - 601):");
    EXPECT_EQ(dlg->m_line->value(), 10);
    EXPECT_EQ(dlg->m_line->maximum(), 601);
    dlg->m_line->setValue(412);
    dlg->accept();
    Settle();
    EXPECT_EQ(v->textCursor().blockNumber(), 411);
    EXPECT_EQ(v->textCursor().positionInBlock(), 0);
    EXPECT_LE(v->FirstVisibleLine(), 411);
    EXPECT_GT(v->FirstVisibleLine() + v->viewport()->height() / v->fontMetrics().lineSpacing(), 411);

    QApplication::setActiveWindow(Main());  // the closed dialog gives the activation back
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(4, 4), QPointF(4, 4), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Main()->m_lineIndicator, &click);
    dlg = Main()->findChild<CGoToLineDlg*>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->m_line->value(), 412);
    dlg->m_line->setValue(2);
    dlg->reject();
    Settle();
    EXPECT_EQ(v->textCursor().blockNumber(), 411);
}

TEST_F(Comforts, FindWrapsFindsBackwardsStartsWithTheWordAndMarksMatches) {
    CScriptDoc* d = Open("m/f.sqs", "hint x\r\nexit\r\nhint y\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 1, 2);
    CFindReplaceDlg* dlg = Main()->FindReplaceDialog();
    dlg->ShowFind();
    EXPECT_EQ(dlg->m_findWhat->text(), "exit");  // the word at the caret
    PlaceCaret(v, 2, 1);
    dlg->m_findWhat->setText("hint");
    // Both matches are marked while the dialog shows.
    const QColor match = CViewMarks::MatchColour();
    EXPECT_EQ(Marks(v), (QList<std::tuple<int, int, QColor>>{{0, 4, match}, {12, 4, match}}));

    EXPECT_TRUE(dlg->FindNext());  // from inside the second one: on past the end
    EXPECT_EQ(v->textCursor().selectionStart(), 0);
    EXPECT_EQ(Status(), "Passed the end of the text");
    EXPECT_TRUE(dlg->Repeat());
    EXPECT_EQ(v->textCursor().selectionStart(), 12);
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(dlg->Repeat(true));  // Shift+F3
    EXPECT_EQ(v->textCursor().selectionStart(), 0);
    Trigger(ID_EDIT_FIND_PREVIOUS);
    EXPECT_EQ(v->textCursor().selectionStart(), 12);
    EXPECT_EQ(Status(), "Passed the start of the text");
    EXPECT_TRUE(prompter.messages.empty());

    dlg->hide();
    EXPECT_TRUE(Marks(v).isEmpty());

    // Replace All: one step back, and it says how many.
    dlg->ShowReplace();
    dlg->m_findWhat->setText("hint");
    dlg->m_replaceWith->setText("hintC");
    EXPECT_EQ(dlg->ReplaceAll(), 2);
    EXPECT_EQ(Status(), "Replaced 2 occurrences");
    EXPECT_EQ(v->GetText(), "hintC x\nexit\nhintC y\n");
    v->undo();
    EXPECT_EQ(v->GetText(), "hint x\nexit\nhint y\n");
    dlg->hide();
}

TEST_F(Comforts, ToggleRemarkAndBlockIndentAreOneStepEach) {
    CScriptDoc* s = Open("m/r.sqs", "hint \"a\"\r\n\r\nexit\r\nhint \"b\"\r\n");
    CEditView* v = s->GetView();
    Select(v, 0, 2, 2, 1);
    Trigger(ID_EDIT_TOGGLE_REMARK);
    EXPECT_EQ(v->GetText(), ";hint \"a\"\n\n;exit\nhint \"b\"\n");
    EXPECT_EQ(ColourAt(v, 2, 2), Colour(Main()->m_remarkColour));  // coloured at once
    EXPECT_EQ(v->textCursor().selectedText(), QString(";hint \"a\"") + QChar::ParagraphSeparator +
                                                  QChar::ParagraphSeparator + ";exit");
    QApplication::setActiveWindow(Main());
    v->setFocus();
    QTest::keyClick(v, Qt::Key_Slash, Qt::ControlModifier);
    EXPECT_EQ(v->GetText(), "hint \"a\"\n\nexit\nhint \"b\"\n");
    v->undo();
    EXPECT_EQ(v->GetText(), ";hint \"a\"\n\n;exit\nhint \"b\"\n");
    v->undo();
    EXPECT_EQ(v->GetText(), "hint \"a\"\n\nexit\nhint \"b\"\n");
    EXPECT_FALSE(s->IsModified());

    // Tab and Shift+Tab on several lines; a selection ending at a line's start leaves that line,
    // blank lines stay blank.
    Select(v, 1, 0, 3, 0);
    QTest::keyClick(v, Qt::Key_Tab);
    EXPECT_EQ(v->GetText(), "hint \"a\"\n\n\texit\nhint \"b\"\n");
    Select(v, 0, 1, 3, 2);
    QTest::keyClick(v, Qt::Key_Tab);
    EXPECT_EQ(v->GetText(), "\thint \"a\"\n\n\t\texit\n\thint \"b\"\n");
    QTest::keyClick(v, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(v, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(v->GetText(), "hint \"a\"\n\nexit\nhint \"b\"\n");
    v->undo();
    EXPECT_EQ(v->GetText(), "hint \"a\"\n\n\texit\nhint \"b\"\n");
    // On one line Tab is a tab.
    PlaceCaret(v, 0, 0);
    QTest::keyClick(v, Qt::Key_Tab);
    EXPECT_EQ(v->document()->firstBlock().text(), "\thint \"a\"");

    // A description file's remark is "//"; a text file has none.
    CScriptDoc* e = Open("m/r.ext", "class A\r\n{\r\n");
    Select(e->GetView(), 0, 0, 1, 1);
    Trigger(ID_EDIT_TOGGLE_REMARK);
    EXPECT_EQ(e->GetView()->GetText(), "//class A\n//{\n");
    Open("m/r.txt", "; x\r\n");
    Main()->UpdateCommandStates();
    EXPECT_FALSE(Main()->Action(ID_EDIT_TOGGLE_REMARK)->isEnabled());
}

TEST_F(Comforts, TheBracketAtTheCaretAndItsPartnerAreMarked) {
    CScriptDoc* s = Open("m/b.sqf", "if (a) then {\r\n  hint \"}\";\r\n};\r\n");
    CEditView* v = s->GetView();
    const QColor bracket = CViewMarks::BracketColour();
    PlaceCaret(v, 0, 13);  // after the "{"
    EXPECT_EQ(Marks(v), (QList<std::tuple<int, int, QColor>>{{12, 1, bracket}, {26, 1, bracket}}));
    PlaceCaret(v, 1, 8);  // the "}" in the string has no partner
    EXPECT_TRUE(Marks(v).isEmpty());
    PlaceCaret(v, 0, 3);
    EXPECT_EQ(Marks(v), (QList<std::tuple<int, int, QColor>>{{3, 1, bracket}, {5, 1, bracket}}));
    // Text files are not matched.
    CScriptDoc* t = Open("m/b.txt", "(a)");
    EXPECT_TRUE(Marks(t->GetView()).isEmpty());
}

TEST_F(Comforts, ZoomChangesEveryViewForThisRunOnly) {
    CEditView* a = Open("m/z.sqs", "hint\r\n")->GetView();
    CEditView* b = Open("m/z.txt", "text\r\n")->GetView();
    const int size = a->font().pixelSize();
    Trigger(ID_VIEW_ZOOM_IN);
    Trigger(ID_VIEW_ZOOM_IN);
    EXPECT_GT(a->font().pixelSize(), size);
    EXPECT_EQ(b->font().pixelSize(), a->font().pixelSize());
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -240), Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(a->viewport(), &down);
    EXPECT_EQ(a->font().pixelSize(), size);
    Trigger(ID_VIEW_ZOOM_OUT);
    EXPECT_LT(b->font().pixelSize(), size);
    for (int i = 0; i < 40; ++i) Main()->Action(ID_VIEW_ZOOM_OUT)->trigger();
    EXPECT_GE(b->font().pixelSize(), 1);
    Trigger(ID_VIEW_ZOOM_RESET);
    EXPECT_EQ(b->font().pixelSize(), size);
    Trigger(ID_VIEW_ZOOM_IN);
    prompter.answers = {IDNO, IDNO};
    Main()->close();
    EXPECT_EQ(Setting("FontSize"), 10);  // the setting is not the zoom
}

TEST_F(Comforts, TabWidthFromTheOptionsReachesEveryView) {
    CEditView* v = Open("m/t.ext", "\tclass\r\n")->GetView();
    const qreal space = v->fontMetrics().horizontalAdvance(' ');
    EXPECT_DOUBLE_EQ(v->tabStopDistance(), 8 * space);
    CPropSheet sheet(Main());
    Main()->LoadOptions(sheet);
    sheet.OnInitSheet();
    CPropPage1& page = *sheet.m_page1;
    EXPECT_EQ(page.m_tabWidthBox->value(), 8);
    EXPECT_EQ(page.m_tabWidthBox->minimum(), 1);
    EXPECT_EQ(page.m_tabWidthBox->maximum(), 16);
    EXPECT_FALSE(page.m_reopenLastBox->isChecked());
    page.m_tabWidthBox->setValue(3);
    page.m_reopenLastBox->setChecked(true);
    page.ReadValues();
    Main()->ApplyOptions(sheet);
    EXPECT_DOUBLE_EQ(v->tabStopDistance(), 3 * space);
    EXPECT_EQ(Main()->m_reopenLast, 1);
    page.OnRestoreDefaults();
    EXPECT_EQ(page.m_tabWidthBox->value(), 8);
    EXPECT_FALSE(page.m_reopenLastBox->isChecked());
}

TEST_F(Comforts, DocumentsOfTheLastExitReopenInOrderAtTheirLines) {
    WriteData("m/a.sqs", "1\r\n2\r\n3\r\n4\r\n");
    WriteData("m/b.ext", "x\r\n");
    WriteData("m/gone.sqs", "x\r\n");
    for (const char* f : {"m/b.ext", "m/a.sqs", "m/gone.sqs"}) theApp.OpenDocumentFile(Path(f));
    PlaceCaret(theApp.OpenDocumentFile(Path("m/a.sqs"))->GetView(), 2, 1);
    New(DocKind::Script);  // never saved: not kept
    prompter.answers = {IDNO};
    Main()->close();
    theApp.ExitInstance();
    Settle();
    QFile::remove(Path("m/gone.sqs"));

    // Off by default: the start-up stays as it was.
    ASSERT_TRUE(Start());
    EXPECT_TRUE(theApp.Documents().empty());
    theApp.ExitInstance();
    Settle();

    SetSetting("ReopenLast", 1);
    SetSetting("NewFile", 1);
    ASSERT_TRUE(Start());
    QStringList titles;
    std::vector<CEditView*> views;
    for (QMdiSubWindow* w : Main()->MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        views.push_back(qobject_cast<CChildFrame*>(w)->GetView());
        titles << views.back()->GetDocument()->GetTitle();
    }
    EXPECT_EQ(titles, (QStringList{"b.ext", "a.sqs", "Script"}));
    EXPECT_EQ(views[1]->textCursor().blockNumber(), 2);
    EXPECT_TRUE(prompter.messages.empty());  // the missing file is passed over quietly
}
