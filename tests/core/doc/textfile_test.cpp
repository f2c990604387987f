#include "core/doc/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

using namespace qm;

TEST(TextFile, EveryByteButLineEndsSurvivesOpenAndSave) {
    TempDir dir;
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') bytes.push_back(static_cast<char>(b));
    bytes += "\r\nsecond line\r\n";
    const std::string path = dir.Write("all.sqs", bytes);

    std::string text;
    auto report = LoadTextFile(path, text);
    ASSERT_TRUE(report.result.ok);
    EXPECT_TRUE(report.hasNul);
    EXPECT_EQ(report.lineEnds, LineEndMode::CrLf);

    const std::string copy = dir.Path("copy.sqs");
    auto saved = SaveTextFile(copy, text);
    ASSERT_TRUE(saved.result.ok) << saved.result.error;
    EXPECT_EQ(saved.unmappable, 0u);
    EXPECT_EQ(TempDir::Read(copy), bytes);
}

TEST(TextFile, MixedLineEndsComeBackAsCrLf) {
    TempDir dir;
    const std::string path = dir.Write("mixed.txt", "a\nb\r\nc\rd\n\re");
    std::string text;
    auto report = LoadTextFile(path, text);
    ASSERT_TRUE(report.result.ok);
    EXPECT_EQ(report.lineEnds, LineEndMode::Mixed);
    EXPECT_EQ(text, "a\nb\nc\nd\n\ne");
    ASSERT_TRUE(SaveTextFile(path, text).result.ok);
    EXPECT_EQ(TempDir::Read(path), "a\r\nb\r\nc\r\nd\r\n\r\ne");
}

TEST(TextFile, ReportsLineFacts) {
    TextLoadReport r;
    DecodeDocumentText("ab\nabcd\n", &r);
    EXPECT_EQ(r.lineEnds, LineEndMode::Lf);
    EXPECT_EQ(r.lineCount, 3u);
    EXPECT_EQ(r.longestLine, 4u);
    DecodeDocumentText("", &r);
    EXPECT_EQ(r.lineCount, 0u);
    EXPECT_EQ(r.lineEnds, LineEndMode::None);
}

TEST(TextFile, UnmappableCharactersAreCountedAndWrittenAsQuestionMarks) {
    TempDir dir;
    auto saved = SaveTextFile(dir.Path("u.txt"), "x\u4E2D");
    ASSERT_TRUE(saved.result.ok);
    EXPECT_EQ(saved.unmappable, 1u);
    EXPECT_EQ(TempDir::Read(dir.Path("u.txt")), "x?");
}

TEST(TextFile, ReadOnlyTargetIsRefusedAndLeftWhole) {
    TempDir dir;
    const std::string path = dir.Write("ro.sqs", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    auto saved = SaveTextFile(path, "new");
    EXPECT_FALSE(saved.result.ok);
    EXPECT_NE(saved.result.error.find("read-only"), std::string::npos);
    EXPECT_EQ(TempDir::Read(path), "old");
}

TEST(TextFile, FailedWriteReportsAndLeavesNoTemporaryFile) {
    TempDir dir;
    auto saved = SaveTextFile(dir.Path("missing/folder/x.sqs"), "text");
    EXPECT_FALSE(saved.result.ok);
    EXPECT_FALSE(saved.result.error.empty());

    const std::string path = dir.Write("keep.sqs", "old");
    auto intoFolder = SaveTextFile(dir.Path(), "text");
    EXPECT_FALSE(intoFolder.result.ok);
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) { (void)e; ++files; }
    EXPECT_EQ(files, 1u);
    EXPECT_EQ(TempDir::Read(path), "old");
}

TEST(TextFile, SavingKeepsTheReplacedFilesPermissions) {
    TempDir dir;
    const std::string path = dir.Write("p.sqs", "old");
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    ASSERT_TRUE(SaveTextFile(path, "new").result.ok);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST(TextFile, MissingFileFailsWithAMessage) {
    TempDir dir;
    std::string text;
    auto r = LoadTextFile(dir.Path("nope.sqs"), text);
    EXPECT_FALSE(r.result.ok);
    EXPECT_NE(r.result.error.find("cannot be found"), std::string::npos);
}

TEST(TextFile, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    TempDir dir;
    const std::string real = dir.Write("real.sqs", "old");
    const std::string link = dir.Path("link.sqs");
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(SaveTextFile(link, "new").result.ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::Read(real), "new");
}

// A very large document is saved from its pieces: stretches that cut characters and lines anywhere
// give the same file as the whole text, and a source that fails leaves the old file whole.
TEST(TextFile, SavingInStretchesWritesWhatTheWholeTextWrites) {
    TempDir dir;
    std::string text;
    for (int i = 0; text.size() < 3000000; ++i) text += "caf\xC3\xA9 line " + std::to_string(i) + (i % 97 ? "\n" : " \xE4\xB8\xAD\n");
    const std::string whole = dir.Path("whole.sqs"), stretched = dir.Path("stretched.sqs");
    const TextSaveReport expected = SaveTextFile(whole, text);
    ASSERT_TRUE(expected.result.ok);
    const ByteSource stretches = [&](const ByteSink& write) {
        for (size_t at = 0, n = 1; at < text.size(); at += n, n = n * 7 % 100003 + 1)
            if (!write(std::string_view(text).substr(at, n))) return false;
        return true;
    };
    const TextSaveReport saved = SaveTextFile(stretched, stretches);
    ASSERT_TRUE(saved.result.ok) << saved.result.error;
    EXPECT_EQ(saved.unmappable, expected.unmappable);
    EXPECT_GT(saved.unmappable, 0u);
    EXPECT_TRUE(TempDir::Read(stretched) == TempDir::Read(whole));

    const TextSaveReport failed = SaveTextFile(stretched, [](const ByteSink& write) {
        write("half of it");
        return false;
    });
    EXPECT_FALSE(failed.result.ok);
    EXPECT_TRUE(TempDir::Read(stretched) == TempDir::Read(whole));
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) { (void)e; ++files; }
    EXPECT_EQ(files, 2u);  // no temporary file left
}
