#include "core/options/xdgfiletypes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/options/mimetypes.h"
#include "core/platform/memoryregistry.h"
#include "support/tempdir.h"

using namespace qm;

namespace {
// A user's XDG tree in a temporary folder, with one system data folder beside it.
class XdgMirror : public ::testing::Test {
protected:
    XdgMirror() : mirror(Dirs(), "/opt/Quill mark/quillmark", [this](const std::string& f) { updates.push_back(f); }) {}
    XdgDirs Dirs() const { return {tmp.Path("data"), tmp.Path("config"), {tmp.Path("system")}}; }
    std::string MimeApps() const { return TempDir::Read(mirror.MimeAppsPath()); }
    std::optional<std::string> Default(const std::string& type) const { return MimeAppsDefault(MimeApps(), type); }
    bool Exists(const std::string& p) const { return std::filesystem::exists(p); }

    TempDir tmp;
    MemoryRegistry reg;
    std::vector<std::string> updates;
    XdgFileTypes mirror;
};
}  // namespace

TEST(MimeAppsList, ReadsOnlyTheDefaultApplicationsGroup) {
    const std::string text =
        "[Added Associations]\ntext/plain=a.desktop;\n\n[Default Applications]\n# note\n"
        "text/html = firefox.desktop;other.desktop\ntext/plain=gedit.desktop;\n";
    EXPECT_EQ(MimeAppsDefault(text, "text/plain"), "gedit.desktop;");
    EXPECT_EQ(MimeAppsDefault(text, "text/html"), "firefox.desktop;other.desktop");
    EXPECT_FALSE(MimeAppsDefault(text, "text/csv"));
    EXPECT_FALSE(MimeAppsDefault("", "text/plain"));
}

TEST(MimeAppsList, SettingKeepsEveryOtherLineAndAddsTheGroupWhenMissing) {
    const std::string text = "# mine\n[Default Applications]\ntext/html=b.desktop\n\n[Removed Associations]\nx=y\n";
    EXPECT_EQ(SetMimeAppsDefault(text, "text/plain", "q.desktop;"),
              "# mine\n[Default Applications]\ntext/html=b.desktop\ntext/plain=q.desktop;\n\n[Removed Associations]\nx=y\n");
    EXPECT_EQ(SetMimeAppsDefault(text, "text/html", "q.desktop;"),
              "# mine\n[Default Applications]\ntext/html=q.desktop;\n\n[Removed Associations]\nx=y\n");
    EXPECT_EQ(SetMimeAppsDefault(text, "text/html", std::nullopt),
              "# mine\n[Default Applications]\n\n[Removed Associations]\nx=y\n");
    EXPECT_EQ(SetMimeAppsDefault("[Added Associations]\nx=y\n", "t/a", "q.desktop;"),
              "[Added Associations]\nx=y\n\n[Default Applications]\nt/a=q.desktop;\n");
    EXPECT_EQ(SetMimeAppsDefault("", "t/a", "q;"), "[Default Applications]\nt/a=q;\n");
    // A duplicate line for the type would give the old answer to some readers; it goes.
    EXPECT_EQ(SetMimeAppsDefault("[Default Applications]\nt/a=x\nt/a=y\n", "t/a", "q;"), "[Default Applications]\nt/a=q;\n");
}

TEST_F(XdgMirror, AssociatingInstallsTheTypeAndTheEntryAndGivingBackRestoresNothingWasThere) {
    ASSERT_TRUE(mirror.SetFileTypeAssociation(reg, DocKind::Script, true));
    EXPECT_EQ(Default("text/x-varnholt-script"), "quillmark.desktop;");
    const std::string package = TempDir::Read(tmp.Path("data/mime/packages/quillmark-script.xml"));
    EXPECT_NE(package.find("<mime-type type=\"text/x-varnholt-script\">"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.sqs\"/>"), std::string::npos);
    EXPECT_EQ(updates, std::vector<std::string>{tmp.Path("data/mime")});
    const std::string entry = TempDir::Read(tmp.Path("data/applications/quillmark.desktop"));
    EXPECT_NE(entry.find("Exec=\"/opt/Quill mark/quillmark\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("text/x-varnholt-script;"), std::string::npos);

    ASSERT_TRUE(mirror.SetFileTypeAssociation(reg, DocKind::Script, false));
    EXPECT_FALSE(Default("text/x-varnholt-script"));
    EXPECT_FALSE(Exists(tmp.Path("data/mime/packages/quillmark-script.xml")));
    EXPECT_EQ(updates.size(), 2u);
    EXPECT_EQ(reg.ValueCount(), 0u);
}

TEST_F(XdgMirror, GivingBackRestoresThePreviousHandlerExactly) {
    const std::string before = "[Default Applications]\ntext/plain=gedit.desktop;kate.desktop;\ntext/html=ff.desktop\n";
    tmp.Write("config/mimeapps.list", before);
    mirror.SetFileTypeAssociation(reg, DocKind::Text, true);
    EXPECT_EQ(Default("text/plain"), "quillmark.desktop;");
    EXPECT_FALSE(Exists(tmp.Path("data/mime/packages")));  // text/plain is the system's type
    EXPECT_TRUE(updates.empty());
    mirror.SetFileTypeAssociation(reg, DocKind::Text, false);
    EXPECT_EQ(MimeApps(), before);
}

TEST_F(XdgMirror, APreviousHandlerThatCouldNotBePutBackIsKeptForTheNextTry) {
    const std::string before = "[Default Applications]\ntext/plain=gedit.desktop;\n";
    tmp.Write("config/mimeapps.list", before);
    ASSERT_TRUE(mirror.SetFileTypeAssociation(reg, DocKind::Text, true));
    const std::string ours = MimeApps();

    namespace fs = std::filesystem;
    fs::permissions(mirror.MimeAppsPath(), fs::perms::owner_read);  // refused even for the superuser
    EXPECT_FALSE(mirror.SetFileTypeAssociation(reg, DocKind::Text, false));
    EXPECT_EQ(MimeApps(), ours);
    fs::permissions(mirror.MimeAppsPath(), fs::perms::owner_read | fs::perms::owner_write);
    fs::rename(mirror.MimeAppsPath(), tmp.Path("list"));
    tmp.Write("config/mimeapps.list/oops", "a folder where the list should be");
    EXPECT_FALSE(mirror.SetFileTypeAssociation(reg, DocKind::Text, false));

    fs::remove_all(mirror.MimeAppsPath());
    fs::rename(tmp.Path("list"), mirror.MimeAppsPath());
    EXPECT_TRUE(mirror.SetFileTypeAssociation(reg, DocKind::Text, false));
    EXPECT_EQ(MimeApps(), before);
    EXPECT_EQ(reg.ValueCount(), 0u);
}

TEST_F(XdgMirror, AssociatingTwiceKeepsTheFirstPreviousHandler) {
    tmp.Write("config/mimeapps.list", "[Default Applications]\ntext/csv=calc.desktop\n");
    mirror.SetFileTypeAssociation(reg, DocKind::StringTable, true);
    mirror.SetFileTypeAssociation(reg, DocKind::StringTable, true);
    mirror.SetFileTypeAssociation(reg, DocKind::StringTable, false);
    EXPECT_EQ(Default("text/csv"), "calc.desktop");
}

TEST_F(XdgMirror, AHandlerThatTookOverInBetweenIsWhatGivingBackLeaves) {
    tmp.Write("config/mimeapps.list", "[Default Applications]\ntext/x-varnholt-function=first.desktop;\n");
    mirror.SetFileTypeAssociation(reg, DocKind::Function, true);
    // Another program takes the type; associating again makes it the one to give back to.
    tmp.Write("config/mimeapps.list", "[Default Applications]\ntext/x-varnholt-function=second.desktop;\n");
    mirror.SetFileTypeAssociation(reg, DocKind::Function, true);
    EXPECT_EQ(Default("text/x-varnholt-function"), "quillmark.desktop;");
    mirror.SetFileTypeAssociation(reg, DocKind::Function, false);
    EXPECT_EQ(Default("text/x-varnholt-function"), "second.desktop;");

    // Taken over after the program had it: the user's newer choice stays when giving back.
    mirror.SetFileTypeAssociation(reg, DocKind::Function, true);
    tmp.Write("config/mimeapps.list", "[Default Applications]\ntext/x-varnholt-function=third.desktop;\n");
    mirror.SetFileTypeAssociation(reg, DocKind::Function, false);
    EXPECT_EQ(Default("text/x-varnholt-function"), "third.desktop;");
    EXPECT_EQ(reg.ValueCount(), 0u);
}

TEST_F(XdgMirror, AnInstalledDesktopEntryIsNotCopiedAndTheUnchangedPackageNotRewritten) {
    tmp.Write("system/applications/quillmark.desktop", "[Desktop Entry]\n");
    mirror.SetFileTypeAssociation(reg, DocKind::Description, true);
    EXPECT_FALSE(Exists(tmp.Path("data/applications/quillmark.desktop")));
    EXPECT_EQ(Default("text/x-varnholt-description"), "quillmark.desktop;");
    mirror.SetFileTypeAssociation(reg, DocKind::Description, true);
    EXPECT_EQ(updates.size(), 1u);
}

TEST_F(XdgMirror, AnUnreadableListIsNotReplaced) {
    tmp.Write("config/mimeapps.list/oops", "a folder where the list should be");
    EXPECT_FALSE(mirror.SetFileTypeAssociation(reg, DocKind::Script, true));
    EXPECT_TRUE(Exists(tmp.Path("config/mimeapps.list/oops")));
}

TEST(XdgDirsFromEnvironment, FallsBackToHomeAndIgnoresRelativeValues) {
    const char* names[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"};
    std::vector<std::optional<std::string>> saved;
    for (const char* n : names) saved.push_back(std::getenv(n) ? std::optional<std::string>(std::getenv(n)) : std::nullopt);

    setenv("HOME", "/home/u/", 1);
    setenv("XDG_DATA_HOME", "relative", 1);
    setenv("XDG_CONFIG_HOME", "/cfg/", 1);
    setenv("XDG_DATA_DIRS", "/a:rel:/b/", 1);
    XdgDirs d = XdgDirsFromEnvironment();
    EXPECT_EQ(d.dataHome, "/home/u/.local/share");
    EXPECT_EQ(d.configHome, "/cfg");
    EXPECT_EQ(d.dataDirs, (std::vector<std::string>{"/a", "/b"}));
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(XdgDirsFromEnvironment().Usable());

    for (size_t i = 0; i < saved.size(); ++i)
        saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}

TEST(DesktopEntry, ExecQuotesAndEscapesOnlyPathsThatNeedIt) {
    // A plain path stays bare, as xdg-open and xdg-mime read the program's name literally.
    EXPECT_EQ(DesktopExecArgument("/usr/bin/quillmark"), "/usr/bin/quillmark");
    EXPECT_EQ(DesktopExecArgument("/opt/q-1.0/100%/quillmark"), "/opt/q-1.0/100%%/quillmark");
    EXPECT_EQ(DesktopExecArgument(""), "\"\"");
    EXPECT_EQ(DesktopExecArgument("/home/o'neil/quillmark"), "\"/home/o'neil/quillmark\"");
    EXPECT_EQ(DesktopExecArgument("/a b/$x\"y`z\\w%1"), "\"/a b/\\\\$x\\\\\"y\\\\`z\\\\\\\\w%%1\"");
    const std::string all = MimePackageTextAll();
    EXPECT_NE(all.find("text/x-varnholt-description"), std::string::npos);
    EXPECT_EQ(all.find("text/plain\">"), std::string::npos);  // the system's types are not redefined
}
