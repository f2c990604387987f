// A Wine prefix's registry file (system.reg or user.reg) and the game's keys found in it.
#include "core/app/wineprefix.h"
#include "core/app/wineregistry.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(wineregistry) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qm::WineRegistryFile file = qm::ParseWineRegistry(text);
    if (!file.IsValid()) QM_FUZZ_CHECK(!file.GetString("Software\\Pellgrave\\Varnholt", "MAIN"));
    const qm::WineGameKeys keys = qm::WineGameKeysFromText(text, text);
    // A value is one string: never longer than the file it came from, never holding a NUL.
    QM_FUZZ_CHECK(keys.folder.find('\0') == std::string::npos && keys.player.find('\0') == std::string::npos);
    QM_FUZZ_CHECK(keys.folder.size() <= size * 3 && keys.player.size() <= size * 3);
    const std::string mapped = qm::MapWindowsPath(keys.folder, "/prefix/");
    QM_FUZZ_CHECK(mapped.empty() || mapped.rfind("/prefix/", 0) == 0);
    QM_FUZZ_CHECK(mapped.find("/../") == std::string::npos);
}
