#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/app/safefile.h"
#include "core/doc/textfile.h"
#include "support/tempdir.h"

using namespace qm;

namespace {
struct LimitGuard {
    ~LimitGuard() { SetReadableFileLimit(0); }
};

std::string ReadInPieces(const std::string& path, size_t piece) {
    DocumentFileReader reader;
    EXPECT_TRUE(reader.Open(path).ok);
    std::string all, text;
    while (reader.Next(text, piece)) all += text;
    EXPECT_TRUE(reader.Result().ok);
    EXPECT_EQ(reader.BytesRead(), reader.Size());
    return all;
}
}  // namespace

TEST(FileReader, PiecesOfAnySizeGiveTheWholeTextAndNeverSplitACrLf) {
    TempDir dir;
    const std::string path = dir.Write("a.sqs", "ab\r\ncd\re\n\r\n\xe9\r\n");
    for (size_t piece : {1, 2, 3, 4, 5, 64}) EXPECT_EQ(ReadInPieces(path, piece), "ab\ncd\ne\n\n\xc3\xa9\n") << piece;
}

TEST(FileReader, OnlyRegularFilesWithinTheLimitAreOpened) {
    TempDir dir;
    LimitGuard guard;
    DocumentFileReader folder;
    EXPECT_NE(folder.Open(dir.Path()).error.find("is a folder"), std::string::npos);
    const std::string fifo = dir.Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    DocumentFileReader pipe;  // opening it for reading would wait for a writer
    EXPECT_NE(pipe.Open(fifo).error.find("not a regular file"), std::string::npos);
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes("/dev/zero", bytes).ok);
    EXPECT_FALSE(ReadFileBytes(fifo, bytes).ok);

    // The opened file itself is checked, so one swapped for a pipe after the name was checked
    // neither blocks nor is read.
    for (const std::string& other : {fifo, dir.Path(), std::string("/dev/zero")}) {
        FileResult r;
        EXPECT_EQ(OpenReadableFile(other, 1000, r), -1) << other;
        EXPECT_FALSE(r.ok);
    }
    FileResult opened;
    std::uint64_t size = 0;
    const int fd = OpenReadableFile(dir.Write("swap.sqs", "12345"), 4, opened, &size);
    EXPECT_EQ(fd, -1);
    EXPECT_NE(opened.error.find("holds 5 bytes, and files up to 4 bytes"), std::string::npos) << opened.error;
    const int ok = OpenReadableFile(dir.Path("swap.sqs"), 5, opened, &size);
    ASSERT_GE(ok, 0) << opened.error;
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(::fcntl(ok, F_GETFL) & O_NONBLOCK, 0);  // reads block as usual from here
    ::close(ok);

    SetReadableFileLimit(10);
    const std::string big = dir.Write("big.sqs", "12345678901");
    const FileResult r = DocumentFileReader().Open(big);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("too large"), std::string::npos);
    EXPECT_NE(r.error.find("holds 11 bytes, and files up to 10 bytes"), std::string::npos) << r.error;
    EXPECT_FALSE(ReadFileBytes(big, bytes).ok);
    EXPECT_TRUE(DocumentFileReader().Open(dir.Write("fits.sqs", "1234567890")).ok);
}

TEST(FileReader, LimitIsATwentiethOfTheMemoryAndSizesReadAsUsersExpect) {
    EXPECT_EQ(LimitForMemory(24ull << 30), (24ull << 30) / 20);
    EXPECT_GT(LimitForMemory(0), 0u);
    EXPECT_EQ(FormatFileSize(5494444), "5.5 MB");
    EXPECT_EQ(FormatFileSize(6000000000ull), "6.0 GB");
    EXPECT_EQ(FormatFileSize(1500), "1.5 KB");
}
