#include <gtest/gtest.h>

#include "core/frames/pagepreview.h"
#include "support/tempdir.h"

using namespace qm;

namespace {
std::string ReadPage(const std::string& name) {
    return TempDir::Read(std::string(QM_SOURCE_DIR) + "/tests/data/pages/" + name);
}
}  // namespace

TEST(PagePreview, OnlyBriefingDocumentsArePreviewed) {
    for (const auto& k : DocKinds()) EXPECT_EQ(HasPagePreview(k.kind), k.kind == DocKind::Briefing) << k.name;
}

TEST(PagePreview, PauseGrowsWithTheTextButStaysBounded) {
    EXPECT_EQ(PreviewPauseMs(0), 400);
    EXPECT_EQ(PreviewPauseMs(5000), 400);
    EXPECT_GT(PreviewPauseMs(10'000'000), PreviewPauseMs(100'000));
    EXPECT_EQ(PreviewPauseMs(size_t(1) << 40), 2000);
}

TEST(PagePreview, LinksAreAnchorsMarkersOrOther) {
    PageLink l = ClassifyPageLink("#obj_1");
    EXPECT_EQ(l.kind, PageLinkKind::Anchor);
    EXPECT_EQ(l.target, "obj_1");
    l = ClassifyPageLink("  marker:Town Square ");
    EXPECT_EQ(l.kind, PageLinkKind::Marker);
    EXPECT_EQ(l.target, "Town Square");
    EXPECT_EQ(ClassifyPageLink("MARKER:bridge").kind, PageLinkKind::Marker);
    EXPECT_EQ(ClassifyPageLink("marker:").target, "");
    for (const char* other : {"http://example.org/", "briefing.html#plan", "file:///etc/passwd", "", "markers.html"})
        EXPECT_EQ(ClassifyPageLink(other).kind, PageLinkKind::Other) << other;
}

TEST(PagePreview, LinkDescriptionsForTheStatusBar) {
    EXPECT_EQ(DescribePageLink(ClassifyPageLink("#plan"), true), "");
    EXPECT_EQ(DescribePageLink(ClassifyPageLink("#obj_9"), false), "This page has no place named \"obj_9\"");
    EXPECT_EQ(DescribePageLink(ClassifyPageLink("marker:bridge"), false), "Map marker: bridge");
    EXPECT_EQ(DescribePageLink(ClassifyPageLink("marker: "), false), "Map link without a marker name");
    EXPECT_EQ(DescribePageLink(ClassifyPageLink("http://x/"), false),
              "Links to other pages are not followed in the preview: http://x/");
}

TEST(PagePreview, PicturesAreFoundBesideThePageOnly) {
    TempDir dir;
    const std::string page = dir.Write("mission/overview.html", "<html>");
    const std::string pic = dir.Write("mission/overview.jpg", "jpeg");
    const std::string sub = dir.Write("mission/pics/Map.JPG", "jpeg");
    dir.Write("secret.jpg", "jpeg");

    EXPECT_EQ(FindPagePicture("overview.jpg", page), pic);
    EXPECT_EQ(FindPagePicture(" overview.jpg ", page), pic);
    EXPECT_EQ(FindPagePicture("./overview.jpg", page), pic);
    EXPECT_EQ(FindPagePicture("pics\\Map.JPG", page), sub);
    // The game's files are named without regard to letter case.
    EXPECT_EQ(FindPagePicture("OVERVIEW.jpg", page), pic);
    EXPECT_EQ(FindPagePicture("PICS/map.jpg", page), sub);

    EXPECT_EQ(FindPagePicture("missing.jpg", page), "");
    EXPECT_EQ(FindPagePicture("", page), "");
    EXPECT_EQ(FindPagePicture("overview.jpg", ""), "");  // a page never saved has no folder
    EXPECT_EQ(FindPagePicture("../secret.jpg", page), "");
    EXPECT_EQ(FindPagePicture(dir.Path("secret.jpg"), page), "");
    EXPECT_EQ(FindPagePicture("file:overview.jpg", page), "");
    EXPECT_EQ(FindPagePicture("http://example.org/overview.jpg", page), "");
    EXPECT_EQ(FindPagePicture("pics", page), "");  // a folder is no picture
}

TEST(PagePreview, SectionCaptionsFollowTheBriefingAnchors) {
    EXPECT_EQ(SectionCaption("plan"), "Plan");
    EXPECT_EQ(SectionCaption("main"), "Notes");
    EXPECT_EQ(SectionCaption("obj_3"), "Objective 3");
    EXPECT_EQ(SectionCaption("debriefing:end2"), "End #2");
    EXPECT_EQ(SectionCaption("plan.west"), "Plan - WEST");
    EXPECT_EQ(SectionCaption("main.guerrila"), "Notes - RESISTANCE");
    EXPECT_EQ(SectionCaption("obj_1_res"), "Objective 1 - RESISTANCE");
    EXPECT_EQ(SectionCaption("obj_8_east"), "Objective 8 - EAST");
    EXPECT_EQ(SectionCaption("debriefing:end1.guerrila"), "End #1 - RESISTANCE");
    // Other names stand as they are.
    for (const char* n : {"Main", "obj_x", "plan.north", "debriefing:end", "obj_1_", "intro"})
        EXPECT_EQ(SectionCaption(n), n);
}

TEST(PagePreview, SectionsOfAMultiSidedBriefingInPageOrder) {
    const auto s = ListPageSections(ReadPage("briefing_multisided.html"));
    std::vector<std::string> captions;
    for (const auto& e : s) captions.push_back(e.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "Plan - WEST", "Notes - WEST", "Objective 1 - WEST", "Objective 2 - WEST",
                            "End #1 - WEST", "End #2 - WEST", "Plan - EAST", "Notes - EAST", "Objective 1 - EAST",
                            "End #1 - EAST", "Plan - RESISTANCE", "Notes - RESISTANCE", "Objective 1 - RESISTANCE",
                            "Objective 3 - RESISTANCE", "End #1 - RESISTANCE"}));
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().anchor, "debriefing:end1.guerrila");
}

TEST(PagePreview, SectionsOfHandEditedMarkup) {
    const auto s = ListPageSections(
        "<A NAME=plan></a><a\nhref=\"#x\" name = 'obj_2'>x</a><!-- <a name=\"hidden\"> -->"
        "<abbr name=\"no\"><a title=\"a > b\" name=\"main\"><a name=\"\"><area name=\"no\"><a name=\"unclosed");
    std::vector<std::string> anchors;
    for (const auto& e : s) anchors.push_back(e.anchor);
    EXPECT_EQ(anchors, (std::vector<std::string>{"plan", "obj_2", "main"}));
    EXPECT_TRUE(ListPageSections("<a name").empty());
    EXPECT_TRUE(ListPageSections("<!-- never closed <a name=\"x\">").empty());
}
