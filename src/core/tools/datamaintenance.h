#pragma once
#include <array>
#include <string>

namespace qm {

// Back-up and restore of the five data files and the snippets.

inline constexpr int kDataFileCount = 5;
// The order of copying and the names in the backup folder: commands, data, syntax, unit, header.
inline constexpr std::array<const char*, kDataFileCount> kBackupNames = {"commands.txt", "data.txt", "syntax.txt",
                                                                        "unit.txt", "header.txt"};
inline constexpr const char* kBackupSnippetFolder = "snippets";

inline constexpr const char* kBackupError = "ERROR: An error occured while backing up the data files.";
inline constexpr const char* kBackupDone = "Data files were backed up successfully to this location:\n";
inline constexpr const char* kRestoreQuestion = "Are you sure you want to restore the data files?";
inline constexpr const char* kRestoreNotFound = "ERROR: Backup data files were not found.";
inline constexpr const char* kRestoreError = "ERROR: An error occured while restoring the data files.";
inline constexpr const char* kRestoreDone = "Data files were successfully restored.";

// Where the program reads the five data files now, in kBackupNames order.
using DataFilePathSet = std::array<std::string, kDataFileCount>;

enum class MaintenanceStatus {
    Done,
    DataFileFailed,   // backup: a data file could not be copied (kBackupError); restore: a backed-up
                      // data file is missing (kRestoreNotFound)
    SnippetFailed,    // a snippet could not be copied (backup: kBackupError, restore: kRestoreError)
    BackupUnreadable, // restore: a backed-up data file cannot be read
    BackupDamaged,    // restore: a backed-up file is no data file of its kind
    TargetFailed,     // restore: a data file in use cannot be replaced
};

struct MaintenanceResult {
    MaintenanceStatus status = MaintenanceStatus::Done;
    std::string failedFile;  // the file that failed
    std::string reason;      // why, for the curious; the user sees the fixed message
    bool ok() const { return status == MaintenanceStatus::Done; }
};

// Creates the backup folder and its "snippets" folder, copies the five data files into it, then
// every "*.txt" of the snippets folder, replacing older copies. Stops at the first failed copy;
// what was copied before stays.
MaintenanceResult BackupDataFiles(const DataFilePathSet& dataFiles, const std::string& snippetFolder,
                                  const std::string& backupFolder);

// Puts the five backed-up files in place of the data files in use now, then copies every
// backed-up snippet into the snippets folder (adding or replacing; other snippets stay). The
// data files go all or none: each backed-up one is read and checked to be a data file of its
// kind, and each one in use to be replaceable, before any is replaced; the new ones are written
// beside the old ones first and then renamed over them, and a failed rename puts back the ones
// replaced before it. Snippets stop at the first failed copy; what was copied before stays.
MaintenanceResult RestoreDataFiles(const DataFilePathSet& dataFiles, const std::string& snippetFolder,
                                   const std::string& backupFolder);

// The message for a result: the fixed failure texts, or the completion text (backup: with the folder).
std::string BackupMessage(const MaintenanceResult& r, const std::string& backupFolder);
std::string RestoreMessage(const MaintenanceResult& r);

}  // namespace qm
