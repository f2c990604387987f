#include "core/wizards/unitscript.h"

#include "core/wizards/wizardcommon.h"

namespace qm {

namespace {
void AddMagazines(std::string& s, int count, const std::string& magazine) {
    for (int i = 0; i < count; ++i) s += "_unit AddMagazine \"" + magazine + "\"\r\n";
}
void AddWeapon(std::string& s, const std::string& weapon) { s += "_unit AddWeapon \"" + weapon + "\"\r\n"; }
}  // namespace

std::string BuildUnitScript(const UnitTables& tables, const UnitLoadout& u, const std::string& version) {
    std::string s = ScriptBanner("**", "unit", u.name, version);
    s += "\r\n";
    s += "; Get the unit parameter given\r\n";
    s += "_unit = _this Select 0\r\n";
    s += "\r\n";
    if (u.removeGear) {
        s += "; Strip the units current gear\r\n";
        s += "RemoveAllWeapons _unit\r\n";
        s += "\r\n";
    }
    s += "; Add the new gear to the unit\r\n";

    if (tables.primary.IsWeapon(u.primary)) {
        const PrimaryWeaponEntry& p = tables.primary.Record(u.primary);
        AddMagazines(s, u.primaryMagazines, p.magazine);
        if (p.launcherMagazine != "NONE") AddMagazines(s, u.launcherMagazines, p.launcherMagazine);
        AddWeapon(s, p.weapon);
        s += "_unit SelectWeapon \"" + p.weapon + "\"\r\n";
    }
    if (tables.secondary.IsWeapon(u.secondary)) {
        const SecondaryWeaponEntry& w = tables.secondary.Record(u.secondary);
        AddMagazines(s, u.secondaryAmmo, w.magazine);
        AddWeapon(s, w.weapon);
    }
    if (tables.handguns.IsWeapon(u.handgun)) {
        const HandgunEntry& h = tables.handguns.Record(u.handgun);
        AddMagazines(s, u.handgunMagazines, h.magazine);
        AddWeapon(s, h.weapon);
    }
    for (size_t i = 0; i < tables.equipment.size() && i < u.equipmentCounts.size(); ++i)
        AddMagazines(s, u.equipmentCounts[i], tables.equipment[i].magazine);
    if (u.binoculars) AddWeapon(s, "Binocular");
    if (u.nvGoggles) AddWeapon(s, "NVGoggles");

    s += "\r\n";
    s += "Exit";
    return s;
}

}  // namespace qm
