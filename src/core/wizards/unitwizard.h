#pragma once
#include <cstdint>
#include <string>

#include "core/app/catalogue.h"
#include "core/wizards/unitloadout.h"
#include "core/wizards/unittables.h"

namespace qm {

enum class UnitCount { Primary, Launcher, Secondary, Handgun };

// The custom unit wizard without its widgets: the tables, the loadout and every rule that
// decides what the controls show and allow. The dialog shows this state after each change.
class UnitWizard {
public:
    static constexpr int kMaxHandgunMagazines = 4;
    static constexpr int kFullLoad = 10;
    static constexpr int kSniperLoad = 4;

    // Refills the tables from unit.txt's lines and puts the loadout back to its start values,
    // named "UNIT_" + randomNumber mod 1000.
    void ResetWizard(const StringList& unitData, bool expansionEdition, int randomNumber);

    const UnitTables& Tables() const { return m_tables; }
    const UnitLoadout& Loadout() const { return m_loadout; }

    // Selection changes of the three drop-downs; an index outside the list is ignored.
    void SelectPrimary(int index);
    void SelectSecondary(int index);
    void SelectHandgun(int index);
    // Arrow presses: steps > 0 up, < 0 down. Counts never drop below 0; handgun magazines stay at
    // most 4; a disabled count does not move.
    void StepCount(UnitCount which, int steps);
    int Count(UnitCount which) const;

    // Equipment lines: Add One / Remove One. False when nothing changed.
    bool AddOne(int line);
    bool RemoveOne(int line);
    // "(" count ") " + class, or the error entry when the section is missing.
    StringList EquipmentLines() const;

    void SetName(const std::string& name) { m_loadout.name = name; }
    void SetBinoculars(bool on) { m_loadout.binoculars = on; }
    void SetNVGoggles(bool on) { m_loadout.nvGoggles = on; }
    // Sniper: the load maximum drops to 4 and the secondary weapon goes back to "NONE".
    void SetSniper(bool on);
    void SetRemoveGear(bool on) { m_loadout.removeGear = on; }

    bool PrimaryCountEnabled() const { return m_tables.primary.IsWeapon(m_loadout.primary); }
    bool LauncherEnabled() const;
    bool SecondaryListEnabled() const { return !m_loadout.sniper; }
    bool SecondaryCountEnabled() const { return m_tables.secondary.IsWeapon(m_loadout.secondary); }
    bool HandgunListEnabled() const { return m_expansionEdition; }
    bool HandgunCountEnabled() const { return m_tables.handguns.IsWeapon(m_loadout.handgun); }
    // The labels over the primary and launcher counts: the magazine classes of a weapon with a launcher.
    std::string PrimaryMagazineLabel() const;
    std::string LauncherLabel() const;

    int Maximum() const { return m_loadout.sniper ? kSniperLoad : kFullLoad; }
    // Slots the loadout fills; gear the unit keeps counts as a full load. Handguns, binoculars
    // and goggles take none.
    int64_t Used() const;
    bool Overloaded() const { return Used() > Maximum(); }
    std::string CapacityText() const;

    bool CanCreateToDisk() const;
    bool CanCreateInEditor(bool editorAvailable) const { return editorAvailable && CanCreateToDisk(); }

    std::string BuildUnitScript(const std::string& version) const;

private:
    int* CountField(UnitCount which);

    UnitTables m_tables;
    UnitLoadout m_loadout;
    bool m_expansionEdition = true;
};

}  // namespace qm
