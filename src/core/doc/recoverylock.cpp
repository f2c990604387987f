#include "core/doc/recoverylock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace qm {

bool RecoveryFolderLock::TryLock(const std::string& folder, std::string& error) {
    Release();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "The folder \"" + folder + "\" cannot be made: " + ec.message() + ".";
        return false;
    }
    // Unsaved work is nobody else's to read.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
    const std::string path = (std::filesystem::path(folder) / "owner.lock").string();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "\"" + path + "\" cannot be opened: " + std::strerror(errno) + ".";
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? "Another running Quillmark keeps its unsaved work in \"" + folder + "\"."
                                     : "\"" + path + "\" cannot be locked: " + std::strerror(errno) + ".";
        ::close(fd);
        return false;
    }
    // The owner's process id, for a person looking into the folder.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]] const ssize_t written = ::write(fd, pid.data(), pid.size());
    m_fd = fd;
    return true;
}

void RecoveryFolderLock::Release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the last descriptor ends the lock
    m_fd = -1;
}

}  // namespace qm
