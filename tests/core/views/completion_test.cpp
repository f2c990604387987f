#include "core/views/completion.h"

#include <gtest/gtest.h>

#include "core/app/datapaths.h"
#include "core/frames/commandtree.h"
#include "core/views/syntaxtip.h"

using namespace qm;

namespace {
using Kind = CompletionPlace::Kind;

Catalogue Sample() {
    Catalogue c;
    c.m_commands = {"addMagazine", "addWeapon", "addWeaponCargo", "hint", "setDamage", "damage", "", "Hint"};
    c.m_weapons = {"Karveth", "KarvethGL", "Ostrel"};
    c.m_ammo = {"KarvethMag", "OstrelMag"};
    c.m_vehicleAmmo = {"Shell120HE"};
    c.m_equipment = {"Binocular", "FragGrenade"};
    c.m_syntax = {"[addMagazine]",    "unit addMagazine magazineName", "Nothing", "player addMagazine \"KarvethMag\"",
                  "[ADDWEAPON]",      "unit addWeapon weaponName",     "Nothing", "player addWeapon \"Karveth\"",
                  "[addWeaponCargo]", "vehicle addWeaponCargo [weaponName, count]", "Nothing", "crate addWeaponCargo [\"Karveth\", 5]",
                  "[hint]",           "hint text",                     "Nothing", "hint \"x\""};
    c.RebuildIndexes();
    return c;
}

struct Caret {
    std::u16string line;
    int column;
};
Caret At(std::u16string text) {
    const size_t at = text.find(u'|');
    text.erase(at, 1);
    return {text, static_cast<int>(at)};
}
CompletionPlace PlaceAt(const std::u16string& marked, bool asked = false) {
    static const Catalogue catalogue = Sample();
    const Caret c = At(marked);
    return CompletionPlaceAt(c.line, c.column, catalogue, asked);
}
std::vector<std::string> Offered(const CompletionPlace& place, std::u16string_view typed,
                                 const std::vector<LabelIndex::Entry>& labels = {}) {
    const std::vector<CompletionItem> items = CompletionItems(place, Sample(), labels);
    std::vector<std::string> texts;
    for (int i : FilterCompletions(items, typed)) texts.push_back(items[static_cast<size_t>(i)].insert);
    return texts;
}
using V = std::vector<std::string>;
}  // namespace

TEST(Completion, CodeOffersCommandsKeywordsAndSpecialVariablesPrefixFirstCaseIgnored) {
    const CompletionPlace place = PlaceAt(u"_unit setdam|x = 1");
    EXPECT_EQ(place.kind, Kind::Code);
    EXPECT_EQ(place.from, 6);
    EXPECT_EQ(place.typedFrom, 6);
    EXPECT_EQ(place.to, 13);  // the whole name the caret stands in is replaced
    // "damage" equals the typed text, "setDamage" holds it further in; empty and repeated names are left out.
    EXPECT_EQ(Offered(place, u"DAMAGE"), (V{"damage", "setDamage"}));
    EXPECT_EQ(Offered(place, u"ad"), (V{"addMagazine", "addWeapon", "addWeaponCargo"}));
    EXPECT_EQ(Offered(place, u"hin"), (V{"hint"}));
    EXPECT_EQ(Offered(place, u"th"), (V{"then", "_this"}));
    EXPECT_EQ(Offered(place, u"_ti"), (V{"_time"}));
    const auto items = CompletionItems(place, Sample(), {});
    ASSERT_EQ(items.front().text, "addMagazine");
    EXPECT_EQ(items.front().detail, "unit addMagazine magazineName");  // the first syntax line beside it
    EXPECT_EQ(Offered(place, u"&&"), V{});  // operators are not offered
}

TEST(Completion, AQuotedArgumentOffersTheCatalogueNamesItsSyntaxNames) {
    CompletionPlace place = PlaceAt(u"player addMagazine \"kar|\" ; hint \"x\"");
    EXPECT_EQ(place.kind, Kind::Items);
    EXPECT_EQ(place.from, 19);
    EXPECT_EQ(place.typedFrom, 20);
    EXPECT_EQ(place.to, 24);  // the closing quote is replaced too
    EXPECT_EQ(Offered(place, u"kar"), (V{"\"KarvethMag\""}));
    EXPECT_EQ(Offered(place, u""), (V{"\"KarvethMag\"", "\"OstrelMag\"", "\"Shell120HE\"", "\"Binocular\"", "\"FragGrenade\""}));
    const auto items = CompletionItems(place, Sample(), {});
    EXPECT_EQ(items[2].detail, "Vehicle Ammo");

    // The command written in another case, its syntax block in capitals, an unclosed string.
    place = PlaceAt(u"_u ADDWEAPON \"|");
    EXPECT_EQ(place.kind, Kind::Items);
    EXPECT_EQ(place.to, 14);
    EXPECT_EQ(Offered(place, u"GL"), (V{"\"KarvethGL\""}));
    EXPECT_EQ(Offered(place, u"o"), (V{"\"Ostrel\"", "\"Binocular\""}));

    // The first element of the cargo's array is a weapon; the second is a count.
    EXPECT_EQ(PlaceAt(u"crate addWeaponCargo [\"Kar|").kind, Kind::Items);
    EXPECT_EQ(PlaceAt(u"crate addWeaponCargo \"Kar|").kind, Kind::None);
    EXPECT_EQ(PlaceAt(u"crate addWeaponCargo [\"Karveth\", \"|").kind, Kind::None);
    EXPECT_EQ(PlaceAt(u"hint \"Kar|").kind, Kind::None);
    // Asked for in such a string, the names of code: scripts run code written in strings.
    place = PlaceAt(u"hint \"_x setDam|\"", true);
    EXPECT_EQ(place.kind, Kind::Code);
    EXPECT_EQ(place.from, 9);
    EXPECT_EQ(Offered(place, u"setDam"), (V{"setDamage"}));
    // Nothing in remarks and labels, asked or not.
    EXPECT_EQ(PlaceAt(u"; player addWeapon \"Kar|", true).kind, Kind::None);
    EXPECT_EQ(PlaceAt(u"#lab|", true).kind, Kind::None);
}

TEST(Completion, TheStringAfterGotoOffersTheLabelsOnceEachInTextOrder) {
    const CompletionPlace place = PlaceAt(u"? _n > 0 : goto \"l|");
    EXPECT_EQ(place.kind, Kind::Labels);
    const std::vector<LabelIndex::Entry> labels = {
        {3, u"#loop ; again"}, {5, u"#end"}, {8, u"#Loop"}, {9, u"#wait_long"}, {12, u"#"}};
    EXPECT_EQ(Offered(place, u"l", labels), (V{"\"loop\"", "\"wait_long\""}));
    const auto items = CompletionItems(place, Sample(), labels);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].detail, "line 4");
}

TEST(SyntaxTip, TheSameTextAsTheSyntaxPaneForACommandOutsideStringsAndRemarks) {
    const Catalogue c = Sample();
    const std::u16string line = u"player addWeapon \"hint\"; hint \"x\"";
    const std::string pane = SyntaxPaneText(c, {ROOT_COMMANDS, false, "addWeapon", false});
    EXPECT_EQ(SyntaxTipAt(c, line, 10), pane);
    EXPECT_EQ(SyntaxTipAt(c, line, 7), pane);   // at its first letter
    EXPECT_EQ(SyntaxTipAt(c, line, 16), pane);  // right after its last
    EXPECT_EQ(SyntaxTipAt(c, line, 27), "hint text\r\nNothing\r\nhint \"x\"");
    EXPECT_EQ(SyntaxTipAt(c, line, 20), "");  // the quoted "hint"
    EXPECT_EQ(SyntaxTipAt(c, line, 2), "");   // player is no command
    EXPECT_EQ(SyntaxTipAt(c, u"; addWeapon", 4), "");
    EXPECT_EQ(SyntaxTipAt(c, u"setDamage 1", 3), kNoSyntax);  // a command without a syntax block
}

TEST(Completion, TheShippedSyntaxNamesTheItemArgumentsOfTheShippedCommands) {
    AppFolders f{QM_SOURCE_DIR "/", 1, std::nullopt, "/tmp/", {}};
    auto path = [&](PathKind k) { return GetDataPath(k, f); };
    Catalogue c;
    ASSERT_TRUE(c.LoadDataFiles({path(PATH_COMMANDS), path(PATH_DATA), path(PATH_UNIT), path(PATH_SYNTAX),
                                 path(PATH_HEADER)}));
    EXPECT_EQ(ArgumentName(c, "addMagazine", false, 0), "magazineName");
    EXPECT_EQ(ArgumentName(c, "addWeaponCargo", true, 0), "weaponName");
    EXPECT_EQ(ArgumentName(c, "addWeaponCargo", true, 1), "count");
    EXPECT_EQ(ArgumentName(c, "addMagazinePool", true, 0), "magazineName");
    EXPECT_EQ(ArgumentName(c, "addWeaponCargo", false, 0), "");
    for (const char16_t* line : {u"x addWeapon \"", u"x removeWeapon \"", u"x hasWeapon \"", u"x selectWeapon \"",
                                 u"x addMagazine \"", u"x removeMagazines \"", u"x addMagazineCargo [\"",
                                 u"addWeaponPool [\""}) {
        const std::u16string text(line);
        EXPECT_EQ(CompletionPlaceAt(text, static_cast<int>(text.size()), c, false).kind, Kind::Items)
            << std::string(text.begin(), text.end());
    }
}
