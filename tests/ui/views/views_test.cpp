#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>

#include "support/editorfixture.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/findreplacedlg.h"

using namespace qm;

using Views = EditorFixture;

TEST_F(Views, OpenedScriptIsColouredWithNothingToUndoAndUnmodified) {
    CScriptDoc* d = Open("m/init.sqs", "; note\r\n_u addWeapon \"riflea\"\r\n#loop\r\ngoto \"loop\"\r\n");
    CEditView* v = d->GetView();
    EXPECT_TRUE(v->m_colouring);
    EXPECT_EQ(ColourAt(v, 0, 2), Colour(Main()->m_remarkColour));
    EXPECT_EQ(ColourAt(v, 1, 0), Colour(Main()->m_variableColour));
    EXPECT_EQ(ColourAt(v, 1, 4), Colour(Main()->m_commandColour));
    EXPECT_EQ(ColourAt(v, 1, 13), Colour(Main()->m_textColour));  // the quote
    EXPECT_EQ(ColourAt(v, 1, 15), Colour(Main()->m_itemColour));
    EXPECT_EQ(ColourAt(v, 2, 3), Colour(Main()->m_programmingColour));
    EXPECT_EQ(ColourAt(v, 3, 1), Colour(Main()->m_programmingColour));
    EXPECT_FALSE(v->document()->isUndoAvailable());
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(d->GetTitle(), "init.sqs");
}

TEST_F(Views, TypingColoursTheLineAndUndoRemovesTheCharacters) {
    CScriptDoc* d = Open("m/a.sqs", "x\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 1, 0);
    QTest::keyClicks(v, "hint");
    EXPECT_EQ(ColourAt(v, 1, 1), Colour(Main()->m_commandColour));
    EXPECT_EQ(d->GetTitle(), "a.sqs*");
    Main()->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(v->GetText(), "x\n");
    EXPECT_FALSE(d->IsModified());
}

TEST_F(Views, PastedLinesAreColouredAtOnceAsPlainTextEvenFromHtmlAlone) {
    CScriptDoc* d = New(DocKind::Script);
    CEditView* v = d->GetView();
    auto* mime = new QMimeData;  // the clipboard takes it
    mime->setHtml("<b>bold</b>");
    mime->setText("; one\nhint\n_v = 1\nexit");
    QApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    Main()->Action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(v->GetText(), "; one\nhint\n_v = 1\nexit");
    EXPECT_EQ(ColourAt(v, 0, 0), Colour(Main()->m_remarkColour));
    EXPECT_EQ(ColourAt(v, 1, 0), Colour(Main()->m_commandColour));
    EXPECT_EQ(ColourAt(v, 2, 0), Colour(Main()->m_variableColour));
    EXPECT_EQ(ColourAt(v, 3, 0), Colour(Main()->m_commandColour));

    // A clipboard holding only HTML pastes the text it shows, line by line.
    mime = new QMimeData;
    mime->setHtml("<p>hint <b>&quot;a&quot;</b></p><p>exit &amp; done</p>");
    QApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    v->selectAll();
    Main()->Action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(v->GetText(), "hint \"a\"\nexit & done");
    EXPECT_EQ(ColourAt(v, 1, 0), Colour(Main()->m_commandColour));
    QApplication::clipboard()->clear();
}

TEST_F(Views, FormatOffNeverColoursAndOtherExtensionsDoNot) {
    Main()->m_format = 0;
    CScriptDoc* plain = Open("m/b.sqs", "hint\r\n");
    EXPECT_FALSE(plain->GetView()->m_colouring);
    EXPECT_FALSE(ColourAt(plain->GetView(), 0, 0).isValid());
    Main()->m_format = 1;  // switching it on later changes nothing for this window
    QTest::keyClicks(plain->GetView(), "x");
    EXPECT_FALSE(ColourAt(plain->GetView(), 0, 0).isValid());

    EXPECT_FALSE(Open("m/other.sqm", "hint\r\n")->GetView()->m_colouring);  // Script template, other name
    EXPECT_TRUE(Open("m/scriptsqs", "hint\r\n")->GetView()->m_colouring);
}

TEST_F(Views, DescriptionViewBoldsClassAndColoursRemarks) {
    CScriptDoc* d = Open("m/description.ext", "class A // class B\r\n");
    CEditView* v = d->GetView();
    EXPECT_TRUE(BoldAt(v, 0, 0));
    EXPECT_EQ(ColourAt(v, 0, 0), Colour(Main()->m_programmingColour));
    EXPECT_EQ(ColourAt(v, 0, 12), Colour(Main()->m_remarkColour));
    EXPECT_FALSE(BoldAt(v, 0, 12));
    EXPECT_EQ(v->palette().color(QPalette::Base), Colour(Main()->m_backgroundColour));
}

TEST_F(Views, DoubleClickSelectsWordsByTheViewsRules) {
    CScriptDoc* s = Open("m/c.sqs", "x = _unit + 1\r\nhint \"y\"\r\n");
    CEditView* v = s->GetView();
    auto doubleClickAt = [](CEditView* view, int line, int column) {
        QTextCursor c(view->document()->findBlockByNumber(line));
        c.setPosition(c.position() + column);
        view->setTextCursor(c);
        const QPoint p = view->cursorRect(c).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        return view->textCursor().selectedText();
    };
    EXPECT_EQ(doubleClickAt(v, 0, 6), "_unit");
    EXPECT_EQ(doubleClickAt(v, 1, 2), "hint");
    CScriptDoc* t = Open("m/c.txt", "x = _unit + 1\r\n");
    EXPECT_EQ(doubleClickAt(t->GetView(), 0, 6), "unit");
}

TEST_F(Views, RightClickKeepsASelectionThatHoldsTheClick) {
    CScriptDoc* d = Open("m/r.txt", "alpha beta gamma");
    CEditView* v = d->GetView();
    QTextCursor c(v->document());
    c.setPosition(6);
    c.setPosition(10, QTextCursor::KeepAnchor);
    v->setTextCursor(c);
    QTextCursor inside(v->document());
    inside.setPosition(8);
    QTest::mousePress(v->viewport(), Qt::RightButton, Qt::NoModifier, v->cursorRect(inside).center());
    EXPECT_EQ(v->textCursor().selectedText(), "beta");
    QTextCursor outside(v->document());
    outside.setPosition(13);
    QTest::mousePress(v->viewport(), Qt::RightButton, Qt::NoModifier, v->cursorRect(outside).center());
    EXPECT_FALSE(v->textCursor().hasSelection());
    EXPECT_NEAR(v->textCursor().position(), 13, 1);
}

TEST_F(Views, ContextMenuHasTwelveEntries) {
    QMenu* menu = Main()->PopupMenu("CONTEXT");
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (QAction* a : menu->actions()) entries << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(entries, (QStringList{"&Undo", "-", "&Insert Current Item", "Insert &Snippet...", "-", "Cu&t",
                                    "&Copy", "&Paste", "&Delete", "Copy As Sni&ppet", "-", "Select &All"}));
}

TEST_F(Views, EnterInADescriptionIndentsByTheLineAbove) {
    CScriptDoc* d = Open("m/d.ext", "\t\t{\r\n    {\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 0, 3);
    QTest::keyClick(v, Qt::Key_Return);
    EXPECT_EQ(v->document()->findBlockByNumber(1).text(), "\t\t\t");
    PlaceCaret(v, 2, 5);
    QTest::keyClick(v, Qt::Key_Return);
    EXPECT_EQ(v->document()->findBlockByNumber(3).text(), "");
    // A script view only breaks the line.
    CScriptDoc* s = Open("m/e.sqs", "\t{");
    PlaceCaret(s->GetView(), 0, 2);
    QTest::keyClick(s->GetView(), Qt::Key_Return);
    EXPECT_EQ(s->GetView()->GetText(), "\t{\n");
}

TEST_F(Views, LongLinesWrapOnlyInTextViews) {
    EXPECT_EQ(New(DocKind::Text)->GetView()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(New(DocKind::Function)->GetView()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(New(DocKind::Description)->GetView()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(Views, FindAndReplace) {
    CScriptDoc* d = Open("m/f.txt", "one two one");
    CFindReplaceDlg* dlg = Main()->FindReplaceDialog();
    dlg->ShowFind();
    dlg->m_findWhat->setText("one");
    EXPECT_TRUE(dlg->FindNext());
    EXPECT_EQ(d->GetView()->textCursor().selectionStart(), 0);
    EXPECT_TRUE(dlg->Repeat());
    EXPECT_EQ(d->GetView()->textCursor().selectionStart(), 8);
    dlg->m_findWhat->setText("three");
    EXPECT_FALSE(dlg->Repeat());
    EXPECT_EQ(prompter.Texts().last(), "Cannot find \"three\".");
    dlg->m_findWhat->setText("one");
    dlg->ShowReplace();
    dlg->m_replaceWith->setText("1");
    EXPECT_EQ(dlg->ReplaceAll(), 2);
    EXPECT_EQ(d->GetView()->GetText(), "1 two 1");
    d->GetView()->undo();
    EXPECT_EQ(d->GetView()->GetText(), "one two one");
    dlg->hide();
}

TEST_F(Views, DocumentWindowsRecordAndFollowDocMax) {
    CScriptDoc* a = New(DocKind::Text);
    a->GetFrame()->showMaximized();
    EXPECT_EQ(Main()->m_docMax, 1);
    a->GetFrame()->showNormal();
    EXPECT_EQ(Main()->m_docMax, 0);
    Main()->m_docMax = 1;
    CScriptDoc* b = New(DocKind::Script);
    EXPECT_TRUE(b->GetView()->m_openMaximized);
    EXPECT_TRUE(b->GetFrame()->isMaximized());
}

TEST_F(Views, BackgroundLogoStaysInTheCorner) {
    auto* bg = qobject_cast<CBackgroundWnd*>(Main()->MdiArea());
    ASSERT_NE(bg, nullptr);
    for (QSize size : {QSize(700, 500), QSize(1000, 800)}) {
        Main()->resize(size);
        QApplication::processEvents();
        const QRect logo = bg->LogoRect();
        EXPECT_EQ(bg->viewport()->width() - logo.right() - 1, 8);
        EXPECT_EQ(bg->viewport()->height() - logo.bottom() - 1, 8);
    }
}

TEST_F(Views, BinaryFileOpensColouredAndSavesBackByteForByte) {
    QByteArray bytes;
    quint32 seed = 12345;
    for (int i = 0; i < 300000; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.append(static_cast<char>(seed >> 24));
    }
    bytes.replace("\r", "");  // line ends come back as CR LF; keep only lone LFs ...
    bytes.replace("\n", "\r\n");  // ... written the way they will be saved
    CScriptDoc* d = Open("m/binary.sqs", bytes);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->GetView()->m_colouring);
    EXPECT_FALSE(d->IsModified());
    ASSERT_TRUE(d->DoSave(Path("m/binary-copy.sqs")));
    EXPECT_EQ(ReadFile(Path("m/binary-copy.sqs")), bytes);
}
