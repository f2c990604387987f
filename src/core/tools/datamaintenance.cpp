#include "core/tools/datamaintenance.h"

#include <filesystem>
#include <random>

#include "core/app/catalogue.h"
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

// A name beside the file for the new or the old one while the set is replaced.
std::string Beside(const fs::path& file, const char* role) {
    static std::mt19937 draw{std::random_device{}()};
    return (file.parent_path() / ("." + file.filename().string() + ".qm" + std::to_string(draw() % 1000000) + role))
        .string();
}

// Replaces every target with the bytes given for it, or none: the new files are written beside
// their targets first (a full disk stops it there), then renamed over them one by one, the old
// ones renamed aside until all are in, so that putting them back needs only renames.
MaintenanceResult ReplaceAll(const DataFilePathSet& targets, const std::array<std::string, kDataFileCount>& bytes) {
    std::error_code ec;
    std::array<fs::path, kDataFileCount> target;
    std::array<std::string, kDataFileCount> fresh, old;
    const auto removeAll = [&](const std::array<std::string, kDataFileCount>& names) {
        for (const auto& n : names)
            if (!n.empty()) fs::remove(n, ec);
    };
    for (int i = 0; i < kDataFileCount; ++i) {
        // A data file reached through a link is replaced where it lies; the link stays.
        target[i] = fs::weakly_canonical(fs::path(targets[i]), ec);
        if (ec) target[i] = targets[i];
        const std::string name = Beside(target[i], ".new");
        FileResult r = WriteFileAtomically(name, bytes[i]);
        if (r.ok) {
            fresh[i] = name;
            const auto st = fs::status(target[i], ec);
            if (!ec && fs::exists(st)) fs::permissions(name, st.permissions(), ec);  // the old file's bits
        }
        if (!r.ok) {
            removeAll(fresh);
            return {MaintenanceStatus::TargetFailed, targets[i], r.error};
        }
    }
    for (int i = 0; i < kDataFileCount; ++i) {
        std::error_code step;
        if (fs::exists(target[i], ec)) {
            old[i] = Beside(target[i], ".old");
            fs::rename(target[i], old[i], step);
        }
        if (!step) fs::rename(fresh[i], target[i], step);
        if (step) {
            // Back as they were: the new ones placed so far go, the old ones return.
            for (int j = 0; j <= i; ++j) {
                if (j < i) fs::remove(target[j], ec);
                if (!old[j].empty() && fs::exists(old[j], ec)) fs::rename(old[j], target[j], ec);
            }
            removeAll(fresh);
            return {MaintenanceStatus::TargetFailed, targets[i],
                    "\"" + targets[i] + "\" cannot be replaced: " + step.message() + "."};
        }
    }
    removeAll(old);
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
    // Every backed-up file is checked before any data file changes, so a backup that is
    // incomplete, unreadable or not one of data files restores nothing.
    std::error_code ec;
    std::array<std::string, kDataFileCount> bytes;
    for (int i = 0; i < kDataFileCount; ++i) {
        const std::string name = folder + kBackupNames[i];
        if (!fs::exists(name, ec))
            return {MaintenanceStatus::DataFileFailed, name, "The backup has no \"" + std::string(kBackupNames[i]) + "\"."};
        if (FileResult r = ReadFileBytes(name, bytes[i]); !r.ok) return {MaintenanceStatus::BackupUnreadable, name, r.error};
        if (!IsPlausibleDataFile(static_cast<DataFileKind>(i), bytes[i]))
            return {MaintenanceStatus::BackupDamaged, name, "It is not a data file of its kind."};
    }
    for (const std::string& target : dataFiles) {
        if (fs::is_directory(target, ec) || IsReadOnlyFile(target))
            return {MaintenanceStatus::TargetFailed, target, "The file is read-only or a folder."};
        if (!IsWritableFolder(FolderOf(target)))
            return {MaintenanceStatus::TargetFailed, target, "Its folder cannot be written."};
    }
    if (MaintenanceResult r = ReplaceAll(dataFiles, bytes); !r.ok()) return r;
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
    const std::string name = "\n\n" + r.failedFile + "\n\n";
    switch (r.status) {
        case MaintenanceStatus::Done: return kRestoreDone;
        case MaintenanceStatus::DataFileFailed: return kRestoreNotFound;
        case MaintenanceStatus::SnippetFailed: return kRestoreError;
        case MaintenanceStatus::BackupUnreadable:
            return "ERROR: A backup data file cannot be read:" + name + r.reason + "\nNo data file was changed.";
        case MaintenanceStatus::BackupDamaged:
            return "ERROR: A backup data file is damaged or of the wrong kind:" + name + "No data file was changed.";
        case MaintenanceStatus::TargetFailed:
            return std::string(kRestoreError) + " This data file cannot be replaced:" + name + r.reason +
                   "\nNo data file was changed.";
    }
    return kRestoreError;
}

}  // namespace qm
