#pragma once
#include <string>

#include "core/doc/dockinds.h"

namespace qm {

// Removes every trailing "*".
std::string StripModifiedMarker(std::string title);

// The title with one "*" when modified, none otherwise.
std::string MarkedTitle(const std::string& title, bool modified);

// What a document's title becomes when set to text: a document that has never been saved
// and has no title yet is named after its kind; otherwise the text is used unchanged.
std::string ResolveTitle(const std::string& text, const std::string& pathName, const std::string& currentTitle,
                         DocKind kind);

// The file-name part of a path: the text after its last separator (IsPathSeparator).
std::string FileNameOfPath(const std::string& path);

}  // namespace qm
