#include "core/platform/memoryregistry.h"

#include <tuple>

#include "core/app/casefold.h"

namespace qm {

namespace {
// Registry keys and value names ignore letter case.
std::string FoldKey(const std::string& key) {
    std::string k = FoldCase(key);
    while (!k.empty() && k.back() == '\\') k.pop_back();
    return k;
}
}  // namespace

const MemoryRegistry::Value* MemoryRegistry::Find(Hive hive, const std::string& key,
                                                  const std::string& name) const {
    auto it = m_values.find({hive, FoldKey(key), FoldCase(name)});
    return it == m_values.end() ? nullptr : &it->second;
}

std::optional<int> MemoryRegistry::ReadInt(Hive hive, const std::string& key, const std::string& name) const {
    const Value* v = Find(hive, key, name);
    if (!v || !std::holds_alternative<int>(*v)) return std::nullopt;
    return std::get<int>(*v);
}

std::optional<std::string> MemoryRegistry::ReadString(Hive hive, const std::string& key,
                                                      const std::string& name) const {
    const Value* v = Find(hive, key, name);
    if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
}

bool MemoryRegistry::WriteInt(Hive hive, const std::string& key, const std::string& name, int value) {
    m_values[{hive, FoldKey(key), FoldCase(name)}] = value;
    m_writeLog.push_back(key + "\\" + name);
    return true;
}

bool MemoryRegistry::WriteString(Hive hive, const std::string& key, const std::string& name,
                                 const std::string& value) {
    m_values[{hive, FoldKey(key), FoldCase(name)}] = value;
    m_writeLog.push_back(key + "\\" + name);
    return true;
}

bool MemoryRegistry::DeleteValue(Hive hive, const std::string& key, const std::string& name) {
    return m_values.erase({hive, FoldKey(key), FoldCase(name)}) > 0;
}

bool MemoryRegistry::DeleteKeyTree(Hive hive, const std::string& key) {
    const std::string k = FoldKey(key);
    bool any = false;
    for (auto it = m_values.begin(); it != m_values.end();) {
        const auto& [h, vk, vn] = it->first;
        if (h == hive && (vk == k || vk.rfind(k + "\\", 0) == 0)) {
            it = m_values.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

bool MemoryRegistry::KeyExists(Hive hive, const std::string& key) const {
    const std::string k = FoldKey(key);
    for (const auto& [addr, v] : m_values) {
        const auto& [h, vk, vn] = addr;
        if (h == hive && (vk == k || vk.rfind(k + "\\", 0) == 0)) return true;
    }
    return false;
}

}  // namespace qm
