// The window of its own for very large texts: typing, moving, selecting, undo, the clipboard,
// two windows on one text, the colours it paints and what it leaves on the screen.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/views/largetextview.h"

using namespace qm;

namespace {
std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i % 2 ? "; remark " : "_unit") + std::to_string(i) + "\n";
    return text + "end";
}

struct Window {
    CLargeText text;
    CLargeTextView view;
    explicit Window(std::string t) : text(std::move(t)) {
        view.SetText(&text);
        view.resize(600, 400);
        view.show();
    }
    std::string Line(int n) const { return text.Table().LineText(size_t(n)); }
};
}  // namespace

TEST(LargeTextView, TypingMovingSelectingAndUndoAsInTheEditor) {
    Window w(Lines(200000));
    w.text.Table().MarkClean();
    w.view.GoToLine(150000);
    EXPECT_EQ(w.view.CaretLine(), 150000);
    EXPECT_GT(w.view.FirstVisibleLine(), 149900);
    EXPECT_LE(w.view.FirstVisibleLine(), 150000);
    QTest::keyClicks(&w.view, "ab");
    QTest::keyClick(&w.view, Qt::Key_Return);
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(&w.view, &accented);  // a character of two UTF-8 bytes
    EXPECT_EQ(w.Line(150000), "ab");
    EXPECT_EQ(w.Line(150001), "\xC3\xA9_unit150000");
    EXPECT_TRUE(w.text.IsModified());
    QTest::keyClick(&w.view, Qt::Key_Backspace);  // the whole character, not half of it
    EXPECT_EQ(w.Line(150001), "_unit150000");
    QTest::keyClick(&w.view, Qt::Key_Backspace);  // joins the lines
    EXPECT_EQ(w.Line(150000), "ab_unit150000");
    QTest::keyClick(&w.view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(w.view.SelectedText(), "_unit150000");
    QTest::keyClick(&w.view, Qt::Key_Down);  // keeps the column
    EXPECT_EQ(w.view.CaretLine(), 150001);
    QTest::keyClick(&w.view, Qt::Key_Up);
    QTest::keyClick(&w.view, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(&w.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "ab_unit150000");
    QTest::keyClick(&w.view, Qt::Key_V, Qt::ControlModifier);  // over the selection: the same text
    QTest::keyClick(&w.view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Line(150000), "ab_unit150000ab_unit150000");
    QApplication::clipboard()->setText("x\r\ny");
    w.view.Paste();  // pasted line ends are the text's own
    EXPECT_EQ(w.Line(150001), "y");
    auto* html = new QMimeData;  // the clipboard takes it
    html->setHtml("<p>hint <b>&quot;a&quot;</b></p><p>exit</p>");
    QApplication::clipboard()->setMimeData(html);
    w.view.Paste();  // a clipboard holding only HTML pastes the text it shows
    EXPECT_EQ(w.Line(150001), "yhint \"a\"");
    EXPECT_EQ(w.Line(150002), "exit");

    // Undo walks back step by step to the saved text, the caret following each step.
    int undos = 0;
    while (w.text.Table().CanUndo() && undos < 20) {
        QTest::keyClick(&w.view, Qt::Key_Z, Qt::ControlModifier);
        ++undos;
    }
    EXPECT_FALSE(w.text.IsModified());
    EXPECT_EQ(w.Line(150000), "_unit150000");
    EXPECT_EQ(w.view.CaretLine(), 150000);
    EXPECT_LT(undos, 10);  // "ab" typed is one step, not two
    QTest::keyClick(&w.view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.Line(150000), "ab_unit150000");

    QTest::keyClick(&w.view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(w.view.CaretOffset(), w.text.Table().Size());
    QTest::keyClick(&w.view, Qt::Key_Tab);
    EXPECT_EQ(w.Line(200000), "end\t");
    EXPECT_EQ(w.view.FirstVisibleLine(), w.view.verticalScrollBar()->maximum());
}

TEST(LargeTextView, TwoWindowsOnOneTextKeepTheirCaretsOnTheirWords) {
    Window w(Lines(1000));
    CLargeTextView second;
    second.SetText(&w.text);
    second.resize(600, 400);
    second.show();
    second.GoToLine(500);
    w.view.GoToLine(10);
    QTest::keyClick(&w.view, Qt::Key_Return);
    QTest::keyClicks(&w.view, "new");
    EXPECT_EQ(second.CaretLine(), 501);  // the line it was on moved down one
    EXPECT_EQ(w.Line(11), "new_unit10");
    QTest::keyClick(&second, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&second, Qt::Key_Delete);  // everything above the second window's caret goes
    EXPECT_EQ(w.view.CaretOffset(), 0u);
    EXPECT_EQ(w.Line(0), "_unit500");
    w.view.Undo();
    EXPECT_EQ(w.Line(11), "new_unit10");
}

TEST(LargeTextView, PaintsOnlyTheShownLinesInTheirColours) {
    Window w(Lines(300000));
    w.view.lineRuns = [](const QString& line) {
        std::vector<ColourRun> runs;
        if (line.startsWith(';')) runs.push_back({0, int(line.size()), ColourRole::Remark});
        return runs;
    };
    w.view.roleColour = [](ColourRole role) { return role == ColourRole::Remark ? QColor(255, 0, 0) : QColor(Qt::black); };
    w.view.ShowLineNumbers(false);
    w.view.GoToLine(250000);  // line 250000 is "_unit...", 250001 a remark
    const int first = w.view.FirstVisibleLine();
    const QImage shot = w.view.viewport()->grab().toImage();
    const int height = w.view.fontMetrics().lineSpacing();
    const auto redIn = [&](int row) {
        for (int y = row * height; y < (row + 1) * height && y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y).red() > 200 && shot.pixelColor(x, y).green() < 80) return true;
        return false;
    };
    const int remarkRow = (first % 2 == 1) ? 0 : 1;
    EXPECT_TRUE(redIn(remarkRow));
    EXPECT_FALSE(redIn(1 - remarkRow));
}

// Lines below an edit keep their pixels and are moved, not painted again: what the window shows
// after each edit (its backing store, as the screen gets it) must be what a fresh paint gives.
TEST(LargeTextView, WhatTheWindowShowsAfterEachEditIsWhatAFreshPaintShows) {
    Window w(Lines(5000));
    w.view.lineRuns = [](const QString& line) {
        return std::vector<ColourRun>{{0, int(line.size()), line.startsWith(';') ? ColourRole::Remark : ColourRole::Text}};
    };
    w.view.roleColour = [](ColourRole role) { return role == ColourRole::Remark ? QColor(0, 128, 0) : QColor(Qt::black); };
    w.view.GoToLine(2000);
    QApplication::processEvents();
    const auto same = [&](const char* after) {
        QApplication::processEvents();
        const QRect area(w.view.viewport()->mapTo(&w.view, QPoint(0, 0)), w.view.viewport()->size());
        const QImage shown =
            w.view.screen()->grabWindow(w.view.winId()).toImage().copy(area).convertToFormat(QImage::Format_RGB32);
        const QImage fresh = w.view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == fresh) << "after " << after;
    };
    same("scrolling");
    QTest::keyClick(&w.view, Qt::Key_Return);
    same("Enter");
    QTest::keyClicks(&w.view, "; x");
    QTest::keyClick(&w.view, Qt::Key_Return);
    QTest::keyClick(&w.view, Qt::Key_Return);
    same("typing and two Enters");
    QTest::keyClick(&w.view, Qt::Key_Backspace);
    QTest::keyClick(&w.view, Qt::Key_Up);
    QTest::keyClick(&w.view, Qt::Key_Delete);
    same("lines joined");
    QApplication::clipboard()->setText("; one\n_two\n; three\n");
    w.view.Paste();
    same("three lines pasted");
    QTest::keyClick(&w.view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&w.view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&w.view, Qt::Key_Backspace);
    same("two selected lines deleted");
    QTest::keyClick(&w.view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w.view, Qt::Key_Z, Qt::ControlModifier);
    same("two undos");
}
