#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/app/safefile.h"

namespace qm {

// The Quick Scripts menu lists at most this many files of the scripts folder.
inline constexpr int kMaxQuickScripts = 11;

// The message when a quick script cannot be added (its caption is "FILE ERROR").
inline constexpr const char* kQuickScriptError =
    "Error adding the file. Quick Scripts are saved\n"
    "as READ ONLY and are not editable. They\n"
    "must be deleted before you can re-save them.";

// The quick scripts of the folder as the menu lists them: file names, at most 11.
std::vector<std::string> ListQuickScripts(const std::string& folder);

// Every file of the folder, read-only ones included, for the Remove Quick Scripts list.
std::vector<std::string> AllQuickScriptFiles(const std::string& folder);

// Copies a file into the scripts folder under its own name and makes the copy read-only. An
// existing quick script of that name is never replaced. The folder is created when missing.
FileResult AddQuickScriptCopy(const std::string& source, const std::string& folder);

// Writes document text ("\n" line breaks, UTF-8) as a quick script named after the file name of
// documentPath, CR LF on disk, then makes it read-only. A read-only file of that name is refused.
FileResult WriteQuickScript(const std::string& documentPath, std::string_view text, const std::string& folder);

// Makes the quick script writable again and deletes it; false when either step fails.
bool RemoveQuickScript(const std::string& folder, const std::string& name);

}  // namespace qm
