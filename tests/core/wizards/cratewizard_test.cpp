#include "core/wizards/cratewizard.h"

#include <gtest/gtest.h>

#include "core/wizards/generatedfile.h"
#include "support/tempdir.h"
#include "wizards/expectedfile.h"

using namespace qm;

namespace {
const StringList kWeapons{"Karveth", "KarvethGL", "Torrin"};
const StringList kAmmo{"TorrinRocket", "KarvethMag", "gl30HE", "GL40HE", "KarvethSDMag", "Karveth"};
const StringList kEquipment{"FragGrenade", "Binocular", "NVGoggles", "binocular"};
const std::string kVersion = "Version 3.0.1000";

CrateWizard Fresh(int randomNumber = 7) {
    CrateWizard w;
    w.ResetWizard(kWeapons, kAmmo, kEquipment, randomNumber);
    return w;
}
}  // namespace

TEST(CrateWizard, SourceListsKeepCatalogueOrderButMagazinesAreSortedIgnoringCase) {
    CrateWizard w = Fresh();
    EXPECT_EQ(w.Source(CrateSource::Weapons), kWeapons);
    EXPECT_EQ(w.Source(CrateSource::Magazines),
              (StringList{"gl30HE", "GL40HE", "Karveth", "KarvethMag", "KarvethSDMag", "TorrinRocket"}));
    EXPECT_EQ(w.Source(CrateSource::Equipment), kEquipment);
    EXPECT_EQ(w.Contents().name, "CRATE_7");
    EXPECT_TRUE(w.Contents().emptyCrate);
    EXPECT_EQ(w.Count(CrateSource::Weapons), 5u);
    EXPECT_EQ(w.Count(CrateSource::Magazines), 25u);
    EXPECT_EQ(w.Count(CrateSource::Equipment), 5u);
}

TEST(CrateWizard, ChoosingAWeaponFindsTheFirstMagazineBeginningWithItsName) {
    CrateWizard w = Fresh();
    EXPECT_EQ(w.MagazineForWeapon(0), 2);  // "Karveth" itself, before "KarvethMag"
    EXPECT_EQ(w.MagazineForWeapon(2), 5);  // "TorrinRocket"
    EXPECT_EQ(w.MagazineForWeapon(3), -1);
    w.ResetWizard({"Pesk"}, kAmmo, kEquipment, 0);
    EXPECT_EQ(w.MagazineForWeapon(0), -1);  // no match: the selection stays
}

TEST(CrateWizard, AddsEachCommandAndClassOnceIgnoringCaseWithTheCountOfTheMoment) {
    CrateWizard w = Fresh();
    EXPECT_TRUE(w.Add(CrateSource::Weapons, 0));
    EXPECT_EQ(w.Contents().lines, StringList{"AddWeaponCargo [\"Karveth\", 5]"});
    w.SetCount(CrateSource::Weapons, 9);
    EXPECT_FALSE(w.Add(CrateSource::Weapons, 0));  // the existing line keeps its count
    // A longer class that begins like an existing one is another class.
    EXPECT_TRUE(w.Add(CrateSource::Weapons, 1));
    EXPECT_EQ(w.Contents().lines[1], "AddWeaponCargo [\"KarvethGL\", 9]");
    // The same name as magazine cargo is another command.
    EXPECT_TRUE(w.Add(CrateSource::Magazines, 2));
    EXPECT_EQ(w.Contents().lines[2], "AddMagazineCargo [\"Karveth\", 25]");
    EXPECT_FALSE(w.Add(CrateSource::Magazines, 2));
    EXPECT_TRUE(w.Add(CrateSource::Magazines, 3));  // "KarvethMag"
    EXPECT_FALSE(w.Add(CrateSource::Magazines, 99));
    EXPECT_EQ(w.Contents().lines.size(), 4u);

    // Letter case does not make another class.
    w.ResetWizard({"Karveth", "KARVETH"}, kAmmo, kEquipment, 0);
    EXPECT_TRUE(w.Add(CrateSource::Weapons, 0));
    EXPECT_FALSE(w.Add(CrateSource::Weapons, 1));
}

TEST(CrateWizard, BinocularsAndGogglesAreWeaponCargoOtherEquipmentMagazineCargo) {
    CrateWizard w = Fresh();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.Add(CrateSource::Equipment, i));
    EXPECT_EQ(w.Contents().lines,
              (StringList{"AddMagazineCargo [\"FragGrenade\", 5]", "AddWeaponCargo [\"Binocular\", 5]",
                          "AddWeaponCargo [\"NVGoggles\", 5]", "AddMagazineCargo [\"binocular\", 5]"}));
}

TEST(CrateWizard, EmptyCatalogueListsShowTheErrorEntryWhichAddsNothing) {
    CrateWizard w;
    w.ResetWizard({}, {}, {}, 0);
    for (CrateSource s : {CrateSource::Weapons, CrateSource::Magazines, CrateSource::Equipment}) {
        EXPECT_EQ(w.Source(s), StringList{"ERROR: Not Available"});
        EXPECT_FALSE(w.SourceAvailable(s));
        EXPECT_FALSE(w.Add(s, 0));
    }
    EXPECT_EQ(w.MagazineForWeapon(0), -1);
    EXPECT_TRUE(w.Contents().lines.empty());
}

TEST(CrateWizard, ResetEmptiesTheCrateButKeepsCountsAndTheEmptyCrateChoice) {
    CrateWizard w = Fresh();
    w.Add(CrateSource::Weapons, 0);
    w.SetCount(CrateSource::Magazines, 3);
    w.SetEmptyCrate(false);
    w.ResetWizard(kWeapons, kAmmo, kEquipment, 1999);
    EXPECT_TRUE(w.Contents().lines.empty());
    EXPECT_EQ(w.Contents().name, "CRATE_999");
    EXPECT_EQ(w.Count(CrateSource::Magazines), 3u);
    EXPECT_FALSE(w.Contents().emptyCrate);
}

TEST(CrateWizard, RemoveAndClearTouchOnlyTheCrate) {
    CrateWizard w = Fresh();
    w.Add(CrateSource::Weapons, 0);
    w.Add(CrateSource::Weapons, 1);
    w.Add(CrateSource::Weapons, 2);
    w.RemoveLine(1);
    w.RemoveLine(5);
    w.RemoveLine(-1);
    EXPECT_EQ(w.Contents().lines,
              (StringList{"AddWeaponCargo [\"Karveth\", 5]", "AddWeaponCargo [\"Torrin\", 5]"}));
    EXPECT_TRUE(w.CanClear());
    w.ClearLines();
    EXPECT_FALSE(w.CanClear());
    EXPECT_EQ(w.Source(CrateSource::Weapons), kWeapons);
}

TEST(CrateWizard, CountsStayWithinUnsigned32Bits) {
    CrateWizard w = Fresh();
    w.SetCount(CrateSource::Weapons, 0);
    w.StepCount(CrateSource::Weapons, -1);
    EXPECT_EQ(w.Count(CrateSource::Weapons), 0u);
    w.SetCount(CrateSource::Weapons, 4294967295u);
    w.StepCount(CrateSource::Weapons, 1);
    EXPECT_EQ(w.Count(CrateSource::Weapons), 4294967295u);
    w.Add(CrateSource::Weapons, 0);
    EXPECT_EQ(w.Contents().lines[0], "AddWeaponCargo [\"Karveth\", 4294967295]");
}

TEST(CrateWizard, CountFieldsAcceptDigitsUpToTheUnsigned32BitLimitOnly) {
    EXPECT_EQ(ParseCrateCount("0"), 0u);
    EXPECT_EQ(ParseCrateCount("007"), 7u);
    EXPECT_EQ(ParseCrateCount("4294967295"), 4294967295u);
    EXPECT_EQ(ParseCrateCount("4294967296"), std::nullopt);
    EXPECT_EQ(ParseCrateCount("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseCrateCount(""), std::nullopt);
    EXPECT_EQ(ParseCrateCount("-1"), std::nullopt);
    EXPECT_EQ(ParseCrateCount("1 "), std::nullopt);
    EXPECT_EQ(ParseCrateCount("1e3"), std::nullopt);
}

TEST(CrateScript, AnEmptyCrateIsStillACompleteScriptEndingWithALineEnd) {
    ExpectSameAsFile(Fresh().BuildCrateScript(kVersion), "crate_empty.sqs");
}

TEST(CrateScript, LinesFollowInTheOrderTheyWereAdded) {
    CrateWizard w = Fresh(999);
    w.Add(CrateSource::Weapons, 0);
    w.SetCount(CrateSource::Weapons, 2);
    w.Add(CrateSource::Weapons, 1);
    w.Add(CrateSource::Magazines, 3);
    w.Add(CrateSource::Equipment, 0);
    w.Add(CrateSource::Equipment, 1);
    w.Add(CrateSource::Equipment, 2);
    ExpectSameAsFile(w.BuildCrateScript(kVersion), "crate_loaded.sqs");
}

TEST(CrateScript, KeepingTheStockLeavesOutTheClearBlockAndZeroCountsAreWritten) {
    CrateWizard w = Fresh();
    w.SetName("Ammo_Dump");
    w.SetEmptyCrate(false);
    w.SetCount(CrateSource::Magazines, 1);
    w.StepCount(CrateSource::Magazines, -1);
    w.Add(CrateSource::Magazines, 1);
    ExpectSameAsFile(w.BuildCrateScript(kVersion), "crate_keep_stock.sqs");
}

TEST(GeneratedFile, HoldsExactlyTheTextInWindows1252AndCountsWhatHasNoByte) {
    TempDir dir;
    const TextSaveReport r = WriteGeneratedFile(dir.Path("Späher.sqs"), "; Späher\r\n; Ж\r\nExit");
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.unmappable, 1u);
    EXPECT_EQ(TempDir::Read(dir.Path("Späher.sqs")), "; Sp\xE4her\r\n; ?\r\nExit");
}

TEST(GeneratedFile, AReadOnlyTargetIsRefusedAndKeptWhole) {
    TempDir dir;
    const std::string path = dir.Write("old.sqs", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteGeneratedFile(path, "new").result.ok);
    EXPECT_EQ(TempDir::Read(path), "old");
}
