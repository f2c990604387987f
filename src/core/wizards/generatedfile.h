#pragma once
#include <string>
#include <string_view>

#include "core/doc/textfile.h"

namespace qm {

// Writes a generated text (UTF-8, line ends already in it) as Windows-1252 bytes, crash-safe:
// the file holds exactly the text. A character without a byte becomes "?" and is counted.
TextSaveReport WriteGeneratedFile(const std::string& path, std::string_view text);

}  // namespace qm
