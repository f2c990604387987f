#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "ui/frames/slicedtextcopy.h"

using namespace qm;

TEST(SlicedTextCopy, ALongTextIsTakenInSeveralSlicesWholeAndAChangeMeanwhileDropsTheCopy) {
    // Lines of every kind the editor holds: a no-break space and a line break within a block too.
    QString text;
    for (int i = 0; i < 200000; ++i) text += QStringLiteral("line %1\u00a0end").arg(i) + QChar(u'\n');
    text += QStringLiteral("last") + QChar::LineSeparator + QStringLiteral("tail");
    QTextDocument doc;
    doc.setPlainText(text);
    QString expected = doc.toRawText();
    expected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));

    CSlicedTextCopy copy;
    QSignalSpy finished(&copy, &CSlicedTextCopy::Finished);
    ASSERT_FALSE(copy.Start(&doc));  // 200,000 lines do not fit in one slice
    EXPECT_TRUE(copy.IsRunning());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(copy.IsRunning());
    EXPECT_EQ(copy.TakeText(), expected);

    // A line typed while the copy runs: the copy is dropped, and no half-old text is ever offered.
    ASSERT_FALSE(copy.Start(&doc));
    QTextCursor(doc.findBlockByNumber(100)).insertText(QStringLiteral("x"));
    EXPECT_FALSE(copy.IsRunning());
    QTest::qWait(50);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(copy.TakeText().isEmpty());
}
