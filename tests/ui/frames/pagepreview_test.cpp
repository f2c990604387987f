#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThread>

#include "support/editorfixture.h"
#include "support/scopedvalue.h"
#include "ui/frames/commandids.h"
#include "ui/frames/pagepreview.h"
#include "ui/frames/previewpage.h"

using namespace qm;

namespace {
// Lets the pause run out and the page be built; false when that takes more than limitMs.
bool WaitForPage(const CPagePreview* pane, int limitMs = 3000) {
    return QTest::qWaitFor([pane] { return !pane->IsPending(); }, limitMs);
}

class PagePreview : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
        ASSERT_TRUE(Pane()->isVisible());
    }
    CPagePreview* Pane() const { return Main()->m_wndPagePreview; }
    QTextBrowser* Browser() const { return Pane()->Browser(); }
    bool WaitForPage(int limitMs = 3000) const { return ::WaitForPage(Pane(), limitMs); }
    CScriptDoc* OpenPage(const QString& rel, const QByteArray& html) {
        CScriptDoc* d = Open(rel, html);
        EXPECT_TRUE(WaitForPage());
        return d;
    }
    static QByteArray TestPage(const QString& name) {
        QFile f(QStringLiteral(QM_SOURCE_DIR "/tests/data/pages/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Clicks the link whose text is linkText.
    void ClickLink(const QString& linkText) const {
        const QTextCursor c = Browser()->document()->find(linkText);
        ASSERT_FALSE(c.isNull()) << linkText.toStdString();
        QTextCursor at(Browser()->document());
        at.setPosition(c.selectionStart() + 1);
        const QPoint p = Browser()->cursorRect(at).center();
        QTest::mouseClick(Browser()->viewport(), Qt::LeftButton, {}, p);
    }
    // The top of a text's line in the browser's viewport.
    int TopOf(const QString& text) const {
        QTextCursor c = Browser()->document()->find(text);
        return c.isNull() ? -1 : Browser()->cursorRect(c).top();
    }
    static QByteArray LongPage(const QByteArray& top) {
        QByteArray html = "<html><body>" + top;
        for (int i = 0; i < 80; ++i) html += "<p>Filler paragraph " + QByteArray::number(i) + "</p>\r\n";
        html += "<p><a name=\"obj_3\"></a>Objective three: hold the ridge.</p>\r\n";
        for (int i = 0; i < 80; ++i) html += "<p>More filler " + QByteArray::number(i) + "</p>\r\n";
        return html + "</body></html>\r\n";
    }
};
}  // namespace

TEST_F(PagePreview, TypingIntoABriefingUpdatesThePreviewAfterThePause) {
    CScriptDoc* d = New(DocKind::Briefing);
    ASSERT_TRUE(WaitForPage());
    const int shown = Pane()->PagesShown();
    QTest::keyClicks(d->GetView(), "<h2>Kessel</h2>");
    // Nothing is rendered while the user types: one page once the pause has passed.
    EXPECT_TRUE(Pane()->IsPending());
    EXPECT_FALSE(Browser()->toPlainText().contains("Kessel"));
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(WaitForPage());
    EXPECT_GE(t.elapsed(), PreviewPauseMs(0) - 50);
    EXPECT_EQ(Browser()->toPlainText(), "Kessel");
    EXPECT_EQ(Pane()->PagesShown(), shown + 1);
}

TEST_F(PagePreview, FollowsTheActiveDocumentAndShowsOnlyPages) {
    CScriptDoc* page = OpenPage("m/briefing.html", "<p>West plan</p>");
    EXPECT_EQ(Pane()->Document(), page);
    EXPECT_EQ(Browser()->toPlainText(), "West plan");
    CScriptDoc* script = Open("m/init.sqs", "<p>not a page</p>");
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(Pane()->Document(), nullptr);
    EXPECT_FALSE(Browser()->toPlainText().contains("not a page"));
    page->ActivateFrame();
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(Browser()->toPlainText(), "West plan");
    page->OnCloseDocument();
    script->OnCloseDocument();
    Settle();
    EXPECT_EQ(Pane()->Document(), nullptr);
}

TEST_F(PagePreview, HiddenPreviewRendersNothingUntilShownAgain) {
    CScriptDoc* d = OpenPage("m/briefing.html", "<p>one</p>");
    Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    ASSERT_FALSE(Pane()->isVisible());
    const int shown = Pane()->PagesShown();
    QTest::keyClicks(d->GetView(), "two");
    EXPECT_FALSE(Pane()->IsPending());
    Pane()->RenderNow();
    EXPECT_FALSE(Pane()->IsPending());
    Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(Pane()->PagesShown(), shown + 1);
    EXPECT_TRUE(Browser()->toPlainText().contains("two"));
}

TEST_F(PagePreview, AnAnchorLinkScrollsToItsObjective) {
    OpenPage("m/briefing.html", LongPage("<p>See <a href=\"#obj_3\">objective three</a> first. "
                                         "<a href=\"#obj_9\">Nowhere</a></p>\r\n"));
    ASSERT_EQ(Browser()->verticalScrollBar()->value(), 0);
    ClickLink("objective three");
    EXPECT_GT(Browser()->verticalScrollBar()->value(), 0);
    EXPECT_LT(std::abs(TopOf("Objective three: hold")), 30);
    EXPECT_TRUE(Browser()->source().isEmpty());
    Browser()->verticalScrollBar()->setValue(0);
    ClickLink("Nowhere");
    EXPECT_EQ(Main()->statusBar()->currentMessage(), "This page has no place named \"obj_9\"");
}

TEST_F(PagePreview, MarkerAndOtherLinksDoNotNavigate) {
    OpenPage("m/briefing.html", "<p>Take <a href = \"marker:bridge\">the bridge</a>, then read "
                                "<a href=\"notes.html\">the notes</a> and <a href=\"http://example.org/\">the web</a>.</p>");
    const QTextDocument* before = Browser()->document();
    ClickLink("the bridge");
    EXPECT_EQ(Main()->statusBar()->currentMessage(), "Map marker: bridge");
    ClickLink("the notes");
    EXPECT_EQ(Main()->statusBar()->currentMessage(),
              "Links to other pages are not followed in the preview: notes.html");
    ClickLink("the web");
    QApplication::processEvents();
    EXPECT_EQ(Browser()->document(), before);
    EXPECT_TRUE(Browser()->source().isEmpty());
    EXPECT_TRUE(Browser()->toPlainText().startsWith("Take the bridge"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PagePreview, TheSectionsOfAMultiSidedBriefingCanBeJumpedTo) {
    Main()->resize(900, 500);
    OpenPage("m/briefing.html", TestPage("briefing_multisided.html"));
    QComboBox* list = Pane()->SectionList();
    ASSERT_EQ(list->count(), 15);
    EXPECT_EQ(list->itemText(0), "Plan - WEST");
    EXPECT_EQ(list->itemText(13), "Objective 3 - RESISTANCE");
    EXPECT_EQ(list->itemText(8), "Objective 1 - EAST");
    list->setCurrentIndex(8);
    emit list->activated(8);
    EXPECT_GT(Browser()->verticalScrollBar()->value(), 0);
    EXPECT_LT(std::abs(TopOf("Defend the depot.")), 30);
    // The plan's own link to an objective of its side.
    Browser()->verticalScrollBar()->setValue(0);
    ClickLink("objective 2");
    EXPECT_LT(std::abs(TopOf("Destroy the fuel depot")), 30);
}

TEST_F(PagePreview, TypingKeepsThePlaceInThePage) {
    CScriptDoc* d = OpenPage("m/briefing.html", LongPage("<p>Top</p>"));
    Browser()->verticalScrollBar()->setValue(Browser()->verticalScrollBar()->maximum() / 2);
    const int place = Browser()->verticalScrollBar()->value();
    ASSERT_GT(place, 0);
    PlaceCaret(d->GetView(), 0, 15);  // after "<html><body><p>"
    QTest::keyClicks(d->GetView(), "<b>x</b>");
    Pane()->RenderNow();
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(Browser()->toPlainText().startsWith("xTop"));
    EXPECT_EQ(Browser()->verticalScrollBar()->value(), place);
}

TEST_F(PagePreview, ALongPageRendersInShortTurns) {
    QByteArray html = "<html><body>\r\n";
    for (int i = 0; html.size() < 1'500'000; ++i)
        html += "<p><a name=\"obj_" + QByteArray::number(i % 8 + 1) + "\"></a>Objective " + QByteArray::number(i) +
                ": secure <a href=\"marker:bridge\">the bridge</a> and hold it until the armour arrives.</p><hr>\r\n";
    html += "<p>The very end.</p></body></html>\r\n";
    CScriptDoc* d = Open("m/briefing.html", html);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Browser()->toPlainText().startsWith("Objective 0:"); }, 20000));
    ASSERT_TRUE(WaitForPage(20000));

    // Typed at the top of the page: the render that follows takes the editor's thread only in
    // short turns (the text taken in slices, the page laid out in steps, the old page deleted
    // elsewhere, the places listed in one go).
    PlaceCaret(d->GetView(), 1, 3);
    QTest::keyClicks(d->GetView(), "Now ");
    const int shown = Pane()->PagesShown();
    Pane()->RenderNow();
    double longest = 0;
    QElapsedTimer all;
    all.start();
    while (Pane()->PagesShown() == shown && all.elapsed() < 20000) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents();
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        QThread::msleep(1);
    }
    for (int i = 0; i < 50; ++i) {  // and the layout steps after it
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents();
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
    }
    EXPECT_TRUE(Browser()->toPlainText().startsWith("Now Objective 0"));
#ifdef __SANITIZE_ADDRESS__
    EXPECT_LT(longest, 250.0);  // every step is several times slower under the sanitizers
#else
    EXPECT_LT(longest, 80.0);
#endif
    EXPECT_EQ(Pane()->SectionList()->count(), Pane()->SectionList()->model()->rowCount());
    EXPECT_GT(Pane()->SectionList()->count(), 10000);
}

TEST_F(PagePreview, OverviewPictureIsReadBesideTheFileAndAMissingOneIsAPlaceholder) {
    WriteData("m/overview.jpg", TestPage("overview.jpg"));
    CScriptDoc* d = OpenPage("m/overview.html", TestPage("overview.html"));
    const auto picture = [this] {
        return Browser()->document()->resource(QTextDocument::ImageResource, QUrl("overview.jpg")).value<QImage>();
    };
    EXPECT_EQ(picture().size(), QSize(256, 128));
    EXPECT_TRUE(Browser()->toPlainText().contains("Operation Kessel Bridge"));

    // A page reads each picture once, not on every paint: the file going changes nothing until
    // the next page is built.
    QFile::remove(Path("m/overview.jpg"));
    Browser()->viewport()->repaint();
    EXPECT_EQ(picture().size(), QSize(256, 128));
    QTest::keyClick(d->GetView(), Qt::Key_Space);
    Pane()->RenderNow();
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(picture(), CPreviewPage::Placeholder());
    // A missing picture is looked for once too.
    WriteData("m/overview.jpg", TestPage("overview.jpg"));
    Browser()->viewport()->repaint();
    EXPECT_EQ(picture(), CPreviewPage::Placeholder());
    // A new page has no folder yet: its pictures are placeholders too, never a message.
    CScriptDoc* unsaved = New(DocKind::Briefing);
    unsaved->GetView()->LoadText("<img src=\"overview.jpg\">");
    QTest::keyClick(unsaved->GetView(), Qt::Key_Space);
    Pane()->RenderNow();
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(picture(), CPreviewPage::Placeholder());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PagePreview, ShownStateIsStoredAndTheCloseBoxUnchecksTheCommand) {
    EXPECT_TRUE(Main()->Action(ID_VIEW_PAGEPREVIEW)->isChecked());
    ASSERT_TRUE(Main()->close());
    theApp.ExitInstance();
    Settle();
    EXPECT_EQ(Setting("PagePreview"), 1);
    ASSERT_TRUE(Start());
    Main()->show();
    EXPECT_TRUE(Pane()->isVisible());
    Pane()->close();
    EXPECT_FALSE(Main()->Action(ID_VIEW_PAGEPREVIEW)->isChecked());
    EXPECT_EQ(Main()->m_pagePreview, 0);
}

TEST_F(PagePreview, ThePageIsBuiltAwayFromTheEditorAndTypingMeanwhileIsNotLost) {
    // Titled "Briefing", so every keystroke also decides whether Edit Briefing applies.
    CScriptDoc* d = New(DocKind::Briefing);
    d->SetTitle("Briefing");
    CEditView* v = d->GetView();
    v->LoadText("<html><body>\r\n<p>Secure <a href = \"marker:bridge\">the bridge</a>.</p>\r\n</body></html>\r\n");
    ASSERT_TRUE(WaitForPage());
    const int shown = Pane()->PagesShown();
    PlaceCaret(v, 1, 3);  // after "<p>"
    for (const char c : QByteArray("Now ")) {
        QTest::keyClick(v, c);
        QApplication::processEvents();
        EXPECT_EQ(Pane()->PagesShown(), shown);  // no page is built between the keystrokes
        EXPECT_TRUE(Pane()->IsPending());
    }
    // RenderNow only starts the build: the page is not shown yet when it returns.
    Pane()->RenderNow();
    EXPECT_EQ(Pane()->PagesShown(), shown);
    EXPECT_TRUE(Pane()->IsPending());
    // What is typed while the page is built is shown by the page built after it.
    QTest::keyClicks(v, "then ");
    ASSERT_TRUE(WaitForPage());
    EXPECT_EQ(Pane()->PagesShown(), shown + 2);
    EXPECT_EQ(Browser()->toPlainText().trimmed(), "Now then Secure the bridge.");
}

namespace {
// Pages over 4,000 bytes are shown in windows of about 4,000 bytes, in pieces of about 600.
class LongPagePreview : public PagePreview {
protected:
    ScopedValue<CPagePreview::WindowSizes> m_sizes{CPagePreview::s_window, {4000, 600, 4000}};

    // Three hundred blocks in a red font; their anchors repeat after 150, as a page for two sides
    // does. A link at the top leads to the first "obj_140".
    static QByteArray Page() {
        QByteArray html = "<html><body bgcolor=\"#F0F0E0\"><font color=\"#C00000\">\r\n"
                          "<p>Read <a href=\"#obj_140\">the ridge orders</a> first.</p>\r\n";
        for (int i = 0; i < 300; ++i)
            html += "<p><a name=\"obj_" + QByteArray::number(i % 150 + 1) + "\"></a>Block " + QByteArray::number(i) +
                    ": hold point " + QByteArray::number(i) + ".</p>\r\n";
        return html + "</font></body></html>\r\n";
    }
    QString TopLine() const {
        return Browser()->cursorForPosition(QPoint(4, 4)).block().text();
    }
    bool AtTop(const QString& text) const {
        const QTextCursor c = Browser()->document()->find(text);
        return !c.isNull() && std::abs(Browser()->cursorRect(c).top()) < 30;
    }
    bool Shows(int block) const {
        return Browser()->toPlainText().contains("Block " + QString::number(block) + ":");
    }
};
}  // namespace

TEST_F(LongPagePreview, ALongPageIsShownAWindowAtATimeThatFollowsJumpsScrollingAndTyping) {
    Main()->resize(900, 500);
    CScriptDoc* d = OpenPage("m/briefing.html", Page());
    // Only the top of the page is built; the list still offers every place on it.
    EXPECT_GT(Pane()->PieceCount(), 20u);
    EXPECT_EQ(Pane()->ShownPieces().first, 0u);
    EXPECT_TRUE(Shows(0));
    EXPECT_FALSE(Shows(150));
    EXPECT_LT(Browser()->document()->characterCount(), 3000);
    EXPECT_EQ(Pane()->SectionList()->count(), 300);

    // A link to a place outside the window moves the window there; the first of a repeated name.
    ClickLink("the ridge orders");
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(AtTop("Block 139:"));
    EXPECT_GT(Pane()->ShownPieces().first, 0u);

    // The list's second "obj_51" is block 200's; the tags open there (the red font) are carried.
    emit Pane()->SectionList()->activated(200);
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(AtTop("Block 200:"));
    EXPECT_FALSE(Shows(0));
    const QTextCursor red = Browser()->document()->find("Block 200:");
    EXPECT_EQ(red.charFormat().foreground().color(), QColor("#C00000"));
    // And back within the window: no page is built for that.
    const int shown = Pane()->PagesShown();
    emit Pane()->SectionList()->activated(199);
    EXPECT_FALSE(Pane()->IsPending());
    QTest::qWait(20);
    EXPECT_TRUE(AtTop("Block 199:"));
    EXPECT_EQ(Pane()->PagesShown(), shown);

    // Scrolling to the window's end moves the window on, keeping the text in view where it was.
    QScrollBar* bar = Browser()->verticalScrollBar();
    const size_t last = Pane()->ShownPieces().second;
    bar->setValue(bar->maximum());
    const QString top = TopLine();
    const int topAt = TopOf(top);
    ASSERT_TRUE(Pane()->IsPending());
    ASSERT_TRUE(WaitForPage());
    EXPECT_GT(Pane()->ShownPieces().second, last);
    EXPECT_EQ(TopLine(), top);
    EXPECT_NEAR(TopOf(top), topAt, 2);
    // Further on, to the page's end.
    for (int i = 0; i < 40 && !Shows(299); ++i) {
        bar->setValue(bar->maximum());
        QTest::qWait(30);  // the rest of the window laid out
        WaitForPage();
    }
    EXPECT_TRUE(Shows(299));
    EXPECT_EQ(Pane()->ShownPieces().second, Pane()->PieceCount() - 1);

    // The page's own scroll bar spans the whole page (the browser's is not shown): at its end the
    // page's end, at its start the page's start, and it follows the view.
    QScrollBar* pageBar = Pane()->PageBar();
    EXPECT_TRUE(pageBar->isVisibleTo(Pane()));
    EXPECT_EQ(Browser()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    bar->setValue(bar->maximum());
    EXPECT_EQ(pageBar->value(), pageBar->maximum());
    EXPECT_GT(pageBar->maximum(), Page().size() / 2);
    pageBar->setValue(0);
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(AtTop("Block 0:") || Shows(0));
    EXPECT_EQ(Browser()->verticalScrollBar()->value(), 0);
    pageBar->setValue(pageBar->maximum() / 2);
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(Shows(150) || Shows(145) || Shows(155));
    const int middle = pageBar->value();
    bar->setValue(bar->value() + 200);
    EXPECT_GT(pageBar->value(), middle);
    pageBar->setValue(pageBar->maximum());
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(Shows(299));

    // Typing at the page's top renders the new text around the same place.
    emit Pane()->SectionList()->activated(220);
    ASSERT_TRUE(WaitForPage());
    PlaceCaret(d->GetView(), 1, 3);
    QTest::keyClicks(d->GetView(), "Now ");
    Pane()->RenderNow();
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(AtTop("Block 220:"));
    emit Pane()->SectionList()->activated(0);
    ASSERT_TRUE(WaitForPage());
    EXPECT_TRUE(Browser()->toPlainText().contains("Now Read the ridge orders"));
    // A short page is shown whole, with the browser's own scroll bar.
    OpenPage("m/other.html", "<p>Short</p>");
    EXPECT_FALSE(Pane()->PageBar()->isVisibleTo(Pane()));
    EXPECT_EQ(Browser()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

namespace {
using PagePreviewMadeLater = EditorFixture;
}

TEST_F(PagePreviewMadeLater, AHiddenPreviewIsMadeWhenFirstShownAndShowsTheActivePage) {
    EXPECT_EQ(Main()->m_wndPagePreview, nullptr);  // hidden at start-up: not made
    CScriptDoc* d = Open("m/Briefing.html", "<html><body><p>First words</p></body></html>\n");
    ASSERT_NE(d, nullptr);
    Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    CPagePreview* pane = Main()->m_wndPagePreview;
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(Main()->Action(ID_VIEW_PAGEPREVIEW)->isChecked());
    ASSERT_TRUE(WaitForPage(pane));
    EXPECT_TRUE(pane->Browser()->toPlainText().contains("First words"));
    Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    EXPECT_FALSE(pane->isVisible());
    Main()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    EXPECT_EQ(Main()->m_wndPagePreview, pane);  // shown again, not made again
    EXPECT_TRUE(pane->isVisible());
}
