#include "core/wizards/cratescript.h"

#include "core/wizards/wizardcommon.h"

namespace qm {

std::string BuildCrateScript(const CrateContents& crate, const std::string& version) {
    std::string s = ScriptBanner("****", "crate", crate.name, version);
    s += "\r\n";
    s += "; Get the crate parameter given\r\n";
    s += "_crate = _this Select 0\r\n";
    s += "\r\n";
    if (crate.emptyCrate) {
        s += "; Remove the stock items from the crate\r\n";
        s += "ClearMagazineCargo _crate\r\n";
        s += "ClearWeaponCargo _crate\r\n";
        s += "\r\n";
    }
    s += "; Add the items to the crate\r\n";
    for (const auto& line : crate.lines) s += "_crate " + line + "\r\n";
    s += "\r\n";
    s += "Exit\r\n";
    return s;
}

}  // namespace qm
