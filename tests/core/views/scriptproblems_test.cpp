#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/safefile.h"
#include "core/doc/textfile.h"
#include "core/views/scriptproblems.h"
#include "support/scriptwords.h"

using namespace qm;
using ::testing::IsEmpty;

namespace {

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The shipped data of an edition, with the other edition's command list.
std::shared_ptr<const ScriptRules> Rules(int edition) {
    Catalogue c, other;
    EXPECT_TRUE(testsupport::LoadShippedCatalogue(c, edition));
    EXPECT_TRUE(testsupport::LoadShippedCatalogue(other, edition == 1 ? 0 : 1));
    return MakeScriptRules(c, other.m_commands, edition);
}

std::vector<std::string> Found(const std::string& text, ScriptKind kind, int edition = 1) {
    std::vector<std::string> out;
    for (const ScriptProblem& p : FindScriptProblems(U(text), kind, *Rules(edition)))
        out.push_back(std::to_string(p.line) + ":" + std::to_string(p.column) + "+" + std::to_string(p.length) +
                      (p.severity == ProblemSeverity::Error ? " E " : " W ") + p.message);
    return out;
}

std::vector<std::string> Sqs(const std::string& text, int edition = 1) { return Found(text, ScriptKind::Script, edition); }
std::vector<std::string> Sqf(const std::string& text, int edition = 1) { return Found(text, ScriptKind::Function, edition); }

std::string ReadText(const std::string& path) {
    std::string text;
    EXPECT_TRUE(LoadTextFile(path, text).result.ok) << path;
    return text;
}

}  // namespace

TEST(ScriptScan, StringsRemarksLabelsAndFunctionStateAcrossLines) {
    ScanState s;
    auto kinds = [](const std::vector<ScriptToken>& t) {
        std::string k;
        for (const auto& x : t) k += "WSRLDY"[x.kind];
        return k;
    };
    // A doubled quote stays inside the string; ";" after code is a symbol the reader judges.
    auto t = ScanScriptLine(u"hint \"say \"\"hi\"\"\" ; x", 0, ScriptKind::Script, s);
    EXPECT_EQ(kinds(t), "WSYW");
    EXPECT_EQ(StringTokenText(u"hint \"say \"\"hi\"\"\" ; x", t[1]), u"say \"hi\"");
    EXPECT_EQ(kinds(ScanScriptLine(u"  ; remark \"", 1, ScriptKind::Script, s)), "R");
    EXPECT_EQ(kinds(ScanScriptLine(u"#loop", 2, ScriptKind::Script, s)), "L");
    // An .sqs string ends with its line; an .sqf string or /* */ remark goes on.
    t = ScanScriptLine(u"a = \"open", 3, ScriptKind::Script, s);
    EXPECT_TRUE(t.back().open);
    EXPECT_FALSE(s.inString);
    ScanScriptLine(u"a = \"open", 0, ScriptKind::Function, s);
    EXPECT_TRUE(s.inString);
    t = ScanScriptLine(u"still\" /* x", 1, ScriptKind::Function, s);
    EXPECT_EQ(kinds(t), "SR");
    EXPECT_TRUE(t[0].continued);
    EXPECT_TRUE(s.inRemark);
    EXPECT_EQ(kinds(ScanScriptLine(u"x */ b // c", 2, ScriptKind::Function, s)), "RWR");
    EXPECT_EQ(kinds(ScanScriptLine(u"#define A(x) [x", 3, ScriptKind::Function, s)), "D");
}

TEST(ScriptProblems, GotoToAMissingLabelAndLabelsDefinedTwice) {
    EXPECT_THAT(Sqs("#Loop\n~1\n? a : goto \"loop\"\ngoto \"lop\"\n"),
                ::testing::ElementsAre("3:5+5 E goto \"lop\": no line defines the label #lop"));
    // A label with a remark after it, an indented one, labels after their goto: all found.
    EXPECT_THAT(Sqs("goto \"end\"\ngoto \"wait\"\n#end ; the end\n  #wait\nexit\n"), IsEmpty());
    // A name built by an expression, a goto in a remark or a string: nothing certain.
    EXPECT_THAT(Sqs("goto \"a\" + _b\n; goto \"x\"\nhint \"goto \"\"y\"\"\"\ngoto _label\n"), IsEmpty());
    EXPECT_THAT(Sqs("#loop\nhint \"a\"\n#LOOP\n#loop2\n"),
                ::testing::ElementsAre(
                    "2:0+5 W Label #LOOP is defined twice: a goto finds the first, this one is never reached"));
    // Functions have no labels: "#" starts a preprocessor line.
    EXPECT_THAT(Sqf("#include \"a.h\"\n#include \"a.h\"\n"), IsEmpty());
}

TEST(ScriptProblems, UnclosedStringsOnlyOnScriptLinesOutsideRemarks) {
    EXPECT_THAT(Sqs("hint \"hello\nhint \"say \"\"hi\"\"\"\n_x = \"a\" + \"b\n"),
                ::testing::ElementsAre("0:5+6 E Unclosed string: this line has an odd number of double quotes",
                                       "2:11+2 E Unclosed string: this line has an odd number of double quotes"));
    EXPECT_THAT(Sqs("; it's \"quoted\n_a = 1 ; a \"remark\n#label \"x\n"), IsEmpty());
    // A function's string may span lines.
    EXPECT_THAT(Sqf("hint \"two\nlines\";\n"), IsEmpty());
}

TEST(ScriptProblems, BracketsPairWithinScriptLinesAndAcrossFunctions) {
    EXPECT_THAT(Sqs("_a = [1, (2]\n_b = 3)\n_c = {\n"),
                ::testing::ElementsAre("0:9+1 E \"(\" is not closed before \"]\"", "1:6+1 E \")\" has no opening \"(\"",
                                       "2:5+1 E \"{\" is never closed"));
    // Brackets in strings and remarks do not count; a multi-line array pairs in a function.
    EXPECT_THAT(Sqs("hint \"(\" ; (\n? (a == \"]\") : hint \"{\"\n"), IsEmpty());
    EXPECT_THAT(Sqf("_list = [\n  \"a\", // ]\n  /* ( */ \"b\"\n];\nif (a) then {\n  hint \"}\";\n};\n"), IsEmpty());
    EXPECT_THAT(Sqf("_f = {\n  _a = [1, 2;\n};\n"), ::testing::ElementsAre("1:7+1 E \"[\" is not closed before \"}\""));
    EXPECT_THAT(Sqf("_f = {\n"), ::testing::ElementsAre("0:5+1 E \"{\" is never closed"));
    // A preprocessor line goes on after a "\\"; its brackets are the macro's.
    EXPECT_THAT(Sqf("#define PAIR(a) [a, \\\n  a]]\n_p = PAIR(1);\n"), IsEmpty());
}

TEST(ScriptProblems, CommandsOfTheOtherEditionOutsideStringsAndRemarks) {
    EXPECT_THAT(Sqs("player setVariable [0, 0, 5]\n", 0),
                ::testing::ElementsAre("0:7+11 W setVariable is not available in Varnholt"));
    EXPECT_THAT(Sqs("player setVariable [0, 0, 5]\n", 1), IsEmpty());
    // In a string, a remark, a label, as a variable given a value: not a command used.
    EXPECT_THAT(Sqs("hint \"setVariable\"\n; setVariable\n#setVariable\nsetVariable = 2\n", 0), IsEmpty());
    EXPECT_THAT(Sqf("/* setVariable */ _a = setVariable == 2;\n", 0),
                ::testing::ElementsAre("0:23+11 W setVariable is not available in Varnholt"));
}

TEST(ScriptProblems, ItemNamesWhereTheSyntaxNamesAWeaponOrMagazine) {
    EXPECT_THAT(Sqs("player addWeapon \"Karveth\"\nplayer addMagazine \"KarvethMagz\"\n"),
                ::testing::ElementsAre(
                    "1:19+13 W \"KarvethMagz\" is no magazine the Varnholt: Resistance catalogue lists: it may come "
                    "from an add-on"));
    EXPECT_THAT(Sqs("crate AddWeaponCargo [\"Laser9\", 2]\ncrate addMagazineCargo [\"GL40HE\", 10]\n"),
                ::testing::ElementsAre("0:22+8 W \"Laser9\" is no weapon the Varnholt: Resistance catalogue lists: it "
                                       "may come from an add-on"));
    // The edition's own catalogue decides.
    EXPECT_THAT(Sqs("player addWeapon \"Tessik\"\n", 0), ::testing::SizeIs(1));
    // Equipment goes in through addWeapon and addMagazine; names in code strings, built names,
    // variables, other arguments and other commands are left alone.
    EXPECT_THAT(Sqs("player addWeapon \"Binocular\"\nplayer addMagazine \"FragGrenade\"\n"
                    "\"_x addWeapon \"\"Foo\"\"\" forEach units group player\nplayer addWeapon \"Kar\" + _s\n"
                    "player addWeapon _w\ncrate addWeaponCargo [_w, \"Foo\"]\nhint \"Foo\"\n"
                    "player addWeapon \"\"\n"),
                IsEmpty());
    EXPECT_THAT(Sqf("crate addWeaponCargo [\n  \"Laser9\",\n  2\n];\n"), ::testing::SizeIs(1));
}

TEST(ScriptProblems, ItemArgumentFromTheSyntaxUsageLine) {
    ScriptRules::ItemArgument a;
    ASSERT_TRUE(ItemArgumentOf("unit addMagazine magazineName", "addMagazine", a));
    EXPECT_EQ(a.element, -1);
    EXPECT_EQ(a.kind, "magazine");
    ASSERT_TRUE(ItemArgumentOf("vehicle addWeaponCargo [weaponName, count]", "addWeaponCargo", a));
    EXPECT_EQ(a.element, 0);
    EXPECT_FALSE(ItemArgumentOf("unit say soundName", "say", a));
    EXPECT_FALSE(ItemArgumentOf("weapons unit", "weapons", a));
    // The command's own name must stand whole in the line.
    EXPECT_FALSE(ItemArgumentOf("unit addWeaponCargo weaponName", "addWeapon", a));
}

// No rule may guess: everything the program ships or writes is free of problems.
TEST(ScriptProblems, ShippedScriptsSnippetsAndGeneratedScriptsShowNoProblem) {
    namespace fs = std::filesystem;
    std::vector<std::string> scripts;
    for (const char* folder : {"/data/scripts", "/tests/data/expected/wizards"})
        for (const auto& e : fs::directory_iterator(std::string(QM_SOURCE_DIR) + folder))
            if (e.path().extension() == ".sqs") scripts.push_back(e.path().string());
    // Script snippets are the ones with script remarks.
    for (const auto& e : fs::directory_iterator(std::string(QM_SOURCE_DIR) + "/data/snippets"))
        if (ReadText(e.path().string()).starts_with(";")) scripts.push_back(e.path().string());
    ASSERT_GE(scripts.size(), 15u);
    const auto rules = Rules(1);
    for (const std::string& path : scripts) {
        const std::u16string text = U(ReadText(path));
        for (ScriptKind kind : {ScriptKind::Script, ScriptKind::Function}) {
            // As functions their ";" remarks are code: only the bracket rule can apply there.
            const auto problems = FindScriptProblems(text, kind, *rules);
            if (kind == ScriptKind::Script) EXPECT_THAT(problems, IsEmpty()) << path;
        }
    }
    // Every example line of the syntax data is a valid line; its goto targets are labels elsewhere.
    Catalogue c;
    ASSERT_TRUE(testsupport::LoadShippedCatalogue(c, 1));
    for (size_t i = 0; i + 3 < c.m_syntax.size(); ++i) {
        if (c.m_syntax[i].empty() || c.m_syntax[i][0] != '[') continue;
        const std::string example = c.m_syntax[i + 3];
        for (const ScriptProblem& p : FindScriptProblems(U(example), ScriptKind::Script, *rules))
            EXPECT_EQ(p.message.rfind("goto ", 0), 0u) << example << ": " << p.message;
    }
}

TEST(ScriptProblems, LongScriptIsCheckedAndBadInputNeverBreaksTheCheck) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "#l" + std::to_string(i) + "\n_u addWeapon \"Karveth\"\ngoto \"l" + std::to_string(i) + "\"\n";
    EXPECT_THAT(Sqs(text), IsEmpty());
    std::u16string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char16_t>((i * 7919) % 0xFFFF);
    for (ScriptKind kind : {ScriptKind::Script, ScriptKind::Function}) FindScriptProblems(junk, kind, *Rules(1));
    // Without data files nothing is reported as the other edition's or unknown.
    const auto empty = MakeScriptRules(Catalogue{}, {"setVariable"}, 0);
    EXPECT_THAT(FindScriptProblems(u"player setVariable [1]\nplayer addWeapon \"X\"\n", ScriptKind::Script, *empty),
                IsEmpty());
}
