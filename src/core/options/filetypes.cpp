#include "core/options/filetypes.h"

namespace qm {

namespace {
constexpr Hive kRoot = Hive::ClassesRoot;
constexpr const char* kShellNewKey = ".sqs\\ShellNew";
}  // namespace

const std::vector<FileTypeSetting>& FileTypeSettings() {
    static const std::vector<FileTypeSetting> table = {
        {DocKind::Script, &FrameSettings::m_regSQS},
        {DocKind::Description, &FrameSettings::m_regEXT},
        {DocKind::Function, &FrameSettings::m_regSQF},
        {DocKind::StringTable, &FrameSettings::m_regCSV},
        {DocKind::Briefing, &FrameSettings::m_regHTML},
        {DocKind::Text, &FrameSettings::m_regTXT},
    };
    return table;
}

std::vector<DocKind> FileTypesToUnregister(const FrameSettings& s) {
    std::vector<DocKind> kinds;
    for (const auto& t : FileTypeSettings())
        if (s.*t.member == 1) kinds.push_back(t.kind);
    return kinds;
}

std::string ReadRegString(const Registry& registry, const std::string& key, const std::string& name) {
    std::string value = registry.ReadString(kRoot, key, name).value_or(std::string());
    if (value.size() > kRegStringLimit) value.resize(kRegStringLimit);
    return value;
}

void AssociateExtension(Registry& registry, const std::string& extension, const std::string& progId) {
    // Kept whole, not cut to kRegStringLimit: a long default must come back as it was.
    const std::string current = registry.ReadString(kRoot, extension, "").value_or(std::string());
    if (!current.empty() && current != progId && !registry.WriteString(kRoot, extension, kOldDefaultValue, current))
        return;
    registry.WriteString(kRoot, extension, "", progId);
}

void RestoreExtension(Registry& registry, const std::string& extension) {
    if (!registry.KeyExists(kRoot, extension)) return;
    const std::string old = registry.ReadString(kRoot, extension, kOldDefaultValue).value_or(std::string());
    if (!old.empty()) {
        if (registry.WriteString(kRoot, extension, "", old)) registry.DeleteValue(kRoot, extension, kOldDefaultValue);
        return;
    }
    registry.DeleteKeyTree(kRoot, extension);
}

void SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate) {
    const DocKindInfo& info = KindInfo(kind);
    if (associate) {
        AssociateExtension(registry, info.extension, info.regTypeId);
        if (kind == DocKind::Script) registry.WriteString(kRoot, kShellNewKey, "NullFile", "");
    } else {
        RestoreExtension(registry, info.extension);
        if (kind == DocKind::Script) registry.DeleteKeyTree(kRoot, kShellNewKey);
    }
}

}  // namespace qm
