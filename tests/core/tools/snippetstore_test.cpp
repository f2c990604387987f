#include "core/tools/snippetstore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {
// Takes the write bits away from a folder for the life of the object.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& path) : m_path(path) {
        fs::permissions(m_path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    ~ReadOnlyFolder() { fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add); }

private:
    std::string m_path;
};
}  // namespace

TEST(SnippetStore, ListsTxtFilesOnlySortedWithoutRegardToCase) {
    TempDir dir;
    dir.Write("beta.txt", "b");
    dir.Write("Alpha.txt", "a");
    dir.Write("alpha2.txt", "a");
    dir.Write("gamma.sqs", "g");
    dir.Write("delta.TXT", "d");
    dir.Write(".txt", "nameless");
    fs::create_directories(dir.Path("folder.txt"));
    SnippetStore store(dir.Path());
    EXPECT_EQ(store.List(), (std::vector<std::string>{"Alpha", "alpha2", "beta"}));
    EXPECT_TRUE(SnippetStore(dir.Path("missing")).List().empty());
}

TEST(SnippetStore, FolderGetsItsSeparatorAndPathsEndInTxt) {
    SnippetStore store("/tmp/snips");
    EXPECT_EQ(store.Folder(), "/tmp/snips/");
    EXPECT_EQ(store.PathOf("Loop"), "/tmp/snips/Loop.txt");
}

TEST(SnippetStore, LoadRemovesOnlyTrailingLineBreaks) {
    TempDir dir;
    dir.Write("a.txt", "a\r\n\r\nb\r\n\r\n\r\n");
    dir.Write("lf.txt", "x\ny\n");
    dir.Write("empty.txt", "");
    dir.Write("ansi.txt", "caf\xE9");
    SnippetStore store(dir.Path());
    std::string text = "old";
    ASSERT_TRUE(store.Load("a", text));
    EXPECT_EQ(text, "a\n\nb");
    ASSERT_TRUE(store.Load("lf", text));
    EXPECT_EQ(text, "x\ny");
    ASSERT_TRUE(store.Load("empty", text));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(store.Load("ansi", text));
    EXPECT_EQ(text, "caf\xC3\xA9");
    text = "kept";
    EXPECT_FALSE(store.Load("missing", text));
    EXPECT_EQ(text, "kept");
}

TEST(SnippetStore, SaveWritesCrLfAndRefusesBadNamesAndUnwritableFolders) {
    TempDir dir;
    SnippetStore store(dir.Path());
    EXPECT_TRUE(store.Save("Loop", "#loop\n~1\ngoto \"loop\""));
    EXPECT_EQ(TempDir::Read(dir.Path("Loop.txt")), "#loop\r\n~1\r\ngoto \"loop\"");
    EXPECT_TRUE(store.Save("Loop", "x"));  // replaces
    EXPECT_EQ(TempDir::Read(dir.Path("Loop.txt")), "x");

    for (const char* bad : {"", "a/b", "..\\up", "what?", "a:b", "tab\there"}) {
        EXPECT_FALSE(store.Save(bad, "x")) << bad;
        EXPECT_FALSE(IsValidSnippetName(bad)) << bad;
    }
    EXPECT_FALSE(fs::exists(dir.Path("a")));
    EXPECT_NE(InvalidSnippetNameMessage("a/b").find("\"a/b\" cannot be a snippet name."), std::string::npos);

    EXPECT_FALSE(SnippetStore(dir.Path("missing")).Save("x", "y"));
    {
        ReadOnlyFolder ro(dir.Path());
        EXPECT_FALSE(store.Save("New", "y"));
    }
    EXPECT_FALSE(fs::exists(dir.Path("New.txt")));
}

TEST(SnippetStore, ImportEndsEveryLineWithCrLfAndLaterFilesWin) {
    TempDir src, dir;
    const std::string a = src.Write("a.sqs", "hint \"x\"\nexit");  // no line break at the end
    const std::string b = src.Write("b.ext", "one\r\ntwo\r\n");
    const std::string a2 = src.Write("a.sqf", "second\n");
    const std::string empty = src.Write("e.txt", "");
    SnippetStore store(dir.Path());
    EXPECT_EQ(store.Import({a, b, empty}), 3u);
    EXPECT_EQ(TempDir::Read(dir.Path("a.txt")), "hint \"x\"\r\nexit\r\n");
    EXPECT_EQ(TempDir::Read(dir.Path("b.txt")), "one\r\ntwo\r\n");
    EXPECT_EQ(TempDir::Read(dir.Path("e.txt")), "");
    EXPECT_EQ(store.Import({a, a2}), 2u);
    EXPECT_EQ(TempDir::Read(dir.Path("a.txt")), "second\r\n");
}

TEST(SnippetStore, ImportStopsAtTheFirstFailure) {
    TempDir src, dir;
    const std::string a = src.Write("a.sqs", "a\n");
    const std::string c = src.Write("c.sqs", "c\n");
    SnippetStore store(dir.Path());
    EXPECT_EQ(store.Import({a, src.Path("missing.sqs"), c}), 1u);
    EXPECT_TRUE(fs::exists(dir.Path("a.txt")));
    EXPECT_FALSE(fs::exists(dir.Path("c.txt")));
    {
        ReadOnlyFolder ro(dir.Path());
        EXPECT_EQ(store.Import({c}), 0u);
    }
    EXPECT_FALSE(fs::exists(dir.Path("c.txt")));
}

TEST(SnippetStore, RemoveDeletesAndFailsQuietlyOtherwise) {
    TempDir dir;
    dir.Write("a.txt", "a");
    dir.Write("b.txt", "b");
    dir.Write("locked.txt", "l");
    fs::permissions(dir.Path("locked.txt"), fs::perms::owner_read);
    SnippetStore store(dir.Path());
    EXPECT_TRUE(store.Remove("a"));
    EXPECT_FALSE(fs::exists(dir.Path("a.txt")));
    EXPECT_FALSE(store.Remove("a"));
    EXPECT_FALSE(store.Remove("locked"));
    EXPECT_TRUE(fs::exists(dir.Path("locked.txt")));
    ReadOnlyFolder ro(dir.Path());
    EXPECT_FALSE(store.Remove("b"));
    EXPECT_TRUE(fs::exists(dir.Path("b.txt")));
}

TEST(SnippetStore, RenameKeepsTheOldNameOnAnyFailure) {
    TempDir dir;
    dir.Write("a.txt", "A");
    dir.Write("b.txt", "B");
    SnippetStore store(dir.Path());
    EXPECT_FALSE(store.Rename("a", "b"));  // taken: nothing is replaced
    EXPECT_EQ(TempDir::Read(dir.Path("b.txt")), "B");
    EXPECT_FALSE(store.Rename("a", ""));
    EXPECT_FALSE(store.Rename("a", "a"));
    EXPECT_FALSE(store.Rename("a", "x/y"));
    EXPECT_FALSE(store.Rename("missing", "z"));
    EXPECT_EQ(TempDir::Read(dir.Path("a.txt")), "A");
    {
        ReadOnlyFolder ro(dir.Path());
        EXPECT_FALSE(store.Rename("a", "c"));
    }
    EXPECT_TRUE(fs::exists(dir.Path("a.txt")));
    EXPECT_TRUE(store.Rename("a", "A"));  // letter case alone is a new name
    EXPECT_EQ(TempDir::Read(dir.Path("A.txt")), "A");
    EXPECT_FALSE(fs::exists(dir.Path("a.txt")));
}

TEST(SnippetStore, FreeTextSnippetNameFillsTheFirstGapUpToFifty) {
    TempDir dir;
    SnippetStore store(dir.Path());
    EXPECT_EQ(store.FreeTextSnippetName(), "Text Snippet 1");
    dir.Write("Text Snippet 1.txt", "");
    dir.Write("Text Snippet 3.txt", "");
    EXPECT_EQ(store.FreeTextSnippetName(), "Text Snippet 2");
    for (int n = 1; n <= 50; ++n) dir.Write("Text Snippet " + std::to_string(n) + ".txt", "");
    EXPECT_EQ(store.FreeTextSnippetName(), "");
}
