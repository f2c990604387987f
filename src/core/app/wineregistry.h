#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The string values of one of Wine's registry files (system.reg: HKEY_LOCAL_MACHINE,
// user.reg: HKEY_CURRENT_USER). Keys and value names compare without letter case, as the
// registry does; the default value has the empty name.
class WineRegistryFile {
public:
    // False when the text is not a Wine registry file (no "WINE REGISTRY Version 2" line).
    bool IsValid() const { return m_valid; }
    // The string value (REG_SZ or REG_EXPAND_SZ, unexpanded) as UTF-8; none when the key or
    // value is missing or holds another type. Key paths use single backslashes.
    std::optional<std::string> GetString(const std::string& key, const std::string& name) const;

    friend WineRegistryFile ParseWineRegistry(std::string_view, const std::function<bool(const std::string&)>&);

private:
    bool m_valid = false;
    std::map<std::string, std::map<std::string, std::string>> m_keys;  // folded key -> folded name -> text
};

// Reads the text of a .reg file Wine keeps in its prefix. Lines that cannot be read are skipped;
// what was read before and after them stays. `wanted` (given the key in lower case) keeps the
// result small for big files; without it every key is kept.
WineRegistryFile ParseWineRegistry(std::string_view text,
                                   const std::function<bool(const std::string&)>& wanted = {});

// The key path in lower case, with single backslashes and none at either end.
std::string FoldRegistryKey(std::string_view key);

}  // namespace qm
