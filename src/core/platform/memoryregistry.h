#pragma once
#include <map>
#include <tuple>
#include <vector>
#include <variant>

#include "core/platform/registry.h"

namespace qm {

// A registry held in memory: the tests' stand-in, and the fallback when no back end can be had.
class MemoryRegistry : public Registry {
public:
    using Value = std::variant<int, std::string>;

    std::optional<int> ReadInt(Hive hive, const std::string& key, const std::string& name) const override;
    std::optional<std::string> ReadString(Hive hive, const std::string& key,
                                          const std::string& name) const override;
    bool WriteInt(Hive hive, const std::string& key, const std::string& name, int value) override;
    bool WriteString(Hive hive, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool DeleteValue(Hive hive, const std::string& key, const std::string& name) override;
    bool DeleteKeyTree(Hive hive, const std::string& key) override;
    bool KeyExists(Hive hive, const std::string& key) const override;

    // Every value written, in order, as "key\name": lets tests check the order of writes.
    const std::vector<std::string>& WriteLog() const { return m_writeLog; }
    void ClearWriteLog() { m_writeLog.clear(); }
    size_t ValueCount() const { return m_values.size(); }

private:
    using Address = std::tuple<Hive, std::string, std::string>;  // hive, folded key, folded name
    const Value* Find(Hive hive, const std::string& key, const std::string& name) const;

    std::map<Address, Value> m_values;
    std::vector<std::string> m_writeLog;
};

}  // namespace qm
