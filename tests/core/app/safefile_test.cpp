#include "core/app/safefile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "support/tempdir.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
struct stat Stat(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for (auto& e : fs::directory_iterator(dir)) (void)e, ++n;
    return n;
}

// Runs fn in a child process and returns its exit code; 77 means the child could not set up.
int InChild(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(fn());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

constexpr uid_t kOtherUser = 65534;  // "nobody"
}  // namespace

TEST(SafeFile, SavingKeepsOwnerGroupAndModeBits) {
    TempDir dir;
    const std::string path = dir.Write("owned.sqs", "old");
    if (::chown(path.c_str(), 4242, 4343) != 0) GTEST_SKIP() << "cannot give files away here";
    ::chmod(path.c_str(), 02640);
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok);
    const struct stat st = Stat(path);
    EXPECT_EQ(st.st_uid, 4242u);
    EXPECT_EQ(st.st_gid, 4343u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(TempDir::Read(path), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeFile, AHardLinkedFileIsWrittenInPlaceSoEveryNameSeesTheText) {
    TempDir dir;
    const std::string a = dir.Write("a.sqs", "old text");
    const std::string b = dir.Path("b.sqs");
    fs::create_hard_link(a, b);
    const ino_t inode = Stat(a).st_ino;
    ASSERT_TRUE(WriteFileAtomically(b, "new").ok);
    EXPECT_EQ(TempDir::Read(a), "new");
    EXPECT_EQ(TempDir::Read(b), "new");
    EXPECT_EQ(Stat(a).st_ino, inode);
    EXPECT_EQ(Stat(b).st_nlink, 2u);
    EXPECT_EQ(FilesIn(dir.Path()), 2u);  // the copy made beside it is gone
}

TEST(SafeFile, AFailedWriteInPlaceLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string a = dir.Write("a.sqs", "old text");
    fs::create_hard_link(a, dir.Path("b.sqs"));
    // The child may write files of at most 4 KB: the new text does not fit, the old does.
    const int rc = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 77;
        const FileResult r = WriteFileAtomically(a, std::string(100000, 'x'));
        return r.ok ? 1 : r.error.find("old file is unchanged") != std::string::npos ? 0 : 2;
    });
    if (rc == 77) GTEST_SKIP() << "cannot limit file sizes here";
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(TempDir::Read(a), "old text");
    EXPECT_EQ(TempDir::Read(dir.Path("b.sqs")), "old text");
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST(SafeFile, AnotherUserSavingKeepsTheFilesOwner) {
    TempDir dir;
    const std::string path = dir.Write("shared.sqs", "old");
    ::chmod(dir.Path().c_str(), 0777);
    ::chmod(path.c_str(), 0666);
    const uid_t owner = Stat(path).st_uid;
    if (owner == kOtherUser) GTEST_SKIP() << "the test already runs as the other user";
    const int rc = InChild([&] {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) return 77;
        return WriteFileAtomically(path, "written by another user").ok ? 0 : 1;
    });
    if (rc == 77) GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(rc, 0);
    const struct stat st = Stat(path);
    EXPECT_EQ(st.st_uid, owner);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(TempDir::Read(path), "written by another user");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeFile, AnotherUserSavesTheirOwnFileByRename) {
    TempDir dir;
    const std::string path = dir.Write("mine.sqs", "old");
    ::chmod(dir.Path().c_str(), 0777);
    if (::chown(path.c_str(), kOtherUser, kOtherUser) != 0) GTEST_SKIP() << "cannot give files away here";
    ::chmod(path.c_str(), 0600);
    const int rc = InChild([&] {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) return 77;
        return WriteFileAtomically(path, "new").ok ? 0 : 1;
    });
    if (rc == 77) GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(rc, 0);
    const struct stat st = Stat(path);
    EXPECT_EQ(st.st_uid, kOtherUser);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(TempDir::Read(path), "new");
}

TEST(SafeFile, AnotherUsersFileTheyMayNotWriteIsRefusedWithoutCopiesOrClaims) {
    TempDir dir;
    const std::string path = dir.Write("theirs.sqs", "old");
    ::chmod(dir.Path().c_str(), 0777);  // the folder lets anyone make files, the file does not
    ::chmod(path.c_str(), 0644);
    if (Stat(path).st_uid == kOtherUser) GTEST_SKIP() << "the test already runs as the other user";
    const int rc = InChild([&] {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) return 77;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const FileResult r = WriteFileAtomically(path, "new");
            if (r.ok) return 1;
            if (r.error.find("copy") != std::string::npos) return 2;  // no copy is made or kept
            if (r.error.find("cannot be written") == std::string::npos) return 3;
        }
        return 0;
    });
    if (rc == 77) GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(TempDir::Read(path), "old");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeFile, SavingKeepsTheAccessListAndAttributesAndNoGroupWriteAppears) {
    // An access list as the system stores it: owner rw, user 65534 rw, owning group r, mask rw, others none.
    const auto entry = [](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        std::string e(8, '\0');
        std::memcpy(e.data(), &tag, 2);
        std::memcpy(e.data() + 2, &perm, 2);
        std::memcpy(e.data() + 4, &id, 4);
        return e;
    };
    const std::uint32_t none = 0xffffffffu, version = 2;
    std::string acl(reinterpret_cast<const char*>(&version), 4);
    acl += entry(0x01, 6, none) + entry(0x02, 6, kOtherUser) + entry(0x04, 4, none) + entry(0x10, 6, none) +
           entry(0x20, 0, none);

    TempDir dir;
    const std::string listed = dir.Write("listed.sqs", "old");
    ::chmod(listed.c_str(), 0640);
    if (::setxattr(listed.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(listed.c_str(), "user.origin", "mission", 7, 0) != 0)
        GTEST_SKIP() << "no access lists or extended attributes here";
    const auto attribute = [](const std::string& path, const char* name) {
        char value[256];
        const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
        return n < 0 ? std::string("(none)") : std::string(value, static_cast<size_t>(n));
    };
    const mode_t mode = Stat(listed).st_mode & 07777;  // the group bits show the mask: 0660

    // A plain file in a folder whose default list would hand the new file a user entry.
    const std::string plain = dir.Write("sub/plain.sqs", "old");
    ::chmod(plain.c_str(), 0640);
    ASSERT_EQ(::setxattr(dir.Path("sub").c_str(), "system.posix_acl_default", acl.data(), acl.size(), 0), 0);

    for (int save = 0; save < 2; ++save) {
        ASSERT_TRUE(WriteFileAtomically(listed, "new").ok);
        ASSERT_TRUE(WriteFileAtomically(plain, "new").ok);
    }
    EXPECT_EQ(attribute(listed, "system.posix_acl_access"), acl);
    EXPECT_EQ(attribute(listed, "user.origin"), "mission");
    EXPECT_EQ(Stat(listed).st_mode & 07777, mode);
    EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "(none)");
    EXPECT_EQ(Stat(plain).st_mode & 07777, 0640u);
    EXPECT_EQ(TempDir::Read(listed), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}
