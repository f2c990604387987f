#pragma once
#include <string>

#include "core/platform/registry.h"

namespace qm {

// The program's settings root in HKEY_CURRENT_USER and its sections.
inline constexpr const char* kAppRegistryKey = "Software\\Tarnwell\\Quillmark";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr const char* kProjectFilesSection = "Project Files";

// Section/entry access below the program's root, as the framework's profile functions do it.
class AppProfile {
public:
    explicit AppProfile(Registry& registry) : m_registry(registry) {}

    int GetProfileInt(const std::string& section, const std::string& entry, int def) const {
        return m_registry.GetInt(Hive::CurrentUser, Key(section), entry, def);
    }
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& def = {}) const {
        return m_registry.GetString(Hive::CurrentUser, Key(section), entry, def);
    }
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value) {
        return m_registry.WriteInt(Hive::CurrentUser, Key(section), entry, value);
    }
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) {
        return m_registry.WriteString(Hive::CurrentUser, Key(section), entry, value);
    }
    bool DeleteEntry(const std::string& section, const std::string& entry) {
        return m_registry.DeleteValue(Hive::CurrentUser, Key(section), entry);
    }
    Registry& registry() { return m_registry; }

    static std::string Key(const std::string& section) { return std::string(kAppRegistryKey) + "\\" + section; }

private:
    Registry& m_registry;
};

}  // namespace qm
