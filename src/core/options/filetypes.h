#pragma once
#include <string>
#include <vector>

#include "core/doc/dockinds.h"
#include "core/options/settingstable.h"
#include "core/platform/registry.h"

namespace qm {

// The six kinds in the order their associations are handled (".sqs", ".ext", ".sqf", ".csv",
// ".html", ".txt"), each with its setting (m_regSQS ... m_regTXT; named in SettingsTable()).
struct FileTypeSetting {
    DocKind kind;
    int FrameSettings::*member;
};
const std::vector<FileTypeSetting>& FileTypeSettings();

// The kinds whose association setting is 1, in the order above.
std::vector<DocKind> FileTypesToUnregister(const FrameSettings& s);

// The longest string ReadRegString gives back.
inline constexpr size_t kRegStringLimit = 260;
// The value "(Old Default)" keeps an extension's default from before the program took it.
inline constexpr const char* kOldDefaultValue = "(Old Default)";

// A string value of HKEY_CLASSES_ROOT\key, cut to kRegStringLimit characters; empty when the
// value is missing or is not a string.
std::string ReadRegString(const Registry& registry, const std::string& key, const std::string& name);

// Points HKEY_CLASSES_ROOT\extension at progId, keeping the default it had as "(Old Default)"
// unless that was empty or already progId.
void AssociateExtension(Registry& registry, const std::string& extension, const std::string& progId);
// Puts "(Old Default)" back as the default; without one the whole extension key goes.
void RestoreExtension(Registry& registry, const std::string& extension);

// Associates one kind's extension with the program in HKEY_CLASSES_ROOT, or gives it back to its
// previous owner. ".sqs" also gets (or loses) "ShellNew" with an empty "NullFile" value.
void SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate);

}  // namespace qm
