#include "core/wizards/overviewpage.h"

#include <gtest/gtest.h>

#include "wizards/expectedfile.h"

using namespace qm;

namespace {
const std::string kVersion = "Version 3.0.1000";

int CountLines(const std::string& s) {
    int n = 0;
    for (size_t p = 0; (p = s.find("\r\n", p)) != std::string::npos; p += 2) ++n;
    return n;
}
}  // namespace

TEST(OverviewPage, EmptyFieldsStillGiveTheWholePageWithAnEmptyPicture) {
    const std::string page = BuildOverview({}, kVersion);
    EXPECT_EQ(CountLines(page), 25);
    ExpectSameAsFile(page, "overview_empty.html");
}

TEST(OverviewPage, TextsGoInAsTypedWithEachOverviewLineOnItsOwnLine) {
    OverviewData d{"Dawn <Raid> & Retreat", "Take the bridge.\nHold it until dawn.", "bridge.jpg"};
    const std::string page = BuildOverview(d, kVersion);
    EXPECT_EQ(CountLines(page), 26);
    ExpectSameAsFile(page, "overview_two_lines.html");
}

TEST(OverviewPage, EveryKindOfLineBreakInTheTextIsWrittenAsCrLf) {
    const std::string crlf = BuildOverview({"", "a\r\nb", ""}, kVersion);
    EXPECT_EQ(BuildOverview({"", "a\nb", ""}, kVersion), crlf);
    EXPECT_EQ(BuildOverview({"", "a\rb", ""}, kVersion), crlf);
    EXPECT_NE(crlf.find("<p><br>\r\na\r\nb\r\n<br></p>\r\n"), std::string::npos);
    // A blank line inside the text stays a blank line.
    EXPECT_NE(BuildOverview({"", "a\n\nb", ""}, kVersion).find("a\r\n\r\nb\r\n"), std::string::npos);
}
