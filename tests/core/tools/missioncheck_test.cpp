#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/tools/missioncheck.h"
#include "support/scriptwords.h"
#include "support/tempdir.h"

using namespace qm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::vector<std::string> Paths(const std::vector<FileReference>& refs) {
    std::vector<std::string> out;
    for (const auto& r : refs) out.push_back(std::to_string(r.line) + ":" + std::to_string(r.column) + " " + r.path);
    return out;
}

std::shared_ptr<const ScriptRules> Rules() {
    Catalogue c;
    EXPECT_TRUE(testsupport::LoadShippedCatalogue(c, 1));
    return MakeScriptRules(c, {}, 1);
}

std::vector<std::string> Describe(const std::vector<MissionFinding>& findings) {
    std::vector<std::string> out;
    for (const auto& f : findings) out.push_back(f.file + ":" + std::to_string(f.line) + " " + f.message);
    return out;
}
}  // namespace

TEST(MissionReferences, ExecNamesSoundsAndPictures) {
    EXPECT_THAT(Paths(ExecReferences(U("[this] exec \"a.sqs\"\n; [] exec \"remark.sqs\"\n"
                                       "\"[_x] exec \"\"b\\c.sqs\"\"\" forEach units group player\n"
                                       "[] exec \"d\" + \".sqs\"\n[] exec \"\\addon\\x.sqs\"\n[] exec _name\n"),
                                     ScriptKind::Script)),
                ElementsAre("0:12 a.sqs", "2:0 b\\c.sqs"));
    EXPECT_THAT(Paths(ExecReferences(U("// [] exec \"x.sqs\"\n[] exec \"f.sqs\";\n"), ScriptKind::Function)),
                ElementsAre("1:8 f.sqs"));
    EXPECT_THAT(Paths(DescriptionSounds(U("sound[] = {nope.ogg};\nclass CfgSounds\n{\n\tsounds[] = {boom};\n"
                                          "\tclass boom\n\t{\n\t\tname = \"boom\";\n"
                                          "\t\tsound[] = {\\sound\\boom.ogg, db + 0, 1.0}; // {x.ogg}\n\t};\n};\n"
                                          "class CfgMusic { class m { sound[] = {\"music\\march.ogg\", 1, 1}; }; };\n"))),
                ElementsAre("7:13 \\sound\\boom.ogg", "10:38 music\\march.ogg"));
    EXPECT_THAT(Paths(PagePictures(U("<p>\n<IMG width=5 SRC=\"Map.jpg\"><img src=overview.paa>\n"
                                     "<img src=\"http://x/y.jpg\"><img alt=\"src\"></p>"))),
                ElementsAre("1:18 Map.jpg", "1:36 overview.paa"));
}

TEST(MissionReferences, FilesAreFoundWithEitherSeparatorAndAnyCase) {
    MissionFiles files;
    files.Add("Scripts/Intro.sqs");
    files.Add("sound/boom.ogg");
    EXPECT_TRUE(files.Has("scripts\\INTRO.SQS"));
    EXPECT_TRUE(files.Has("\\Sound\\Boom.ogg"));
    EXPECT_TRUE(files.Has("sound/../scripts/./intro.sqs"));
    EXPECT_FALSE(files.Has("../scripts/intro.sqs"));
    EXPECT_FALSE(files.Has("C:\\scripts\\intro.sqs"));
    EXPECT_FALSE(files.Has("intro.sqs"));
}

TEST(MissionCheck, FolderOfTestFiles) {
    TempDir dir;
    dir.Write("init.sqs", "[] exec \"Scripts\\Intro.SQS\"\n[] exec \"missing.sqs\"\n"
                          "\"[_x] exec \"\"loadout.sqs\"\"\" forEach units group player\n; [] exec \"remark.sqs\"\n");
    dir.Write("scripts/intro.sqs", "hint \"unclosed\n");
    dir.Write("scripts/ok.sqf", "private [\"_a\"];\n_a = [\n  1,\n  2\n];\n");
    dir.Write("Description.ext", "class CfgSounds\n{\n\tsounds[] = {boom, bang};\n"
                                 "\tclass boom { sound[] = {\\sound\\boom.ogg, db + 0, 1.0}; };\n"
                                 "\tclass bang { sound[] = {\\sound\\bang.ogg, db + 0, 1.0}; };\n};\n"
                                 "class CfgMusic\n{\n\tclass march { sound[] = {march, 1, 1}; };\n};\n");
    dir.Write("sound/BOOM.ogg", "x");
    dir.Write("music/march.ogg", "x");
    dir.Write("overview.html", "<img src=\"overview.jpg\"><img src=\"map.paa\">");
    dir.Write("Map.PAA", "x");
    dir.Write("notes.txt", "[] exec \"never.sqs\"");
    ASSERT_EQ(mkfifo(dir.Path("pipe.sqs").c_str(), 0600), 0);

    size_t calls = 0, lastTotal = 0;
    const auto findings = CheckMissionFolder(dir.Path(), *Rules(), [&](size_t done, size_t total) {
        ++calls;
        lastTotal = total;
        EXPECT_LE(done, total);
        return true;
    });
    EXPECT_THAT(Describe(findings),
                ElementsAre("Description.ext:4 Sound file \"\\sound\\bang.ogg\" is not in the mission folder",
                            "init.sqs:1 exec \"missing.sqs\": the mission folder has no such script",
                            "init.sqs:2 exec \"loadout.sqs\": the mission folder has no such script",
                            "overview.html:0 Picture \"overview.jpg\" is not in the mission folder",
                            ::testing::StartsWith("pipe.sqs:-1 This file cannot be checked: "),
                            "scripts/intro.sqs:0 Unclosed string: this line has an odd number of double quotes"));
    EXPECT_EQ(lastTotal, 10u);
    EXPECT_GE(calls, 10u);

    // Stopped at once: nothing is read.
    EXPECT_THAT(CheckMissionFolder(dir.Path(), *Rules(), [](size_t, size_t) { return false; }), IsEmpty());
}

TEST(MissionCheck, UnreadableOrMissingFolderIsAFinding) {
    EXPECT_THAT(Describe(CheckMissionFolder("/nonexistent/qm-mission", *Rules())),
                ElementsAre(::testing::StartsWith(".:-1 This folder cannot be read")));
}
