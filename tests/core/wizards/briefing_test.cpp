#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>

#include "core/wizards/briefing.h"
#include "core/wizards/briefingpage.h"
#include "core/wizards/briefingreader.h"
#include "wizards/expectedfile.h"

using namespace qm;

namespace {
const std::string kVersion = "Version 3.0.1000";

std::string NoLineBreaks(std::string s) {
    std::erase_if(s, [](char c) { return c == '\r' || c == '\n'; });
    return s;
}

// What a side reads back as: line breaks gone, hide flags off, endings without a title gone.
SideBriefing AsReadBack(SideBriefing b) {
    for (std::string* s : {&b.plan, &b.notes}) *s = NoLineBreaks(*s);
    for (auto& o : b.objectives) o = NoLineBreaks(o);
    b.hidden = {};
    for (int n = 0; n < kBriefingEndings; ++n) {
        if (b.endingTitles[n].empty()) b.endingTexts[n].clear();
        b.endingTitles[n] = NoLineBreaks(b.endingTitles[n]);
        b.endingTexts[n] = NoLineBreaks(b.endingTexts[n]);
    }
    return b;
}

SideBriefing Filled(const std::string& tag) {
    SideBriefing b;
    b.plan = tag + " plan line 1\r\n" + tag + " plan line 2";
    b.notes = tag + " notes";
    b.objectives[0] = tag + " take the <a href = \"marker:bridge\">bridge</a>";
    b.objectives[3] = tag + " hold & wait";
    b.hidden[1] = true;
    b.endingTitles[0] = tag + " Victory";
    b.endingTexts[0] = tag + " well done";
    b.endingTitles[2] = tag + " Defeat";
    return b;
}
}  // namespace

TEST(BriefingWizard, StartsSingleSidedAndEmptyWithPlainCaptions) {
    BriefingWizard w;
    EXPECT_FALSE(w.m_multiSided);
    EXPECT_EQ(w.m_currentSide, 0);
    EXPECT_EQ(w.m_fields, SideBriefing{});
    EXPECT_EQ(w.GroupCaption(BriefingGroup::Plan), "Plan");
    EXPECT_EQ(w.GroupCaption(BriefingGroup::Endings), "Endings");
    EXPECT_STREQ(SideWord(2), "guerrila");
}

TEST(BriefingWizard, SidesKeepTheirOwnTextsWhileSwitching) {
    BriefingWizard w;
    w.m_fields.plan = "single plan";
    w.SetMultiSided(true);
    EXPECT_EQ(w.m_sides[0].plan, "single plan");  // the present content becomes WEST's
    EXPECT_EQ(w.GroupCaption(BriefingGroup::Notes), "Notes - WEST");

    w.ChooseSide(1);
    EXPECT_EQ(w.m_fields, SideBriefing{});
    EXPECT_EQ(w.GroupCaption(BriefingGroup::Objectives), "Objectives - EAST");
    w.m_fields.plan = "east plan";
    w.m_fields.hidden[4] = true;
    w.ChooseSide(2);
    w.m_fields.notes = "res notes";
    w.ChooseSide(1);
    EXPECT_EQ(w.m_fields.plan, "east plan");
    EXPECT_TRUE(w.m_fields.hidden[4]);
    EXPECT_EQ(w.m_sides[2].notes, "res notes");

    // Turning it off shows WEST again; the other sides stay in their records.
    w.SetMultiSided(false);
    EXPECT_EQ(w.m_currentSide, 0);
    EXPECT_EQ(w.m_sideChoice, 0);
    EXPECT_EQ(w.m_fields.plan, "single plan");
    EXPECT_EQ(w.m_sides[1].plan, "east plan");
    EXPECT_EQ(w.GroupCaption(BriefingGroup::Plan), "Plan");
    const auto out = w.BuildForOutput(kVersion);
    EXPECT_EQ(out.page.find("east plan"), std::string::npos);
    EXPECT_EQ(out.init, "");

    w.ResetBriefing();
    EXPECT_EQ(w.m_sides[1], SideBriefing{});
    EXPECT_FALSE(w.m_multiSided);
}

TEST(BriefingWizard, OutputStoresTheFieldsOfTheSideShownFirst) {
    BriefingWizard w;
    w.SetMultiSided(true);
    w.ChooseSide(2);
    w.m_fields.plan = "typed just now";
    w.m_fields.hidden[0] = true;
    const auto out = w.BuildForOutput(kVersion);
    EXPECT_NE(out.page.find("<!-- [PLAN_RESISTANCE] -->\r\ntyped just now\r\n"), std::string::npos);
    EXPECT_NE(out.init.find("\"RES_1\" ObjStatus \"HIDDEN\"\r\n"), std::string::npos);
}

TEST(BriefingScript, AnEmptyWizardWritesEmptyPlanAndNotesBlocksAndNoInit) {
    const SideBriefing empty;
    const std::string page = BuildBriefingPage(empty, kVersion);
    EXPECT_NE(page.find("<!-- [PLAN] -->\r\n\r\n<!-- [END] -->"), std::string::npos);
    EXPECT_EQ(page.find("<!-- Objective "), std::string::npos);
    EXPECT_EQ(page.find("End #"), std::string::npos);
    EXPECT_EQ(BuildInitScript(empty), "");
    ExpectSameAsFile(page, "briefing_empty.html");
}

TEST(BriefingScript, ObjectivesNeedATextAndEndingsATitle) {
    SideBriefing b;
    b.objectives[2] = "Objective three";
    b.endingTexts[1] = "text without a title";
    const std::string page = BuildBriefingPage(b, kVersion);
    EXPECT_NE(page.find("<!-- Objective 3 -->\r\n<p><a name=\"obj_3\"></a>\r\n"), std::string::npos);
    EXPECT_EQ(page.find("text without a title"), std::string::npos);
    EXPECT_EQ(page.find("End #"), std::string::npos);
    ExpectSameAsFile(page, "briefing_objective3.html");
}

TEST(BriefingScript, FullSingleSidedPageKeepsTextsAsTyped) {
    ExpectSameAsFile(BuildBriefingPage(Filled("W"), kVersion), "briefing_full.html");
}

TEST(BriefingScript, AHiddenObjectiveCountsEvenWithoutText) {
    SideBriefing b;
    b.hidden[4] = true;
    const std::string init = BuildInitScript(b);
    EXPECT_TRUE(init.ends_with("\r\n\r\n\"5\" ObjStatus \"HIDDEN\"\r\n"));
    EXPECT_TRUE(init.starts_with("; " + std::string(53, '*') + "\r\n; ** Varnholt Script File\r\n"));
    ExpectSameAsFile(init, "briefing_init_hidden5.sqs");
}

TEST(BriefingScript, MultiSidedLeavesOutSidesWithoutAPlan) {
    SideBriefings sides;
    sides[1].plan = "East only";
    sides[0].notes = "west notes, but no west plan";
    const std::string page = BuildMultiSidedPage(sides, kVersion);
    EXPECT_EQ(page.find("WEST"), std::string::npos);
    EXPECT_NE(page.find("<p><a name=\"plan.east\"></a>"), std::string::npos);
    EXPECT_NE(page.find("<!-- Multi-sided briefing for Varnholt  -->"), std::string::npos);
    ExpectSameAsFile(page, "briefing_multi_east.html");
}

TEST(BriefingScript, ResistanceAnchorsAndInitNamesUseTheirOwnWords) {
    SideBriefings sides;
    sides[0] = Filled("W");
    sides[2] = Filled("R");
    sides[2].hidden = {};
    sides[2].hidden[1] = true;
    sides[1].hidden[7] = true;  // EAST has no plan: not on the page, but its line is written
    const std::string page = BuildMultiSidedPage(sides, kVersion);
    EXPECT_NE(page.find("<p><a name=\"obj_1_res\"></a>\r\n<!-- [OBJ_1_RESISTANCE] -->"), std::string::npos);
    EXPECT_NE(page.find("<h2><a name=\"debriefing:end1.guerrila\"></a><br>"), std::string::npos);
    EXPECT_NE(page.find("<p><a name=\"obj_1_west\"></a>"), std::string::npos);
    ExpectSameAsFile(page, "briefing_multi_west_resistance.html");
    const std::string init = BuildInitScript(sides);
    EXPECT_TRUE(init.ends_with("\r\n\r\n\"WEST_2\" ObjStatus \"HIDDEN\"\r\n\"EAST_8\" ObjStatus \"HIDDEN\"\r\n"
                               "\"RES_2\" ObjStatus \"HIDDEN\"\r\n"));
    ExpectSameAsFile(init, "briefing_init_multi.sqs");
}

TEST(InsertHyperlink, WrapsTheSelectionAndPutsTheCaretAfterTheLink) {
    const auto e = InsertHyperlink(u"go to the bridge now", 10, 16, u"bridge1");
    ASSERT_TRUE(e.changed);
    EXPECT_EQ(e.text, u"go to the <a href = \"marker:bridge1\">bridge</a> now");
    EXPECT_EQ(e.caret, 10 + static_cast<int>(std::u16string(u"<a href = \"marker:bridge1\">bridge</a>").size()));
    for (auto [a, b] : {std::pair{5, 5}, {7, 3}, {-1, 4}, {3, 99}})
        EXPECT_FALSE(InsertHyperlink(u"short text", a, b, u"m").changed) << a << "," << b;
}

TEST(BriefingReader, FindSectionGivesContentBoundsOrMinusOne) {
    const std::string t = "ab<!-- [PLAN] -->xyz<!-- [END] -->";
    EXPECT_EQ(FindSection(t, "<!-- [PLAN] -->"), std::make_pair(17LL, 20LL));
    EXPECT_EQ(FindSection(t, "<!-- [NOTES] -->"), std::make_pair(-1LL, -1LL));
    EXPECT_EQ(FindSection("<!-- [END] --><!-- [PLAN] -->", "<!-- [PLAN] -->"), std::make_pair(29LL, -1LL));
    EXPECT_EQ(FindSection("<!-- [PLAN] --><!-- [END] -", "<!-- [PLAN] -->"), std::make_pair(15LL, -1LL));
    EXPECT_EQ(FindSection("", "<!-- [PLAN] -->"), std::make_pair(-1LL, -1LL));
}

TEST(BriefingReader, SingleSidedPageReadsBackWithLineBreaksJoined) {
    SideBriefing b;
    b.plan = "first line\r\nsecond line";
    b.objectives[1] = "two";
    b.objectives[4] = "five";
    b.hidden[4] = true;
    const ParsedBriefing p = ParseBriefing(BuildBriefingPage(b, kVersion));
    ASSERT_TRUE(p.ok);
    EXPECT_FALSE(p.multiSided);
    EXPECT_EQ(p.sides[0].plan, "first linesecond line");
    EXPECT_EQ(p.sides[0].objectives[1], "two");
    EXPECT_EQ(p.sides[0].objectives[4], "five");
    EXPECT_EQ(p.sides[0].objectives[0], "");
    EXPECT_EQ(p.sides[0].hidden, (std::array<bool, 8>{}));
}

TEST(BriefingReader, SingleSidedNeedsACompletePlanSectionMultiSidedDoesNot) {
    EXPECT_FALSE(ParseBriefing("<html><body>Hello</body></html>").ok);
    EXPECT_FALSE(ParseBriefing("<!-- [PLAN] -->plan without end").ok);
    EXPECT_FALSE(ParseBriefing("<!-- [NOTES] -->n<!-- [END] -->").ok);
    EXPECT_TRUE(ParseBriefing("<!-- [PLAN] --><!-- [END] -->").ok);

    const ParsedBriefing m = ParseBriefing("<!-- [MULTI-SIDED] --><!-- [NOTES_EAST] -->\r\nn\r\n<!-- [END] -->"
                                           "<!-- [TEXT_1_EAST] -->lost without title<!-- [END] -->");
    ASSERT_TRUE(m.ok);
    EXPECT_TRUE(m.multiSided);
    EXPECT_EQ(m.sides[1].notes, "n");
    EXPECT_EQ(m.sides[1].endingTexts[0], "");
    EXPECT_EQ(m.sides[0], SideBriefing{});
}

TEST(BriefingReader, TitlesBriefingMadeInTheEditorOrOpenedFromDiskInAnyCase) {
    for (const char* t : {"Briefing", "briefing*", "BRIEFING", "BrIeFiNg*", "briefing.html", "Briefing.HTML*", "briefing.htm"})
        EXPECT_TRUE(IsBriefingTitle(t)) << t;
    for (const char* t : {"mission", "mission.html", "Briefing1", "Briefing**", "", "briefing.html.bak", "*"})
        EXPECT_FALSE(IsBriefingTitle(t)) << t;
}

// Write then read gives the same texts, over many generated briefings of both forms.
TEST(BriefingRoundTrip, ManyGeneratedBriefingsReadBackToTheirTexts) {
    std::mt19937 rng(20240611);
    const std::vector<std::string> pieces = {"a", "b", "z", " ", "<", ">", "&", "\"", "'", "\r\n", "\n", "é", "<!--",
                                             "-->", "[", "]", "<a href = \"marker:m1\">x</a>", "&amp;"};
    auto text = [&](int maxPieces) {
        std::string s;
        const int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
        for (int i = 0; i < n; ++i) s += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(rng)];
        return s;
    };
    auto side = [&] {
        SideBriefing b;
        b.plan = text(12);
        b.notes = text(12);
        for (int i = 0; i < kBriefingObjectives; ++i) {
            if (rng() % 2) b.objectives[i] = text(6);
            b.hidden[i] = rng() % 4 == 0;
        }
        for (int i = 0; i < kBriefingEndings; ++i) {
            if (rng() % 2) b.endingTitles[i] = text(4);
            if (rng() % 2) b.endingTexts[i] = text(6);
        }
        return b;
    };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        if (round % 2 == 0) {
            const SideBriefing b = side();
            const ParsedBriefing p = ParseBriefing(BuildBriefingPage(b, kVersion));
            ASSERT_TRUE(p.ok);
            ASSERT_FALSE(p.multiSided);
            EXPECT_EQ(p.sides[0], AsReadBack(b));
        } else {
            SideBriefings sides;
            for (auto& s : sides)
                if (rng() % 3) s = side();
            const ParsedBriefing p = ParseBriefing(BuildMultiSidedPage(sides, kVersion));
            ASSERT_TRUE(p.ok);
            ASSERT_TRUE(p.multiSided);
            for (int s = 0; s < kBriefingSides; ++s)
                EXPECT_EQ(p.sides[s], sides[s].plan.empty() ? SideBriefing{} : AsReadBack(sides[s])) << s;
        }
    }
}

// Every text read from a hand-edited page is a piece of that page: nothing is read past its end.
TEST(BriefingRoundTrip, HandEditedPagesNeverReadPastTheText) {
    SideBriefings sides{Filled("W"), Filled("E"), Filled("R")};
    const std::string pages[] = {BuildBriefingPage(Filled("S"), kVersion), BuildMultiSidedPage(sides, kVersion)};
    auto allPieces = [](const ParsedBriefing& p, const std::string& stripped) {
        for (const SideBriefing& b : p.sides) {
            std::vector<const std::string*> texts = {&b.plan, &b.notes};
            for (const auto& o : b.objectives) texts.push_back(&o);
            for (int n = 0; n < kBriefingEndings; ++n) texts.insert(texts.end(), {&b.endingTitles[n], &b.endingTexts[n]});
            for (const std::string* t : texts)
                if (stripped.find(*t) == std::string::npos) return false;
        }
        return true;
    };
    for (const std::string& page : pages) {
        // Cut short at every length: an end marker goes missing, then the marker itself.
        for (size_t len = 0; len <= page.size(); len += 7) {
            // A buffer of exactly this size, so a read past it is a read past the allocation.
            auto buf = std::make_unique<char[]>(len);
            std::copy_n(page.data(), len, buf.get());
            const std::string_view cut(buf.get(), len);
            const ParsedBriefing p = ParseBriefing(cut);
            ASSERT_TRUE(allPieces(p, NoLineBreaks(std::string(cut)))) << len;
        }
    }
    // Markers swapped, end markers removed, markers out of order.
    std::string swapped = pages[0];
    const size_t plan = swapped.find("<!-- [PLAN] -->");
    const size_t end = swapped.find("<!-- [END] -->", plan);
    swapped.replace(end, 14, "<!-- [PLAN] -->");
    swapped.replace(plan, 15, "<!-- [END] -->");
    ParsedBriefing p = ParseBriefing(swapped);
    ASSERT_TRUE(p.ok);  // the plan now runs from the moved marker to the notes' end
    EXPECT_TRUE(allPieces(p, NoLineBreaks(swapped)));

    std::string noEnds = pages[1];
    for (size_t at; (at = noEnds.find("<!-- [END] -->")) != std::string::npos;) noEnds.erase(at, 14);
    p = ParseBriefing(noEnds);
    ASSERT_TRUE(p.ok);
    for (const auto& s : p.sides) EXPECT_EQ(s, SideBriefing{});
}

TEST(BriefingRoundTrip, TenMegabytePagesAreReadQuickly) {
    std::string junk;
    junk.reserve(10 << 20);
    while (junk.size() < (10u << 20)) junk += "<p>plain <!-- not a marker --> text &amp; more</p>\r\n";
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(ParseBriefing(junk).ok);
    const ParsedBriefing multi = ParseBriefing("<!-- [MULTI-SIDED] -->" + junk + "<!-- [PLAN_EAST] -->end");
    EXPECT_TRUE(multi.ok);
    EXPECT_EQ(multi.sides[1].plan, "");

    SideBriefing big;
    big.plan = junk;
    const ParsedBriefing p = ParseBriefing(BuildBriefingPage(big, kVersion));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.sides[0].plan, NoLineBreaks(junk));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}
