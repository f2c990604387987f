#include <gtest/gtest.h>

#include <random>

#include "core/frames/pagepreview.h"
#include "core/frames/pagewindow.h"

using namespace qm;

namespace {
std::string Text(std::string_view html, TextRange r) { return std::string(html.substr(r.first, r.second - r.first)); }

std::string OpenTags(std::string_view html, const PagePiece& p) {
    std::string s;
    for (const TextRange& r : p.openTags) s += Text(html, r);
    return s;
}

// The pieces lie end to end over the whole page, and every later one starts at a tag, a comment
// or a line's start.
void ExpectWholeAndCutWell(std::string_view html, const PageCut& cut) {
    ASSERT_FALSE(cut.pieces.empty());
    EXPECT_EQ(cut.pieces.front().begin, 0u);
    EXPECT_EQ(cut.pieces.back().end, html.size());
    for (size_t k = 0; k < cut.pieces.size(); ++k) {
        const PagePiece& p = cut.pieces[k];
        EXPECT_LT(p.begin, p.end == 0 ? 1 : p.end) << k;
        if (k == 0) continue;
        EXPECT_EQ(p.begin, cut.pieces[k - 1].end) << k;
        EXPECT_TRUE(html[p.begin] == '<' || html[p.begin - 1] == '\n') << k;
        EXPECT_EQ(PieceAt(cut, p.begin), k);
        EXPECT_EQ(PieceAt(cut, p.end - 1), k);
        EXPECT_LE(p.openTags.size(), kMaxCarriedTags);
        for (const TextRange& r : p.openTags) {
            EXPECT_EQ(html[r.first], '<');
            EXPECT_LE(r.second - r.first, kMaxCarriedTagBytes);
        }
    }
}

std::string WizardLikePage(int objectives) {
    std::string html =
        "<html>\n<head><style>p { color: #303030 }</style></head>\n<body bgcolor=\"#F0F0E0\">\n"
        "<font face=\"Verdana\">\n<center>\n";
    for (int i = 1; i <= objectives; ++i) {
        const std::string n = std::to_string(i);
        html += "<!-- Objective " + n + " -->\n<p><a name=\"obj_" + n + "\"></a>\n<!-- [OBJ_" + n +
                "] -->\nSecure <a href = \"marker:bridge\">the bridge</a> and hold it.\n<!-- [END] -->\n</p><hr>\n\n";
    }
    return html + "</center></font>\n</body>\n</html>\n";
}
}  // namespace

TEST(PageWindow, ALongPageIsCutAtTagsCarryingItsOpenTagsAndStyles) {
    const std::string html = WizardLikePage(400);
    const PageCut cut = CutPage(html, 2000);
    ExpectWholeAndCutWell(html, cut);
    ASSERT_GT(cut.pieces.size(), 10u);
    for (size_t k = 1; k < cut.pieces.size(); ++k) {
        const PagePiece& p = cut.pieces[k];
        EXPECT_LT(p.end - p.begin, 2000u + 200u) << k;
        // Closed paragraphs and links are not carried; the body, font and centre are.
        const std::string open = OpenTags(html, p);
        EXPECT_TRUE(open == "<html><body bgcolor=\"#F0F0E0\"><font face=\"Verdana\"><center>" ||
                    open == "<html><body bgcolor=\"#F0F0E0\"><font face=\"Verdana\"><center><p>")
            << k << ": " << open;
    }
    ASSERT_EQ(cut.styleSheets.size(), 1u);
    EXPECT_EQ(Text(html, cut.styleSheets[0]), "<style>p { color: #303030 }</style>");

    // A window is a page of its own: styles, open tags, then the pieces, each with its marker
    // anchor just before its first shown text (where the page's reader keeps an anchor).
    std::string window = PageWindowHtml(html, cut, 3, 4);
    for (const size_t k : {3, 4}) {
        const std::string marker = "<a name=\"" + PieceMarker(k) + "\"></a>";
        const size_t at = window.find(marker);
        ASSERT_NE(at, std::string::npos);
        const char after = window[at + marker.size()];
        EXPECT_TRUE(after != '<' && after != ' ' && after != '\n') << window.substr(at, 80);
        window.erase(at, marker.size());
    }
    EXPECT_EQ(window, "<style>p { color: #303030 }</style>" + OpenTags(html, cut.pieces[3]) +
                          Text(html, {cut.pieces[3].begin, cut.pieces[4].end}));
    EXPECT_EQ(MarkerPiece(PieceMarker(42)), 42);
    for (const char* other : {"obj_1", "qm-piece-", "qm-piece-4x", "qm-piece--1"}) EXPECT_EQ(MarkerPiece(other), -1) << other;
    // The first window carries nothing: the page's own start is in it. Its first text comes after
    // the head, the style sheet and the comment.
    const std::string top = PageWindowHtml(html, cut, 0, 0);
    EXPECT_TRUE(top.starts_with("<html>\n<head><style>p { color: #303030 }</style></head>")) << top.substr(0, 100);
    EXPECT_NE(top.find("<a name=\"qm-piece-0\"></a>Secure"), std::string::npos);

    // A section's offset finds the piece that holds its anchor.
    for (const PageSection& s : ListPageSections(html)) {
        const PagePiece& p = cut.pieces[PieceAt(cut, s.offset)];
        EXPECT_NE(Text(html, {p.begin, p.end}).find("<a name=\"" + s.anchor + "\">"), std::string::npos) << s.anchor;
    }

    // Windows around a piece hold about the bytes asked for, fewer at the ends.
    const auto [first, last] = WindowAround(cut, 10, 9000);
    EXPECT_LE(first, 10u);
    EXPECT_GE(last, 10u);
    EXPECT_GE(cut.pieces[last].end - cut.pieces[first].begin, 9000u);
    EXPECT_LT(cut.pieces[last].end - cut.pieces[first].begin, 9000u + 2 * 2200u);
    EXPECT_EQ(WindowAround(cut, 0, 5000).first, 0u);
    EXPECT_EQ(WindowAround(cut, 100000, 5000).second, cut.pieces.size() - 1);
    EXPECT_EQ(WindowAround(cut, 5, 1u << 30), std::make_pair(size_t(0), cut.pieces.size() - 1));
}

TEST(PageWindow, TablesHeadsAndRawTextAreNeverCutAndTextIsCutAtLines) {
    // A page that is one table is one piece; the page after the table is cut again.
    std::string html = "<html><body><table border=1>\n";
    for (int i = 0; i < 300; ++i) html += "<tr><td>Cell " + std::to_string(i) + "<td><p>x\n";
    html += "</table>\n";
    const size_t tableEnd = html.size();
    for (int i = 0; i < 300; ++i) html += "<p>After " + std::to_string(i) + "\n";
    html += "<script>var s = '<p>not a tag</p>';\n" + std::string(5000, 'x') + "\n</SCRIPT>\n<p>tail";
    PageCut cut = CutPage(html, 500);
    ExpectWholeAndCutWell(html, cut);
    EXPECT_GE(cut.pieces[0].end, tableEnd);
    EXPECT_GT(cut.pieces.size(), 5u);
    for (const PagePiece& p : cut.pieces) {
        EXPECT_EQ(OpenTags(html, p).find("<table"), std::string::npos);
        EXPECT_FALSE(Text(html, {p.begin, p.end}).starts_with("<p>not a tag")) << p.begin;
    }

    // Plain text without tags is cut at the start of its lines; a line that never ends is not cut.
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "line " + std::to_string(i) + " of the plain page\n";
    cut = CutPage(text, 1000);
    ExpectWholeAndCutWell(text, cut);
    EXPECT_GT(cut.pieces.size(), 15u);
    EXPECT_EQ(CutPage(std::string(100000, 'y'), 1000).pieces.size(), 1u);
}

TEST(PageWindow, MalformedPagesCutSafelyAndCarryBoundedTags) {
    // Ten thousand unclosed divisions, one start tag of 100 KB, quotes holding ">", stray "<".
    std::string html = "<body>";
    for (int i = 0; i < 10000; ++i) html += "<div class=\"d" + std::to_string(i) + "\">";
    html += "<font title=\"" + std::string(100000, 'a') + "\" color=red>";
    html += "<a title=\"1 > 0\" href=\"#x\">";
    for (int i = 0; i < 2000; ++i) html += "<b>bold</b> 3 < 4 <i>it</i>\n";
    const PageCut cut = CutPage(html, 1000);
    ExpectWholeAndCutWell(html, cut);
    const PagePiece& late = cut.pieces.back();
    ASSERT_EQ(late.openTags.size(), kMaxCarriedTags);
    EXPECT_EQ(Text(html, late.openTags[0]), "<body>");
    const std::string window = PageWindowHtml(html, cut, cut.pieces.size() - 1, cut.pieces.size() - 1);
    EXPECT_LT(window.size(), late.end - late.begin + kMaxCarriedTags * 40);

    // Unclosed comments, quotes and tags at the end, and random bytes: always whole, never stuck.
    for (const std::string bad : {"<p>a<!-- never closed <p>b", "<p title=\"open", "<p", "<", "</", "<!", "<style>x"}) {
        const std::string page = std::string(3000, 'z') + "\n" + bad;
        ExpectWholeAndCutWell(page, CutPage(page, 100));
    }
    std::mt19937 random(7);
    const std::string alphabet = "<>/!-\"'= \nabptrdlis";
    for (int round = 0; round < 200; ++round) {
        std::string page;
        for (int i = 0; i < 2000; ++i) page += alphabet[random() % alphabet.size()];
        const PageCut c = CutPage(page, 1 + random() % 300);
        ExpectWholeAndCutWell(page, c);
        if (HasFailure()) break;
    }
    EXPECT_EQ(CutPage("", 100).pieces.size(), 1u);
}
