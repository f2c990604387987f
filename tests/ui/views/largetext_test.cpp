#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/findreplacedlg.h"

using namespace qm;

namespace {
class LargeText : public EditorFixture {
protected:
    // lines lines of "; remark N" and "hint N" in turn, with CR LF.
    static QByteArray Script(int lines) {
        QByteArray text;
        for (int i = 0; i < lines; ++i) text += (i % 2 ? "hint " : "; remark ") + QByteArray::number(i) + "\r\n";
        return text;
    }
    // The colour line `line` is painted with at `column` once it is scrolled into the window:
    // read from the layout after a real paint, not coloured on demand.
    static QColor PaintedColourAt(CEditView* v, int line, int column) {
        v->ScrollToFirstVisibleLine(line);
        QApplication::processEvents();
        v->viewport()->repaint();
        const QTextBlock b = v->document()->findBlockByNumber(line);
        for (const auto& r : b.layout()->formats())
            if (column >= r.start && column < r.start + r.length) return r.format.foreground().color();
        return QColor();
    }
    void ExpectEveryPartColoured(CEditView* v, int lines) {
        for (int line : {0, 1, lines / 2, lines / 2 + 1, lines - 2, lines - 1}) {
            const int setting = line % 2 ? Main()->m_commandColour : Main()->m_remarkColour;
            EXPECT_EQ(PaintedColourAt(v, line, 1), Colour(setting)) << "line " << line;
        }
    }
    static QStringList Entries(CScriptDoc* d) {
        auto* combo = qobject_cast<CScriptFrame*>(d->GetFrame())->m_wndLabelsCombo;
        QStringList l;
        for (int i = 0; i < combo->count(); ++i) l << combo->itemText(i);
        return l;
    }
};
}  // namespace

TEST_F(LargeText, UndoRedoAndReplaceAllOfManyLinesLeaveEveryShownLineColoured) {
    constexpr int lines = 12000;
    CScriptDoc* d = Open("m/big.sqs", Script(lines));
    CEditView* v = d->GetView();
    ExpectEveryPartColoured(v, lines);

    // Paste over everything, then take the paste back: the old lines return.
    v->selectAll();
    auto* mime = new QMimeData;  // the clipboard takes it
    mime->setText("exit");
    QApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    Main()->Action(ID_EDIT_PASTE)->trigger();
    ASSERT_EQ(v->document()->blockCount(), 1);
    Main()->Action(ID_EDIT_UNDO)->trigger();
    ASSERT_EQ(v->document()->blockCount(), lines + 1);
    ExpectEveryPartColoured(v, lines);

    v->redo();
    v->undo();
    ExpectEveryPartColoured(v, lines);
    QApplication::clipboard()->clear();

    // Replace-all turns every remark into a command line.
    CFindReplaceDlg* dlg = Main()->FindReplaceDialog();
    dlg->ShowReplace();
    dlg->m_findWhat->setText("; remark");
    dlg->m_replaceWith->setText("hint");
    EXPECT_EQ(dlg->ReplaceAll(), lines / 2);
    dlg->hide();
    EXPECT_EQ(PaintedColourAt(v, lines / 2, 1), Colour(Main()->m_commandColour));
    EXPECT_EQ(PaintedColourAt(v, lines - 2, 1), Colour(Main()->m_commandColour));
}

TEST_F(LargeText, LabelsFollowLinesAddedAndRemovedAboveThem) {
    CScriptDoc* d = Open("m/l.sqs", "#a\r\nhint\r\n#b\r\nhint\r\n#c\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 1, 4);
    QTest::keyClick(v, Qt::Key_Return);  // a line added between #a and #b
    QTest::keyClicks(v, "#new");
    EXPECT_EQ(Entries(d), (QStringList{"#a", "#new", "#b", "#c"}));
    // Several lines pasted at once, one of them a label.
    PlaceCaret(v, 0, 0);
    v->textCursor().insertText("hint\n#top\nhint\n");
    EXPECT_EQ(Entries(d), (QStringList{"#top", "#a", "#new", "#b", "#c"}));
    // The moved entries still lead to their own lines.
    EXPECT_EQ(v->document()->findBlockByNumber(6).text(), "#b");
    v->undo();
    EXPECT_EQ(Entries(d), (QStringList{"#a", "#new", "#b", "#c"}));
    // Lines that hold labels are removed with the lines around them.
    QTextCursor c(v->document()->findBlockByNumber(1));
    c.setPosition(v->document()->findBlockByNumber(4).position(), QTextCursor::KeepAnchor);
    c.removeSelectedText();
    EXPECT_EQ(v->GetText(), "#a\nhint\n#c\n");
    EXPECT_EQ(Entries(d), (QStringList{"#a", "#c"}));
}

namespace {
// The colour the layout shows a character in after a real paint: a range's colour, or the view's
// text colour where the line has none.
QColor LaidOutColourAt(CEditView* v, int line, int column) {
    for (const auto& r : v->document()->findBlockByNumber(line).layout()->formats())
        if (column >= r.start && column < r.start + r.length) return r.format.foreground().color();
    return v->palette().color(QPalette::Text);
}
void Show(CEditView* v) {
    QApplication::processEvents();
    v->viewport()->repaint();
}
}  // namespace

TEST_F(LargeText, AVeryLongLineIsColouredWhereverItIsShownTypedScrolledOrInTwoWindows) {
    // "_u hint "q"; " over and over: the variable, the command and the quoted text each 13 characters.
    QByteArray line;
    for (int i = 0; i < 1700; ++i) line += "_u hint \"q\"; ";
    CScriptDoc* d = Open("m/long.sqs", line + "\r\nhint\r\n");
    CEditView* v = d->GetView();
    const int length = line.size();
    const auto expectColoured = [&](CEditView* view, int near, const char* where) {
        const int at = near - near % 13;
        EXPECT_EQ(LaidOutColourAt(view, 0, at), Colour(Main()->m_variableColour)) << where;
        EXPECT_EQ(LaidOutColourAt(view, 0, at + 4), Colour(Main()->m_commandColour)) << where;
        EXPECT_EQ(LaidOutColourAt(view, 0, at + 9), Colour(Main()->m_textColour)) << where;
    };
    Show(v);
    expectColoured(v, 0, "start");
    // Only around what is shown: Qt lays out every range of a line on each keystroke.
    const int ranges = int(v->document()->firstBlock().layout()->formats().size());
    EXPECT_GT(ranges, 0);
    EXPECT_LT(ranges, int(v->LineRuns(QString::fromLatin1(line)).size()) / 2);

    // Scrolled to the end of the line: the end is coloured when it is painted.
    v->horizontalScrollBar()->setValue(v->horizontalScrollBar()->maximum());
    Show(v);
    expectColoured(v, length - 20, "end");

    // Typing at the end colours what is typed; the start is coloured again when scrolled back.
    PlaceCaret(v, 0, length);
    QTest::keyClicks(v, "_v hint");
    Show(v);
    EXPECT_EQ(LaidOutColourAt(v, 0, length), Colour(Main()->m_variableColour));
    EXPECT_EQ(LaidOutColourAt(v, 0, length + 4), Colour(Main()->m_commandColour));
    EXPECT_EQ(ColourAt(v, 0, length + 4), Colour(Main()->m_commandColour));
    v->horizontalScrollBar()->setValue(0);
    Show(v);
    expectColoured(v, 0, "start after typing");

    // A second window on the text shows the end while the first shows the start: both stay coloured.
    Main()->Action(ID_WINDOW_NEW)->trigger();
    auto* second = qobject_cast<CEditView*>(theApp.GetMainFrame()->ActiveView());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, v);
    ASSERT_EQ(second->document(), v->document());
    Main()->Action(ID_WINDOW_TILE_HORZ)->trigger();  // both windows in sight
    second->horizontalScrollBar()->setValue(second->horizontalScrollBar()->maximum());
    Show(second);
    Show(v);
    expectColoured(second, length - 20, "end, second window");
    expectColoured(v, 0, "start, first window");
    // Undo takes the typing back (the caret and the window go to its end); the line keeps its colours.
    v->undo();
    EXPECT_EQ(v->document()->firstBlock().length(), length + 1);
    expectColoured(v, length - 20, "end after undo");
    v->horizontalScrollBar()->setValue(0);
    Show(v);
    Show(second);
    expectColoured(v, 0, "start after undo");
    expectColoured(second, length - 20, "end after undo");
    // Typing in the second window where neither window was coloured colours around its caret at once.
    const int middle = length / 2 - length / 2 % 13;
    PlaceCaret(second, 0, middle);
    QTest::keyClicks(second, "_u hint \"q\"; ");
    expectColoured(second, middle, "typed in the middle, second window");
}

TEST_F(LargeText, ALongLineIsColouredWhereShownEvenWhenItsFirstCharactersTakeNoRoom) {
    // Soft hyphens take no room: the window shows characters 9,000 on, far further in than its
    // width in average characters.
    QByteArray line(9000, '\xAD');
    for (int i = 0; i < 1000; ++i) line += "_u hint \"q\"; ";
    CScriptDoc* d = Open("m/soft.sqs", line + "\r\n");
    CEditView* v = d->GetView();
    Show(v);
    EXPECT_EQ(LaidOutColourAt(v, 0, 9000), Colour(Main()->m_variableColour));
    EXPECT_EQ(LaidOutColourAt(v, 0, 9004), Colour(Main()->m_commandColour));
}
