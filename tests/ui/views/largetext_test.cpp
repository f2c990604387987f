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
