#include "core/wizards/unitwizard.h"

#include <gtest/gtest.h>

#include "core/wizards/wizardcommon.h"
#include "wizards/expectedfile.h"

using namespace qm;

namespace {
const StringList kUnitData{"[PRIMARY]",     "Karveth,KarvethMag,1",  "KarvethGL,KarvethMag,1,GL40HE,1",
                           "Bremmar,BremmarBox,2", "",                "[SECONDARY]",
                           "Torrin,TorrinRocket,2", "",              "[HANDGUNS]",
                           "Tessik,TessikMag",     "",                "[EQUIPMENT]",
                           "FragGrenade,1",        "SmokeShell,1",    "SatchelCharge,2"};
const std::string kVersion = "Version 3.0.1000";

UnitWizard Fresh(int randomNumber = 0) {
    UnitWizard w;
    w.ResetWizard(kUnitData, true, randomNumber);
    return w;
}
}  // namespace

TEST(UnitWizard, StartsEmptyWithTheDefaultNameAndCounts) {
    UnitWizard w = Fresh(12417);
    const UnitLoadout& u = w.Loadout();
    EXPECT_EQ(u.name, "UNIT_417");
    EXPECT_EQ(u.primary, 0);
    EXPECT_EQ(u.handgunMagazines, 4);
    EXPECT_TRUE(u.removeGear);
    EXPECT_FALSE(u.sniper || u.binoculars || u.nvGoggles);
    EXPECT_FALSE(w.PrimaryCountEnabled() || w.LauncherEnabled() || w.SecondaryCountEnabled() ||
                 w.HandgunCountEnabled());
    EXPECT_TRUE(w.SecondaryListEnabled());
    EXPECT_TRUE(w.HandgunListEnabled());
    EXPECT_EQ(w.PrimaryMagazineLabel(), "Magazines");
    EXPECT_EQ(w.LauncherLabel(), "GrenadeLauncher");
    EXPECT_EQ(w.EquipmentLines(), (StringList{"(0) FragGrenade", "(0) SmokeShell", "(0) SatchelCharge"}));
}

TEST(UnitWizard, CapacityCountsKeptGearAsAFullLoadAndWarnsAboveTheMaximum) {
    UnitWizard w = Fresh();
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (0/10)");
    EXPECT_FALSE(w.Overloaded());

    w.SetRemoveGear(false);
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (10/10)");
    EXPECT_FALSE(w.Overloaded());
    w.AddOne(0);
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (11/10)");
    EXPECT_TRUE(w.Overloaded());
    w.RemoveOne(0);

    w.SetSniper(true);
    EXPECT_EQ(w.Maximum(), 4);
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (4/4)");
    EXPECT_FALSE(w.Overloaded());
    w.SetSniper(false);
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (10/10)");
}

TEST(UnitWizard, CapacityAddsEveryChosenLoadButHandgunsBinocularsAndGoggles) {
    UnitWizard w = Fresh();
    w.SelectPrimary(2);  // KarvethGL: 1 slot per magazine, 1 per grenade
    w.StepCount(UnitCount::Primary, 3);
    w.StepCount(UnitCount::Launcher, 2);
    w.SelectSecondary(1);  // Torrin: 2 slots per rocket
    w.StepCount(UnitCount::Secondary, 1);
    w.AddOne(2);  // SatchelCharge: 2 slots
    EXPECT_EQ(w.Used(), 3 + 2 + 2 + 2);

    w.SelectHandgun(1);
    w.SetBinoculars(true);
    w.SetNVGoggles(true);
    EXPECT_EQ(w.Used(), 9);
    EXPECT_FALSE(w.Overloaded());
    w.AddOne(0);
    w.AddOne(0);
    EXPECT_EQ(w.CapacityText(), "Unit Capacity (11/10)");
    EXPECT_TRUE(w.Overloaded());
}

TEST(UnitWizard, CapacityNeverOverflowsWithHugeSlotsFromTheDataFile) {
    UnitWizard w;
    w.ResetWizard({"[EQUIPMENT]", "A,99999999999", "B,99999999999"}, true, 0);
    for (int i = 0; i < 5; ++i) {
        w.AddOne(0);
        w.AddOne(1);
    }
    EXPECT_EQ(w.Used(), 10LL * 2147483647);
    EXPECT_TRUE(w.Overloaded());
}

TEST(UnitWizard, PrimaryChoiceDrivesTheMagazineAndLauncherCounts) {
    UnitWizard w = Fresh();
    w.SelectPrimary(2);
    EXPECT_TRUE(w.PrimaryCountEnabled());
    EXPECT_TRUE(w.LauncherEnabled());
    EXPECT_EQ(w.PrimaryMagazineLabel(), "KarvethMag");
    EXPECT_EQ(w.LauncherLabel(), "GL40HE");
    w.StepCount(UnitCount::Primary, 2);
    w.StepCount(UnitCount::Launcher, 1);

    // A weapon without a launcher keeps the magazines but drops the grenades and the labels.
    w.SelectPrimary(1);
    EXPECT_FALSE(w.LauncherEnabled());
    EXPECT_EQ(w.Count(UnitCount::Primary), 2);
    EXPECT_EQ(w.Count(UnitCount::Launcher), 0);
    EXPECT_EQ(w.PrimaryMagazineLabel(), "Magazines");
    EXPECT_EQ(w.LauncherLabel(), "GrenadeLauncher");
    w.StepCount(UnitCount::Launcher, 1);  // disabled: does not move
    EXPECT_EQ(w.Count(UnitCount::Launcher), 0);

    w.SelectPrimary(0);
    EXPECT_FALSE(w.PrimaryCountEnabled());
    EXPECT_EQ(w.Count(UnitCount::Primary), 0);
    w.SelectPrimary(99);  // outside the list: ignored
    EXPECT_EQ(w.Loadout().primary, 0);
}

TEST(UnitWizard, CountsStopAtZeroAndHandgunMagazinesAtFour) {
    UnitWizard w = Fresh();
    w.SelectPrimary(1);
    w.StepCount(UnitCount::Primary, -1);
    EXPECT_EQ(w.Count(UnitCount::Primary), 0);
    w.StepCount(UnitCount::Primary, 1);
    EXPECT_EQ(w.Count(UnitCount::Primary), 1);

    w.StepCount(UnitCount::Handgun, -1);  // no handgun chosen: disabled
    EXPECT_EQ(w.Count(UnitCount::Handgun), 4);
    w.SelectHandgun(1);
    w.StepCount(UnitCount::Handgun, 1);
    EXPECT_EQ(w.Count(UnitCount::Handgun), 4);
    w.StepCount(UnitCount::Handgun, -1);
    EXPECT_EQ(w.Count(UnitCount::Handgun), 3);
    w.StepCount(UnitCount::Handgun, 5);
    EXPECT_EQ(w.Count(UnitCount::Handgun), 4);
    w.StepCount(UnitCount::Handgun, -10);
    EXPECT_EQ(w.Count(UnitCount::Handgun), 0);

    // The secondary count keeps its value while its weapon is set back to "NONE".
    w.SelectSecondary(1);
    w.StepCount(UnitCount::Secondary, 2);
    w.SelectSecondary(0);
    EXPECT_FALSE(w.SecondaryCountEnabled());
    EXPECT_EQ(w.Count(UnitCount::Secondary), 2);
}

TEST(UnitWizard, SniperForcesTheSecondaryWeaponOffUntilSwitchedBack) {
    UnitWizard w = Fresh();
    w.SelectSecondary(1);
    w.SetSniper(true);
    EXPECT_EQ(w.Loadout().secondary, 0);
    EXPECT_FALSE(w.SecondaryListEnabled());
    EXPECT_FALSE(w.SecondaryCountEnabled());
    w.SelectSecondary(1);
    EXPECT_EQ(w.Loadout().secondary, 0);
    w.SetSniper(false);
    EXPECT_TRUE(w.SecondaryListEnabled());
    EXPECT_EQ(w.Loadout().secondary, 0);
}

TEST(UnitWizard, EquipmentLinesCountUpAndDownToZero) {
    UnitWizard w = Fresh();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(w.AddOne(1));
    EXPECT_EQ(w.EquipmentLines()[1], "(3) SmokeShell");
    EXPECT_FALSE(w.RemoveOne(0));
    EXPECT_EQ(w.EquipmentLines()[0], "(0) FragGrenade");
    EXPECT_TRUE(w.RemoveOne(1));
    EXPECT_EQ(w.EquipmentLines()[1], "(2) SmokeShell");
    EXPECT_FALSE(w.AddOne(-1));
    EXPECT_FALSE(w.AddOne(3));
}

TEST(UnitWizard, ErrorEntriesCannotBeChosenAsGear) {
    UnitWizard w;
    w.ResetWizard({"[SECONDARY]", "Torrin,TorrinRocket,2"}, true, 5);
    EXPECT_EQ(w.EquipmentLines(), StringList{"ERROR: Not Available"});
    EXPECT_FALSE(w.AddOne(0));
    w.SelectPrimary(1);  // the error entry
    EXPECT_FALSE(w.PrimaryCountEnabled());
    w.StepCount(UnitCount::Primary, 1);
    EXPECT_EQ(w.Count(UnitCount::Primary), 0);
    EXPECT_EQ(w.BuildUnitScript(kVersion).find("AddWeapon"), std::string::npos);
}

TEST(UnitWizard, TheOriginalEditionDisablesTheHandgunList) {
    UnitWizard w;
    w.ResetWizard(kUnitData, false, 0);
    EXPECT_FALSE(w.HandgunListEnabled());
    EXPECT_EQ(w.Tables().handguns.names, StringList{"NONE"});
    w.SelectHandgun(1);
    EXPECT_EQ(w.Loadout().handgun, 0);
}

TEST(UnitWizard, NamesMayNotBeEmptyOrHoldFileNameCharacters) {
    UnitWizard w = Fresh();
    EXPECT_TRUE(w.CanCreateToDisk());
    EXPECT_TRUE(w.CanCreateInEditor(true));
    EXPECT_FALSE(w.CanCreateInEditor(false));
    for (const char* bad : {"", "a\\b", "a/b", "a:b", "a*b", "a?b", "a|b", "a\"b", "a<b", "a>b"}) {
        w.SetName(bad);
        EXPECT_FALSE(w.CanCreateToDisk()) << bad;
        EXPECT_FALSE(w.CanCreateInEditor(true)) << bad;
    }
    w.SetName("Späher 1.v2");
    EXPECT_TRUE(w.CanCreateToDisk());
}

TEST(UnitWizard, DefaultNamesTakeTheCallersNumberModuloAThousand) {
    EXPECT_EQ(DefaultWizardName("UNIT_", 0), "UNIT_0");
    EXPECT_EQ(DefaultWizardName("UNIT_", 999), "UNIT_999");
    EXPECT_EQ(DefaultWizardName("CRATE_", 2147483647), "CRATE_647");
    EXPECT_EQ(DefaultWizardName("CRATE_", -1), "CRATE_999");
}

TEST(UnitScript, NothingChosenStillStripsTheUnitAndEndsInExitWithoutLineEnd) {
    ExpectSameAsFile(Fresh().BuildUnitScript(kVersion), "unit_nothing_chosen.sqs");
}

TEST(UnitScript, FullLoadoutPutsMagazinesBeforeTheirWeapons) {
    UnitWizard w = Fresh(12417);
    w.SelectPrimary(2);
    w.StepCount(UnitCount::Primary, 3);
    w.StepCount(UnitCount::Launcher, 2);
    w.SelectSecondary(1);
    w.StepCount(UnitCount::Secondary, 2);
    w.SelectHandgun(1);
    w.AddOne(0);
    w.AddOne(0);
    w.AddOne(2);
    w.SetBinoculars(true);
    w.SetNVGoggles(true);
    ExpectSameAsFile(w.BuildUnitScript(kVersion), "unit_full_loadout.sqs");
}

TEST(UnitScript, KeptGearLeavesOutTheStripBlock) {
    UnitWizard w = Fresh();
    w.SetName("Sniper_Team-1");
    w.SetRemoveGear(false);
    w.SelectPrimary(3);
    w.StepCount(UnitCount::Primary, 1);
    // Neither the default four handgun magazines nor a launcher step appear: no handgun is
    // chosen and the weapon has no launcher.
    w.StepCount(UnitCount::Launcher, 1);
    ExpectSameAsFile(w.BuildUnitScript(kVersion), "unit_keep_gear.sqs");
}
