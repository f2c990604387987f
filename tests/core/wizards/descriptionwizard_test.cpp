#include "core/wizards/descriptionwizard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "wizards/expectedfile.h"

using namespace qm;

namespace {
const StringList kWeapons{"M16A2", "Karveth", "M16", "karvethGL"};
const StringList kAmmo{"TorrinRocket", "KarvethMag", "M16Mag", "m16"};
const StringList kEquipment{"NVGoggles", "FragGrenade", "Binocular", "binocular"};
const std::string kVersion = "Version 3.0.1000";

DescriptionWizard Fresh() {
    DescriptionWizard w;
    w.ResetWizard(kWeapons, kAmmo, kEquipment);
    return w;
}
int Index(const DescriptionWizard& w, GearSource s, const std::string& name) {
    const StringList& l = w.Source(s);
    return static_cast<int>(std::find(l.begin(), l.end(), name) - l.begin());
}
StringList Texts(const std::vector<GearItem>& items) {
    StringList t;
    for (const auto& i : items) t.push_back(i.text);
    return t;
}
}  // namespace

TEST(DescriptionWizard, StartsUntickedWithDefaultCountsAndResetChoosesBaseAndFifteen) {
    DescriptionWizard w;
    EXPECT_EQ(w.Data().respawnIndex, 0);
    w.Data().gear = true;
    w.Data().soundFiles = {"a.ogg"};
    w.SetCount(GearSource::Ammo, 9);
    w.Data().respawnIndex = 1;
    w.Data().delay = "60";
    w.ResetWizard(kWeapons, kAmmo, kEquipment);
    EXPECT_EQ(w.Data().respawnIndex, 3);
    EXPECT_EQ(w.Data().delay, "15");
    EXPECT_TRUE(w.Data().gear);  // the rest stays
    EXPECT_EQ(w.Data().soundFiles, StringList{"a.ogg"});
    EXPECT_EQ(w.Count(GearSource::Weapons), 3u);
    EXPECT_EQ(w.Count(GearSource::Ammo), 9u);
    EXPECT_EQ(w.Count(GearSource::Equipment), 5u);
    // The drop-downs are sorted, letter case ignored, equal names in catalogue order.
    EXPECT_EQ(w.Source(GearSource::Weapons), (StringList{"Karveth", "karvethGL", "M16", "M16A2"}));
    EXPECT_EQ(w.Source(GearSource::Equipment), (StringList{"Binocular", "binocular", "FragGrenade", "NVGoggles"}));
    EXPECT_EQ(RespawnDelays(), (StringList{"0", "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60"}));
}

TEST(DescriptionWizard, ChoosingAWeaponFindsTheFirstAmmoBeginningWithItsName) {
    DescriptionWizard w = Fresh();
    EXPECT_EQ(w.Source(GearSource::Ammo)[w.AmmoForWeapon(Index(w, GearSource::Weapons, "M16"))], "m16");
    EXPECT_EQ(w.Source(GearSource::Ammo)[w.AmmoForWeapon(Index(w, GearSource::Weapons, "Karveth"))], "KarvethMag");
    EXPECT_EQ(w.AmmoForWeapon(Index(w, GearSource::Weapons, "M16A2")), -1);  // the selection stays
    EXPECT_EQ(w.AmmoForWeapon(99), -1);
}

TEST(DescriptionWizard, GearIsAddedOncePerNameFollowedByASpaceKeepingTheFirstCount) {
    DescriptionWizard w = Fresh();
    ASSERT_TRUE(w.AddGear(GearSource::Weapons, Index(w, GearSource::Weapons, "M16A2")));
    w.SetCount(GearSource::Weapons, 7);
    EXPECT_FALSE(w.AddGear(GearSource::Weapons, Index(w, GearSource::Weapons, "M16A2")));
    // "M16" is a prefix of "M16A2 (3)" but not followed by a space there: another weapon.
    EXPECT_TRUE(w.AddGear(GearSource::Weapons, Index(w, GearSource::Weapons, "M16")));
    EXPECT_TRUE(w.AddGear(GearSource::Weapons, Index(w, GearSource::Weapons, "Karveth")));
    ASSERT_EQ(w.Data().weaponItems.size(), 3u);
    EXPECT_EQ(Texts(w.Data().weaponItems), (StringList{"M16A2 (3)", "M16 (7)", "Karveth (7)"}));
    EXPECT_EQ(w.Data().weaponItems[0].count, 3u);
    EXPECT_EQ(w.Data().weaponItems[1].count, 7u);
    EXPECT_TRUE(HasGearItem(w.Data().weaponItems, "KARVETH"));  // letter case ignored
    EXPECT_TRUE(w.Data().magazineItems.empty());
    EXPECT_FALSE(w.AddGear(GearSource::Weapons, -1));
}

TEST(DescriptionWizard, BinocularAndGogglesGoToWeaponsOtherEquipmentToMagazines) {
    DescriptionWizard w = Fresh();
    for (const char* e : {"Binocular", "binocular", "FragGrenade", "NVGoggles"})
        EXPECT_TRUE(w.AddGear(GearSource::Equipment, Index(w, GearSource::Equipment, e))) << e;
    EXPECT_TRUE(w.AddGear(GearSource::Ammo, Index(w, GearSource::Ammo, "M16Mag")));
    EXPECT_EQ(Texts(w.Data().weaponItems), (StringList{"Binocular (5)", "NVGoggles (5)"}));
    // The exact names only; "binocular" is ordinary equipment.
    EXPECT_EQ(Texts(w.Data().magazineItems), (StringList{"binocular (5)", "FragGrenade (5)", "M16Mag (15)"}));
}

TEST(DescriptionWizard, RemoveTakesTheSelectedLineOfEachGearListAndClearEmptiesBoth) {
    DescriptionWizard w = Fresh();
    for (int i = 0; i < 3; ++i) w.AddGear(GearSource::Weapons, i);
    for (int i = 0; i < 3; ++i) w.AddGear(GearSource::Ammo, i);
    w.RemoveGear(1, 2);
    EXPECT_EQ(Texts(w.Data().weaponItems), (StringList{"Karveth (3)", "M16 (3)"}));
    EXPECT_EQ(Texts(w.Data().magazineItems), (StringList{"KarvethMag (15)", "m16 (15)"}));
    w.RemoveGear(-1, 0);
    w.RemoveGear(9, -1);
    EXPECT_EQ(w.Data().weaponItems.size(), 2u);
    EXPECT_EQ(Texts(w.Data().magazineItems), StringList{"m16 (15)"});
    w.ClearGear();
    EXPECT_TRUE(w.Data().weaponItems.empty());
    EXPECT_TRUE(w.Data().magazineItems.empty());
}

TEST(DescriptionWizard, SoundFilesGetTheOggExtensionWhenTheCaseSensitiveSearchFails) {
    DescriptionWizard w;
    EXPECT_TRUE(w.AddSound("boom"));
    EXPECT_TRUE(w.AddSound("Boom.OGG"));
    EXPECT_TRUE(w.AddSound("a.ogg.bak"));
    EXPECT_TRUE(w.AddSound("boom"));  // twice is allowed
    EXPECT_FALSE(w.AddSound(""));
    EXPECT_EQ(w.Data().soundFiles, (StringList{"boom.ogg", "Boom.OGG.ogg", "a.ogg.bak", "boom.ogg"}));
    EXPECT_EQ(OggClassName("Boom.OGG.ogg"), "Boom.OGG");
    EXPECT_EQ(OggClassName("a.ogg.ogg"), "a");
    EXPECT_EQ(OggClassName(".ogg"), "");
    w.RemoveSound(1);
    w.RemoveSound(7);
    EXPECT_EQ(w.Data().soundFiles.size(), 3u);
    EXPECT_TRUE(w.AddMusic("march"));
    EXPECT_EQ(w.Data().musicFiles, StringList{"march.ogg"});
    w.RemoveMusic(0);
    EXPECT_TRUE(w.Data().musicFiles.empty());
}

TEST(DescriptionWizard, EmptyCatalogueListsShowTheErrorEntryWhichAddsNothing) {
    DescriptionWizard w;
    w.ResetWizard({}, {}, {});
    for (GearSource s : {GearSource::Weapons, GearSource::Ammo, GearSource::Equipment}) {
        EXPECT_EQ(w.Source(s), StringList{"ERROR: Not Available"});
        EXPECT_FALSE(w.SourceAvailable(s));
        EXPECT_FALSE(w.AddGear(s, 0));
    }
    EXPECT_EQ(w.AmmoForWeapon(0), -1);
}

TEST(DescriptionWizard, RespawnWordsHaveNoAsteriskAndStrayIndexesWriteTheDefault) {
    EXPECT_STREQ(RespawnWord(0), "NONE");
    EXPECT_STREQ(RespawnWord(2), "INSTANT");
    EXPECT_STREQ(RespawnWord(3), "BASE");
    EXPECT_STREQ(RespawnWord(5), "SIDE");
    EXPECT_STREQ(RespawnWord(6), "BASE");
    EXPECT_STREQ(RespawnWord(-1), "BASE");
    EXPECT_EQ(GearClassName("ERROR: Not Available (3)"), "ERROR:");
    EXPECT_EQ(GearClassName("M16"), "M16");
}

TEST(DescriptionFile, NothingTickedWritesTheBannerOnly) {
    DescriptionWizard w = Fresh();
    w.AddSound("boom");
    w.AddGear(GearSource::Weapons, 0);
    ExpectSameAsFile(w.BuildDescription(kVersion), "description_banner_only.ext");
}

TEST(DescriptionFile, SoundsTickedWithAnEmptyListWritesTheBlockWithoutClasses) {
    DescriptionData d;
    d.sounds = true;
    ExpectSameAsFile(BuildDescription(d, kVersion), "description_sounds_empty.ext");
}

TEST(DescriptionFile, SoundsAndMusicAreNamedWithoutOggAndWrittenWithTheirFileNames) {
    DescriptionWizard w = Fresh();
    w.Data().sounds = w.Data().music = true;
    w.AddSound("boom");
    w.AddSound("Boom.OGG");
    w.AddMusic("march.ogg");
    w.AddMusic("march.ogg");  // written twice
    w.AddMusic("");
    ExpectSameAsFile(w.BuildDescription(kVersion), "description_sounds_music.ext");
}

TEST(DescriptionFile, RespawnWritesTheWordAndTheDelayFifteenWhenEmpty) {
    DescriptionData d;
    d.respawn = true;
    d.respawnIndex = 2;
    d.delay = "30";
    ExpectSameAsFile(BuildDescription(d, kVersion), "description_respawn_instant.ext");
    d.respawnIndex = 3;
    d.delay.clear();
    const std::string s = BuildDescription(d, kVersion);
    EXPECT_NE(s.find("\r\n\r\nRespawn = \"BASE\";\r\nRespawnDelay = 15;\r\n\r\n"), std::string::npos);
    EXPECT_EQ(s.find('*'), std::string::npos);
}

TEST(DescriptionFile, ThreeWeaponsAndNoMagazinesEndWithTheEmptyLineAfterTheWeapons) {
    DescriptionWizard w = Fresh();
    w.Data().gear = true;
    for (int i = 0; i < 3; ++i) w.AddGear(GearSource::Weapons, i);
    ExpectSameAsFile(w.BuildDescription(kVersion), "description_weapons_only.ext");
}

TEST(DescriptionFile, EveryBlockInOrderWithBinocularUnderWeaponsAndTheFileEndingAfterMagazines) {
    DescriptionWizard w = Fresh();
    DescriptionData& d = w.Data();
    d.gear = d.respawn = d.sounds = d.music = true;
    d.respawnIndex = 5;
    d.delay = "0";
    w.AddSound("boom");
    w.AddMusic("march");
    w.AddGear(GearSource::Weapons, Index(w, GearSource::Weapons, "M16A2"));
    w.AddGear(GearSource::Equipment, Index(w, GearSource::Equipment, "Binocular"));
    w.SetCount(GearSource::Ammo, 0);
    w.AddGear(GearSource::Ammo, Index(w, GearSource::Ammo, "M16Mag"));
    w.AddGear(GearSource::Equipment, Index(w, GearSource::Equipment, "FragGrenade"));
    d.magazineItems.push_back({"", 4});  // an empty line is skipped
    ExpectSameAsFile(w.BuildDescription(kVersion), "description_all_blocks.ext");
}

TEST(DescriptionFile, OnlyMagazinesStartRightAfterTheBanner) {
    DescriptionData d;
    d.gear = true;
    d.magazineItems = {{"ERROR: Not Available (15)", 15}};
    const std::string s = BuildDescription(d, kVersion);
    const std::string tail = "// Version 3.0.1000\r\n" + std::string(74, '/') +
                             "\r\n\r\nclass Magazines\r\n{\r\n\t// Add the magazines to the mission gear\r\n"
                             "\tclass ERROR:\r\n\t{\r\n\t\tCount = 15;\r\n\t};\r\n};\r\n";
    ASSERT_GE(s.size(), tail.size());
    EXPECT_EQ(s.substr(s.size() - tail.size()), tail);
}
