#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/doc/dockinds.h"
#include "core/doc/titlerules.h"

using namespace qm;

TEST(DocKinds, SixKindsInTemplateOrder) {
    const auto& k = DocKinds();
    ASSERT_EQ(k.size(), 6u);
    const char* names[] = {"Script", "Description", "StringTable", "Briefing", "Function", "Text"};
    const char* exts[] = {".sqs", ".ext", ".csv", ".html", ".sqf", ".txt"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(k[i].name, names[i]);
        EXPECT_STREQ(k[i].extension, exts[i]);
        EXPECT_EQ(k[i].resourceId, 131 + i);
    }
    EXPECT_EQ(KindInfo(DocKind::Function).view, ViewKind::Script);
    EXPECT_EQ(KindInfo(DocKind::Function).frame, FrameKind::Script);
    EXPECT_EQ(KindInfo(DocKind::Description).header, HeaderKind::Description);
    EXPECT_TRUE(KindInfo(DocKind::Briefing).wrapsLines);
    EXPECT_FALSE(KindInfo(DocKind::Script).wrapsLines);
    EXPECT_STREQ(KindInfo(DocKind::StringTable).regTypeId, "VarnholtStringTable.Document");
}

TEST(DocKinds, PathChoosesTemplateByExtensionElseScript) {
    EXPECT_EQ(KindForPath("/m/init.SQS"), DocKind::Script);
    EXPECT_EQ(KindForPath("/m/description.ext"), DocKind::Description);
    EXPECT_EQ(KindForPath("/m/stringtable.csv"), DocKind::StringTable);
    EXPECT_EQ(KindForPath("/m/briefing.html"), DocKind::Briefing);
    EXPECT_EQ(KindForPath("/m/fn.sqf"), DocKind::Function);
    EXPECT_EQ(KindForPath("/m/notes.txt"), DocKind::Text);
    EXPECT_EQ(KindForPath("/m/mission.sqm"), DocKind::Script);
    EXPECT_EQ(KindForPath("/m/scriptsqs"), DocKind::Script);
    EXPECT_EQ(KindForPath(".txt"), DocKind::Script);
}

TEST(TitleRules, NewDocumentsAreNamedAfterTheirKindWithoutNumbers) {
    EXPECT_EQ(ResolveTitle("Untitled", "", "", DocKind::Script), "Script");
    EXPECT_EQ(ResolveTitle("Untitled", "", "", DocKind::Script), "Script");
    EXPECT_EQ(ResolveTitle("x", "", "", DocKind::Text), "Text");
    EXPECT_EQ(ResolveTitle("x", "", "", DocKind::StringTable), "StringTable");
    // A document with a title or a path takes the text as it is.
    EXPECT_EQ(ResolveTitle("UNIT_12", "", "Script", DocKind::Script), "UNIT_12");
    EXPECT_EQ(ResolveTitle("init.sqs", "/m/init.sqs", "", DocKind::Script), "init.sqs");
}

TEST(TitleRules, MarkerIsOneTrailingStarWhileModified) {
    EXPECT_EQ(StripModifiedMarker("Script***"), "Script");
    EXPECT_EQ(StripModifiedMarker("a*b"), "a*b");
    EXPECT_EQ(MarkedTitle("Function", true), "Function*");
    EXPECT_EQ(MarkedTitle("Function**", true), "Function*");
    EXPECT_EQ(MarkedTitle("Function*", false), "Function");
    EXPECT_EQ(FileNameOfPath("/m/x/init.sqs"), "init.sqs");
    // A backslash separates only on Windows; elsewhere it is part of the file's name.
    const bool windows = kPathSep == '\\';
    EXPECT_EQ(FileNameOfPath("C:\\m\\init.sqs"), windows ? "init.sqs" : "C:\\m\\init.sqs");
    EXPECT_EQ(FileNameOfPath("/m/a\\b.sqs"), windows ? "b.sqs" : "a\\b.sqs");
    EXPECT_EQ(FileNameOfPath(std::string("a") + kPathSep), "");
    EXPECT_EQ(FileNameOfPath("init.sqs"), "init.sqs");
}
