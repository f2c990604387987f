#include "core/wizards/unittables.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {
StringList Section(const std::string& header, int entries, const std::string& pattern) {
    StringList lines{header};
    for (int i = 0; i < entries; ++i) lines.push_back(std::string("W").append(std::to_string(i)) + pattern);
    lines.push_back("");
    return lines;
}
StringList Join(std::initializer_list<StringList> parts) {
    StringList all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
}  // namespace

TEST(UnitTables, ReadsEachSectionInItsFormWithNoneFirst) {
    const StringList data{"free text before", "[PRIMARY]", "Karveth,KarvethMag,1", "KarvethGL,KarvethMag,1,GL40HE,3", "",
                          "[SECONDARY]", "Torrin,TorrinRocket,2", "", "[HANDGUNS]", "Tessik,Tessik,Mag", "",
                          "[EQUIPMENT]", "FragGrenade,1", "SatchelCharge,2x"};
    const UnitTables t = LoadUnitTables(data, true);

    EXPECT_EQ(t.primary.names, (StringList{"NONE", "Karveth", "KarvethGL"}));
    EXPECT_EQ(t.primary.records[1].launcherMagazine, "NONE");
    EXPECT_EQ(t.primary.records[1].launcherSlots, 0);
    EXPECT_EQ(t.primary.records[2].magazine, "KarvethMag");
    EXPECT_EQ(t.primary.records[2].launcherMagazine, "GL40HE");
    EXPECT_EQ(t.primary.records[2].launcherSlots, 3);
    EXPECT_EQ(t.secondary.names, (StringList{"NONE", "Torrin"}));
    EXPECT_EQ(t.secondary.records[1].magazineSlots, 2);
    // A handgun's magazine is everything after the first comma.
    EXPECT_EQ(t.handguns.names, (StringList{"NONE", "Tessik"}));
    EXPECT_EQ(t.handguns.records[1].magazine, "Tessik,Mag");
    ASSERT_EQ(t.equipment.size(), 2u);
    EXPECT_EQ(t.equipment[1].magazine, "SatchelCharge");
    EXPECT_EQ(t.equipment[1].itemSlots, 2);  // leading digits only
    EXPECT_TRUE(t.primary.available && t.secondary.available && t.handguns.available && t.equipmentAvailable);
}

TEST(UnitTables, HeadersAreWholeLinesWithTheirCaseAndASectionEndsAtTheFirstEmptyLine) {
    const StringList data{"[primary]", "Lower,Mag,1", "", "[PRIMARY]", "Karveth,KarvethMag,1", "", "Late,Mag,1",
                          "[PRIMARY] ", "[PRIMARY]", "Second,Mag,1"};
    const UnitTables t = LoadUnitTables(data, true);
    // Only the first exact header counts.
    EXPECT_EQ(t.primary.names, (StringList{"NONE", "Karveth"}));
}

TEST(UnitTables, MissingHeadersGiveTheErrorEntryWhichIsNoWeapon) {
    const UnitTables t = LoadUnitTables({"[SECONDARY]", "Torrin,TorrinRocket,2"}, true);
    EXPECT_EQ(t.primary.names, (StringList{"NONE", "ERROR: Not Available"}));
    EXPECT_FALSE(t.primary.available);
    EXPECT_FALSE(t.primary.IsWeapon(1));
    EXPECT_EQ(t.handguns.names, (StringList{"NONE", "ERROR: Not Available"}));
    EXPECT_TRUE(t.equipment.empty());
    EXPECT_FALSE(t.equipmentAvailable);
    EXPECT_TRUE(t.secondary.IsWeapon(1));
    EXPECT_FALSE(t.secondary.IsWeapon(2));
    EXPECT_FALSE(t.secondary.IsWeapon(-1));
}

TEST(UnitTables, TheOriginalEditionReadsNoHandguns) {
    const UnitTables t = LoadUnitTables({"[HANDGUNS]", "Tessik,TessikMag"}, false);
    EXPECT_EQ(t.handguns.names, StringList{"NONE"});
    // Without a header either: the section is not part of that edition.
    EXPECT_EQ(LoadUnitTables({}, false).handguns.names, StringList{"NONE"});
}

TEST(UnitTables, LinesWithoutTheirCommasOrWithEmptyClassesAreSkippedKeepingIndexesAligned) {
    const StringList data{"[PRIMARY]",
                          "NoCommas",
                          "OneComma,Mag",
                          "ThreeCommas,Mag,1,GL",  // a launcher magazine without its slots
                          "Good,GoodMag,2",
                          ",Mag,1",
                          "EmptyMag,,1",
                          "EmptyLauncher,Mag,1,,1",
                          "Extra,ExtraMag,1,GL,2,more",
                          "",
                          "[SECONDARY]",
                          "Torrin,TorrinRocket",
                          "Graal,GraalMissile,3",
                          "",
                          "[HANDGUNS]",
                          "NoComma",
                          ",Mag",
                          "Tessik,",
                          "Vask,VaskMag",
                          "",
                          "[EQUIPMENT]",
                          "NoSlots",
                          ",1",
                          "FragGrenade,1"};
    const UnitTables t = LoadUnitTables(data, true);
    EXPECT_EQ(t.primary.names, (StringList{"NONE", "Good", "Extra"}));
    ASSERT_EQ(t.primary.records.size(), t.primary.names.size());
    EXPECT_EQ(t.primary.records[1].weapon, "Good");
    EXPECT_EQ(t.primary.records[1].magazineSlots, 2);
    EXPECT_EQ(t.primary.records[2].launcherMagazine, "GL");
    EXPECT_EQ(t.primary.records[2].launcherSlots, 2);
    EXPECT_EQ(t.secondary.names, (StringList{"NONE", "Graal"}));
    EXPECT_EQ(t.secondary.records[1].magazine, "GraalMissile");
    EXPECT_EQ(t.handguns.names, (StringList{"NONE", "Vask"}));
    ASSERT_EQ(t.equipment.size(), 1u);
    EXPECT_EQ(t.equipment[0].magazine, "FragGrenade");
}

TEST(UnitTables, SectionsLongerThanTheTablesAreCutAtTheirCapacity) {
    const StringList data = Join({Section("[PRIMARY]", 70, ",M,1"), Section("[SECONDARY]", 40, ",M,1"),
                                  Section("[HANDGUNS]", 40, ",M"), Section("[EQUIPMENT]", 40, ",1")});
    const UnitTables t = LoadUnitTables(data, true);
    EXPECT_EQ(t.primary.names.size(), 64u);  // "NONE" and 63 weapons
    EXPECT_EQ(t.primary.records.size(), 64u);
    EXPECT_EQ(t.primary.names.back(), "W62");
    EXPECT_EQ(t.primary.records.back().weapon, "W62");
    EXPECT_EQ(t.secondary.names.size(), 32u);
    EXPECT_EQ(t.secondary.records.size(), 32u);
    EXPECT_EQ(t.handguns.names.size(), 32u);
    EXPECT_EQ(t.handguns.records.size(), 32u);
    EXPECT_EQ(t.equipment.size(), 32u);
    EXPECT_EQ(t.equipment.back().magazine, "W31");
}

TEST(UnitTables, NumbersAreTheirLeadingDigits) {
    EXPECT_EQ(ReadLeadingNumber("12abc"), 12);
    EXPECT_EQ(ReadLeadingNumber("abc"), 0);
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("-3"), 0);  // a negative load would lower the capacity used
    EXPECT_EQ(ReadLeadingNumber(" 2"), 0);
    EXPECT_EQ(ReadLeadingNumber("99999999999999999999"), 2147483647);
}
