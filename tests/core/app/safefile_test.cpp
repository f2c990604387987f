#include "core/app/safefile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
