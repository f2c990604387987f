#include "core/views/scriptcontext.h"

#include <gtest/gtest.h>

#include "core/views/gotolabel.h"

using namespace qm;

namespace {
using Place = ScriptContext::Place;
// A line with "|" where the caret is.
struct Caret {
    std::u16string line;
    int column;
};
Caret At(std::u16string text) {
    const size_t at = text.find(u'|');
    text.erase(at, 1);
    return {text, static_cast<int>(at)};
}
ScriptContext Context(const std::u16string& marked) {
    const Caret c = At(marked);
    return ContextAt(c.line, c.column);
}
}  // namespace

TEST(ScriptContext, RemarksLabelsAndCodeWithTheNameBeingWritten) {
    EXPECT_EQ(Context(u"; hint \"x|").place, Place::Remark);
    EXPECT_EQ(Context(u" \t; an indented remark|").place, Place::Remark);
    EXPECT_EQ(Context(u"#loop|").place, Place::Label);
    EXPECT_EQ(Context(u" #not a label|").place, Place::Code);
    const ScriptContext code = Context(u"_unit addWea|pon \"Karveth\"");
    EXPECT_EQ(code.place, Place::Code);
    EXPECT_EQ(code.nameStart, 6);
    EXPECT_EQ(Context(u"? alive _u : |").nameStart, 13);
    EXPECT_EQ(Context(u"|").place, Place::Code);
    // After a closed string, with "" inside it, the caret is in code again.
    EXPECT_EQ(Context(u"hint \"say \"\"hi\"\"\"; _x = se|").place, Place::Code);
}

TEST(ScriptContext, AStringKnowsTheWordItIsGivenToDirectlyOrAsAnArrayElement) {
    ScriptContext s = Context(u"_unit addMagazine \"Kar|");
    EXPECT_EQ(s.place, Place::String);
    EXPECT_EQ(s.stringStart, 18);
    EXPECT_EQ(s.owner, u"addMagazine");
    EXPECT_FALSE(s.inArray);

    s = Context(u"crate addWeaponCargo [\"Karveth\", 5]; crate addMagazineCargo [ \"Kar|\", 9]");
    EXPECT_EQ(s.owner, u"addMagazineCargo");
    EXPECT_TRUE(s.inArray);
    EXPECT_EQ(s.element, 0);
    s = Context(u"x setSomething [1, (2 + 3), \"|");
    EXPECT_EQ(s.owner, u"setSomething");
    EXPECT_EQ(s.element, 2);

    EXPECT_EQ(Context(u"? x : goto \"lo|").owner, u"goto");
    // "" inside the string does not end it: the string still belongs to hint.
    s = Context(u"hint \"say \"\"hi\"\" to |");
    EXPECT_EQ(s.place, Place::String);
    EXPECT_EQ(s.owner, u"hint");
    // Given to nothing: after "=", inside a nested array, after a closed array.
    EXPECT_EQ(Context(u"_w = \"Kar|").owner, u"");
    EXPECT_EQ(Context(u"cmd [[\"a|").owner, u"");
    EXPECT_EQ(Context(u"cmd [1, 2] + \"a|").owner, u"");
}

TEST(GotoLabel, AGotoOnTheLineNamesItsLabelAndTheFirstDefinitionIsTheTarget) {
    const std::u16string line = u"? _n < 3 : hint \"goto \"\"x\"\"\"; goto \"Loop\"";
    const int gotoAt = static_cast<int>(line.find(u"goto \"Loop"));
    EXPECT_EQ(GotoTargetAt(line, gotoAt), u"Loop");
    EXPECT_EQ(GotoTargetAt(line, gotoAt + 8), u"Loop");
    EXPECT_EQ(GotoTargetAt(line, static_cast<int>(line.size())), u"Loop");  // just after the closing quote
    EXPECT_EQ(GotoTargetAt(line, 18), std::nullopt);  // "goto" inside the hint's string
    EXPECT_EQ(GotoTargetAt(line, 2), std::nullopt);
    EXPECT_EQ(GotoTargetAt(u"; goto \"Loop\"", 3), std::nullopt);
    EXPECT_EQ(GotoTargetAt(u"GOTO \"a\"\"b\"", 0), u"a\"b");
    EXPECT_EQ(GotoTargetAt(u"goto _label", 0), std::nullopt);

    EXPECT_EQ(LabelName(u"#loop ; wait a little"), u"loop");
    EXPECT_EQ(LabelName(u"#end;"), u"end");
    EXPECT_EQ(LabelName(u"not a label"), u"");
    const std::vector<LabelIndex::Entry> labels = {{2, u"#start"}, {7, u"#LOOP\t; first"}, {9, u"#loop"}};
    EXPECT_EQ(FindLabelLine(labels, u"loop"), 7);
    EXPECT_EQ(FindLabelLine(labels, u"Start"), 2);
    EXPECT_EQ(FindLabelLine(labels, u"lo"), -1);
    EXPECT_EQ(FindLabelLine(labels, u""), -1);
}
