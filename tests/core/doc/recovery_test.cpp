#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "core/doc/diskstamp.h"
#include "core/doc/recoveryfile.h"
#include "core/doc/recoverylock.h"
#include "support/tempdir.h"

namespace qm {

TEST(RecoveryFile, KeepsEveryByteAndRejectsAnythingCutShortOrAltered) {
    RecoveryEntry e;
    e.path = "/missions/odd\nname 12\xE9.sqs";
    e.kind = "Script";
    e.title = "odd name.sqs";
    e.savedAt = 1796680000;
    e.disk = {true, 1234, 1796679999123456789, 0xFEDCBA9876543210ull, true};
    e.bytes = std::string("hint \"x\"\r\nend 5\n\0\xFF\r\n", 20);
    const std::string data = FormatRecoveryFile(e);
    RecoveryEntry back;
    std::string error;
    ASSERT_TRUE(ParseRecoveryFile(data, back, error)) << error;
    EXPECT_EQ(back.path, e.path);
    EXPECT_EQ(back.kind, e.kind);
    EXPECT_EQ(back.title, e.title);
    EXPECT_EQ(back.savedAt, e.savedAt);
    EXPECT_TRUE(back.disk.exists && back.disk.hasHash);
    EXPECT_EQ(back.disk.size, 1234u);
    EXPECT_EQ(back.disk.modifiedNs, e.disk.modifiedNs);
    EXPECT_EQ(back.disk.hash, e.disk.hash);
    EXPECT_EQ(back.bytes, e.bytes);

    // An untitled document has no file to remember.
    RecoveryEntry untitled;
    untitled.kind = "Text";
    ASSERT_TRUE(ParseRecoveryFile(FormatRecoveryFile(untitled), back, error)) << error;
    EXPECT_TRUE(back.path.empty());
    EXPECT_FALSE(back.disk.exists);

    // A crash can leave any prefix of a file written in place; each one is refused, never misread.
    for (size_t n = 0; n < data.size(); ++n)
        EXPECT_FALSE(ParseRecoveryFile(std::string_view(data).substr(0, n), back, error)) << "prefix " << n;
    EXPECT_FALSE(ParseRecoveryFile(data + "x", back, error));
    std::string longer = data;
    longer.replace(longer.find("text 20"), 7, "text 21");
    EXPECT_FALSE(ParseRecoveryFile(longer, back, error));
    std::string badNumber = data;
    badNumber.replace(badNumber.find("time 10\n") + 8, 1, "x");
    EXPECT_FALSE(ParseRecoveryFile(badNumber, back, error));
    EXPECT_FALSE(ParseRecoveryFile("\x7F" "ELF binary", back, error));
    EXPECT_FALSE(error.empty());
}

TEST(RecoveryFile, NamesAndFolder) {
    EXPECT_EQ(RecoveryFileName(4321, 7), "4321-7.qmrecover");
    EXPECT_TRUE(IsRecoveryFileName("4321-7.qmrecover"));
    for (const char* other : {"4321-7.qmrecover.tmp", "owner.lock", "-7.qmrecover", "43a1-7.qmrecover", ".qmrecover",
                              "4321.qmrecover", "4321-7.qmrecover.damaged"})
        EXPECT_FALSE(IsRecoveryFileName(other)) << other;

    TempDir dir;
    dir.Write("9-2.qmrecover", "x");
    dir.Write("10-1.qmrecover", "x");
    dir.Write("10-1.qmrecover.tmp", "x");
    dir.Write("owner.lock", "1");
    std::filesystem::create_directories(dir.Path("11-1.qmrecover"));  // not a file
    EXPECT_EQ(ListRecoveryFiles(dir.Path()), (std::vector<std::string>{"10-1.qmrecover", "9-2.qmrecover"}));
    EXPECT_TRUE(ListRecoveryFiles(dir.Path("missing")).empty());

    EXPECT_EQ(RecoveryFolder(std::string("/state"), "/home/u"), "/state/quillmark/recovery/");
    EXPECT_EQ(RecoveryFolder(std::string("relative"), "/home/u"), "/home/u/.local/state/quillmark/recovery/");
    EXPECT_EQ(RecoveryFolder(std::nullopt, "/home/u/"), "/home/u/.local/state/quillmark/recovery/");
}

TEST(RecoveryFile, DurableWriteReplacesWholeOrReportsWithoutLeavingDebris) {
    TempDir dir;
    const std::string target = dir.Write("a.qmrecover", "old");
    ASSERT_TRUE(WriteFileDurably(target, "new bytes").ok);
    EXPECT_EQ(TempDir::Read(target), "new bytes");
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));

    // A folder nothing can be written into, not even by the superuser: a plain file in its place.
    dir.Write("locked", "a file");
    const FileResult r = WriteFileDurably(dir.Path("locked/b.qmrecover"), "text");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("b.qmrecover"), std::string::npos);
}

// The folder's owner is the running process that locked it; a process that died, however it died,
// owns nothing any more.
TEST(RecoveryFolderLockTest, OneLivingOwnerAndNoneOnceItIsKilled) {
    TempDir dir;
    const std::string folder = dir.Path("state/quillmark/recovery");
    std::string error;
    {
        RecoveryFolderLock first, second;
        ASSERT_TRUE(first.TryLock(folder, error)) << error;
        EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all) << "the copies are the user's alone";
        EXPECT_FALSE(second.TryLock(folder, error));
        EXPECT_NE(error.find("Another running Quillmark"), std::string::npos);
        first.Release();
        EXPECT_TRUE(second.TryLock(folder, error)) << error;
    }

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryFolderLock held;
        std::string e;
        const char ok = held.TryLock(folder, e) ? '1' : '0';
        [[maybe_unused]] const ssize_t w = ::write(ready[1], &ok, 1);
        for (;;) ::pause();
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    RecoveryFolderLock mine;
    EXPECT_FALSE(mine.TryLock(folder, error)) << "the living child owns the folder";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(mine.TryLock(folder, error)) << error;
    ::close(ready[0]);
    ::close(ready[1]);

    EXPECT_FALSE(mine.TryLock(dir.Write("plain", "a file, not a folder") + "/sub", error));
}

TEST(DiskStamp, OnlyADifferenceInTheBytesOrTheFilesPresenceIsAChange) {
    TempDir dir;
    const std::string path = dir.Write("m.sqs", "hint \"a\"\r\n");
    const FileStamp known = ReadFileStamp(path);
    ASSERT_TRUE(known.exists && known.hasHash);
    const auto compare = [&] {
        return CompareFileStamps(known, ReadFileStamp(path, false), [&] { return ReadFileStamp(path); });
    };
    EXPECT_EQ(compare(), DiskChange::None);

    const auto later = [&](const char* bytes) {
        dir.Write("m.sqs", bytes);
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    };
    later("hint \"a\"\r\n");  // written back with the same bytes, or merely touched
    EXPECT_EQ(compare(), DiskChange::None);
    later("hint \"b\"\r\n");  // same size, other bytes
    EXPECT_EQ(compare(), DiskChange::Changed);
    later("hint \"a\"\r\nexit\r\n");
    EXPECT_EQ(compare(), DiskChange::Changed);
    std::filesystem::remove(path);
    EXPECT_EQ(compare(), DiskChange::Deleted);
    later("hint \"a\"\r\n");  // back again, as it was
    EXPECT_EQ(compare(), DiskChange::None);

    const FileStamp none;  // a file that was never there
    EXPECT_EQ(CompareFileStamps(none, ReadFileStamp(dir.Path("nothing"), false), {}), DiskChange::None);
    EXPECT_EQ(CompareFileStamps(none, ReadFileStamp(path, false), {}), DiskChange::Changed);
    EXPECT_FALSE(ReadFileStamp(dir.Path()).exists) << "a folder is not a document's file";

    // Hashing in pieces gives one answer for one content, whatever its length.
    std::string big(3u << 20, 'x');
    big[2000000] = 'y';
    const FileStamp a = ReadFileStamp(dir.Write("big1", big)), b = ReadFileStamp(dir.Write("big2", big));
    big[2000000] = 'z';
    const FileStamp c = ReadFileStamp(dir.Write("big3", big));
    EXPECT_EQ(a.hash, b.hash);
    EXPECT_NE(a.hash, c.hash);
}

}  // namespace qm
