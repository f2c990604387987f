// Keys and pasted text that must do only what the user meant.
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>

#include "support/editorfixture.h"
#include "ui/frames/commandids.h"
#include "ui/frames/scriptframe.h"

using namespace qm;

namespace {
class Keys : public EditorFixture {
protected:
    // Presses Esc in whatever pop-up is open, as a user would.
    static void EscapeInPopup() {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
        QTest::keyClick(target, Qt::Key_Escape);
        Settle();
    }
};
}  // namespace

TEST_F(Keys, EscInAnOpenListOrMenuOnlyClosesIt) {
    CScriptDoc* d = Open("m/k.sqs", "#a\r\n#b\r\n");
    QTest::keyClicks(d->GetView(), "x");  // modified: a stray Exit would ask to save
    QApplication::setActiveWindow(Main());
    auto* combo = qobject_cast<CScriptFrame*>(d->GetFrame())->m_wndLabelsCombo;
    combo->showPopup();
    ASSERT_TRUE(combo->view()->isVisible());
    EscapeInPopup();
    EXPECT_FALSE(combo->view()->isVisible());

    QMenu* context = Main()->PopupMenu("CONTEXT");
    context->popup(Main()->mapToGlobal(QPoint(100, 100)));
    EscapeInPopup();
    EXPECT_FALSE(context->isVisible());

    EXPECT_TRUE(Main()->isVisible());
    EXPECT_TRUE(prompter.messages.empty());  // no "Save changes" question either
    ASSERT_EQ(theApp.Documents().size(), 1u);

    // Without a pop-up, Esc is still Exit.
    prompter.answers.push_back(IDCANCEL);
    QApplication::setActiveWindow(Main());
    d->GetView()->setFocus();
    QTest::keyClick(d->GetView(), Qt::Key_Escape);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(Keys, ShiftEnterAndPastedSeparatorsMakeRealLines) {
    CScriptDoc* d = Open("m/s.sqs", "hint\r\n");
    CEditView* v = d->GetView();
    PlaceCaret(v, 0, 4);
    QTest::keyClick(v, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(v, "#here");
    EXPECT_EQ(v->document()->blockCount(), 3);
    EXPECT_EQ(v->document()->findBlockByNumber(1).text(), "#here");
    EXPECT_EQ(ColourAt(v, 1, 2), Colour(Main()->m_programmingColour));
    EXPECT_EQ(qobject_cast<CScriptFrame*>(d->GetFrame())->m_wndLabelsCombo->itemText(0), "#here");

    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("; one\u2028hint\u2029#two\rexit"));
    QApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    PlaceCaret(v, 2, 0);
    Main()->Action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(v->document()->blockCount(), 6);
    EXPECT_FALSE(v->document()->toRawText().contains(QChar::LineSeparator));
    EXPECT_EQ(ColourAt(v, 0 + 2, 0), Colour(Main()->m_remarkColour));
    EXPECT_EQ(ColourAt(v, 3, 0), Colour(Main()->m_commandColour));
    EXPECT_EQ(ColourAt(v, 5, 0), Colour(Main()->m_commandColour));
    QApplication::clipboard()->clear();
}
