#include "core/frames/comref.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <set>

using namespace qm;

namespace {
int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST(CommandReference, ListsEachCommandOnceWithItsSyntaxAndEditions) {
    Catalogue syntax;
    syntax.m_syntax = {"[HINT]", "hint text", "Nothing", "hint \"a < b & c\""};
    syntax.RebuildIndexes();
    const std::string page = BuildCommandReference({"hint", "oldOnly"}, {"Hint", "newOnly"}, syntax, "Version 3");
    EXPECT_EQ(Count(page, "<h2 "), 3);
    EXPECT_NE(page.find("<a href=\"#cmd_Hint\">Hint</a>"), std::string::npos);
    EXPECT_NE(page.find("<h2 id=\"cmd_Hint\">Hint</h2>"), std::string::npos);
    EXPECT_NE(page.find("<dd>hint &quot;a &lt; b &amp; c&quot;</dd>"), std::string::npos);
    EXPECT_NE(page.find("Varnholt and Resistance"), std::string::npos);
    EXPECT_NE(page.find("Varnholt only"), std::string::npos);
    EXPECT_NE(page.find("Resistance only"), std::string::npos);
    EXPECT_EQ(Count(page, "No syntax available."), 2);
}

TEST(CommandReference, TheShippedDataGivesEveryCommandAWorkingAnchor) {
    auto lines = [](const std::string& rel) { return ReadDataLines(Read(std::string(QM_SOURCE_DIR) + "/data/" + rel)); };
    Catalogue syntax;
    for (auto& l : lines("syntax.txt"))
        if (!l.empty()) syntax.m_syntax.push_back(l);
    syntax.RebuildIndexes();
    const std::string page = BuildCommandReference(lines("original/commands.txt"), lines("resistance/commands.txt"),
                                                   syntax, "Version 3.0.1000");
    std::set<std::string> ids, links;
    const std::regex id("id=\"([^\"]+)\""), link("href=\"#([^\"]+)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator(); ++it)
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "duplicate anchor " << (*it)[1];
    for (auto it = std::sregex_iterator(page.begin(), page.end(), link); it != std::sregex_iterator(); ++it)
        links.insert((*it)[1]);
    EXPECT_EQ(ids, links);
    EXPECT_GE(ids.size(), 400u);
    EXPECT_NE(page.find("<h2 id=\"cmd_addWeapon\">addWeapon</h2>"), std::string::npos);
}
