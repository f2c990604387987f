#pragma once
#include <string>

namespace qm {

// Makes one running process the owner of the recovery folder. The lock is the operating system's
// lock on a file in it, which ends with its process however that process ends (a crash, SIGKILL,
// a power cut), so files found by a new owner were left by a process that is no longer running.
class RecoveryFolderLock {
public:
    RecoveryFolderLock() = default;
    RecoveryFolderLock(const RecoveryFolderLock&) = delete;
    RecoveryFolderLock& operator=(const RecoveryFolderLock&) = delete;
    ~RecoveryFolderLock() { Release(); }

    // Creates the folder when needed. False (with a reason) when it cannot be made or another
    // running process owns it.
    bool TryLock(const std::string& folder, std::string& error);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace qm
