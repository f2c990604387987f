#pragma once
#include <optional>
#include <string>

namespace qm {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

// The program's view of the Windows registry: keys are backslash paths below a hive,
// values are DWORD integers or strings. An empty value name is the key's default value.
class Registry {
public:
    virtual ~Registry() = default;

    virtual std::optional<int> ReadInt(Hive hive, const std::string& key, const std::string& name) const = 0;
    virtual std::optional<std::string> ReadString(Hive hive, const std::string& key,
                                                  const std::string& name) const = 0;
    virtual bool WriteInt(Hive hive, const std::string& key, const std::string& name, int value) = 0;
    virtual bool WriteString(Hive hive, const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual bool DeleteValue(Hive hive, const std::string& key, const std::string& name) = 0;
    virtual bool DeleteKeyTree(Hive hive, const std::string& key) = 0;
    virtual bool KeyExists(Hive hive, const std::string& key) const = 0;

    // Writes between BeginBatch and EndBatch may be kept until EndBatch stores them all at once
    // (one file write for a back end that keeps files). EndBatch is false when they could not be
    // stored; WriteError then says why, in a sentence for the user.
    virtual void BeginBatch() {}
    virtual bool EndBatch() { return true; }
    virtual std::string WriteError() const { return {}; }

    int GetInt(Hive hive, const std::string& key, const std::string& name, int def) const {
        return ReadInt(hive, key, name).value_or(def);
    }
    std::string GetString(Hive hive, const std::string& key, const std::string& name,
                          const std::string& def) const {
        return ReadString(hive, key, name).value_or(def);
    }
};

// A batch of registry writes that ends with the scope unless Commit ended it first.
class RegistryBatch {
public:
    explicit RegistryBatch(Registry& registry) : m_registry(registry) { m_registry.BeginBatch(); }
    ~RegistryBatch() {
        if (m_open) m_registry.EndBatch();
    }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    bool Commit() {
        m_open = false;
        return m_registry.EndBatch();
    }

private:
    Registry& m_registry;
    bool m_open = true;
};

}  // namespace qm
