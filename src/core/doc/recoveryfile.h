#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/safefile.h"
#include "core/doc/diskstamp.h"

namespace qm {

// One document's unsaved work, as kept in the recovery folder.
struct RecoveryEntry {
    std::string path;        // empty for a document never saved
    std::string kind;        // the document kind's name, as DocKinds() spells it
    std::string title;       // the title without the modified marker
    std::int64_t savedAt = 0;  // seconds since the epoch of the last change kept
    FileStamp disk;          // the file as the document last read or wrote it
    std::string bytes;       // the text as a save would write it
};

// Lines of "key length" followed by that many bytes, so a path or text may hold any byte; a last
// "end" line tells a whole file from one cut short.
std::string FormatRecoveryFile(const RecoveryEntry& entry);
// False with a reason for a file that is damaged, cut short or of another format.
bool ParseRecoveryFile(std::string_view data, RecoveryEntry& entry, std::string& error);

// "<pid>-<serial>.qmrecover": unique among the documents of one process and of the processes
// that used the folder before.
std::string RecoveryFileName(long pid, int serial);
bool IsRecoveryFileName(std::string_view name);
// The recovery files in a folder, sorted by name.
std::vector<std::string> ListRecoveryFiles(const std::string& folder);

// $XDG_STATE_HOME/quillmark/recovery/ (an absolute value only), else ~/.local/state/quillmark/recovery/.
std::string RecoveryFolder(const std::optional<std::string>& xdgStateHome, const std::string& homeFolder);

// Writes through a temporary file in the same folder, flushed to the disk before it is renamed over
// the target, so a crash at any moment leaves the old file or the new one, whole.
FileResult WriteFileDurably(const std::string& path, std::string_view bytes);

}  // namespace qm
