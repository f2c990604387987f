#include "core/tools/datamaintenance.h"

#include <filesystem>

#include "core/app/datapaths.h"
#include "core/tools/toolfiles.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
// Copies every "*.txt" of one folder into another, replacing; the first failure stops it.
MaintenanceResult CopySnippets(const std::string& from, const std::string& to) {
    for (const std::string& name : ListFolderFiles(from, ".txt")) {
        const std::string target = WithTrailingSeparator(to) + name;
        FileResult r = CopyFileTo(WithTrailingSeparator(from) + name, target, true);
        if (!r.ok) return {MaintenanceStatus::SnippetFailed, target, r.error};
    }
    return {};
}
}  // namespace

MaintenanceResult BackupDataFiles(const DataFilePathSet& dataFiles, const std::string& snippetFolder,
                                  const std::string& backupFolder) {
    // An empty setting would make the folder the filesystem root.
    if (backupFolder.empty()) return {MaintenanceStatus::DataFileFailed, {}, "No backup folder is set."};
    const std::string folder = WithTrailingSeparator(backupFolder);
    const std::string snippetCopies = folder + kBackupSnippetFolder;
    std::error_code ec;
    fs::create_directories(snippetCopies, ec);  // a failure shows in the first copy
    for (int i = 0; i < kDataFileCount; ++i) {
        const std::string target = folder + kBackupNames[i];
        FileResult r = CopyFileTo(dataFiles[i], target, true);
        if (!r.ok) return {MaintenanceStatus::DataFileFailed, target, r.error};
    }
    // A snippets folder that is not there has nothing to back up.
    return CopySnippets(snippetFolder, snippetCopies);
}

MaintenanceResult RestoreDataFiles(const DataFilePathSet& dataFiles, const std::string& snippetFolder,
                                   const std::string& backupFolder) {
    if (backupFolder.empty()) return {MaintenanceStatus::DataFileFailed, {}, "No backup folder is set."};
    const std::string folder = WithTrailingSeparator(backupFolder);
    // An incomplete backup restores nothing rather than mixing old and new data files.
    std::error_code ec;
    for (const char* name : kBackupNames)
        if (!fs::is_regular_file(folder + name, ec))
            return {MaintenanceStatus::DataFileFailed, folder + name, "The backup has no \"" + std::string(name) + "\"."};
    for (int i = 0; i < kDataFileCount; ++i) {
        FileResult r = CopyFileTo(folder + kBackupNames[i], dataFiles[i], true);
        if (!r.ok) return {MaintenanceStatus::DataFileFailed, dataFiles[i], r.error};
    }
    const std::string snippetCopies = folder + kBackupSnippetFolder;
    if (ListFolderFiles(snippetCopies, ".txt").empty()) return {};
    if (snippetFolder.empty()) return {MaintenanceStatus::SnippetFailed, {}, "No snippets folder is set."};
    fs::create_directories(snippetFolder, ec);  // restored into a fresh installation
    return CopySnippets(snippetCopies, snippetFolder);
}

std::string BackupMessage(const MaintenanceResult& r, const std::string& backupFolder) {
    return r.ok() ? std::string(kBackupDone) + backupFolder : std::string(kBackupError);
}

std::string RestoreMessage(const MaintenanceResult& r) {
    switch (r.status) {
        case MaintenanceStatus::Done: return kRestoreDone;
        case MaintenanceStatus::DataFileFailed: return kRestoreNotFound;
        case MaintenanceStatus::SnippetFailed: return kRestoreError;
    }
    return kRestoreError;
}

}  // namespace qm
