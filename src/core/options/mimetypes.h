#pragma once
#include <string>
#include <vector>

#include "core/app/xmlescape.h"
#include "core/doc/dockinds.h"

namespace qm {

// How the Linux desktop names the six kinds. The game's own kinds get MIME types of ours; the
// other three already have well-known types, which the program must not redefine.
struct MimeTypeInfo {
    DocKind kind;
    const char* mimeType;
    bool ownType;             // defined by the program's package file
    const char* packageName;  // "<name>.xml" under mime/packages, for own types
};

// One row per kind, in DocKinds() order.
const std::vector<MimeTypeInfo>& MimeTypes();
const MimeTypeInfo& MimeTypeOf(DocKind kind);

// The desktop entry's file name (its desktop id).
inline constexpr const char* kDesktopEntryId = "quillmark.desktop";

// The shared-mime-info package that defines one own type: its comment and its "*.ext" glob.
std::string MimePackageText(DocKind kind);
// Every own type in one package (for an installation that defines them all at once).
std::string MimePackageTextAll();

// The desktop entry that starts the program with a file, listing every kind's MIME type.
std::string DesktopEntryText(const std::string& executablePath);
// One argument of a desktop entry's Exec key, quoted and escaped as the entry format asks.
std::string DesktopExecArgument(const std::string& argument);

}  // namespace qm
