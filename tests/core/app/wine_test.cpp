#include <gtest/gtest.h>

#include "core/app/gameregistry.h"
#include "core/app/wineprefix.h"
#include "core/app/wineregistry.h"
#include "core/frames/gamelaunch.h"
#include "core/platform/memoryregistry.h"
#include "support/tempdir.h"

using namespace qm;

namespace {
// As Wine writes them: backslashes doubled in keys and strings, non-ASCII as "\x" UTF-16 units.
const char* kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n#arch=win64\n\n"
    "[Software\\\\Wow6432Node\\\\Pellgrave\\\\Varnholt] 1700000000\n"
    "#time=1d9f0c1e2a3b4c5\n"
    "\"Bin\"=hex:01,02,03,\\\n  04,05\n"
    "\"MAIN\"=\"C:\\\\Games\\\\Pellgrave\\\\Varnholt\"\n"
    "\"Version\"=dword:000001be\n"
    "\n"
    "[Software\\\\Other] 1700000000\n"
    "\"MAIN\"=\"C:\\\\Wrong\"\n";
const char* kUserReg =
    "WINE REGISTRY Version 2\r\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\r\n"
    "\r\n"
    "[Software\\\\Pellgrave\\\\Varnholt] 1700000000\r\n"
    "\"Player Name\"=\"Sgt \\x00c9mile \\\"Kell\\\"\"\r\n";
}  // namespace

TEST(WineRegistry, ReadsStringsThroughTheFilesEscapes) {
    const std::string text =
        "WINE REGISTRY Version 2\n"
        "[Software\\\\A\\]B] 1\n"
        "@=\"default\"\n"
        "\"Plain\"=\"a\\\\b\\\"c\"\n"
        "\"Hex\"=\"\\xe9t\\x00e9a\\xd83d\\xde00\"\n"  // é, é before a hex digit, a surrogate pair
        "\"Lone\"=\"\\xd83dx\"\n"
        "\"Ctrl\"=\"a\\tb\\nc\\101\"\n"
        "\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\n"
        "\"Nul\"=\"ab\\0cd\"\n"
        "\"Num\"=\"first\"\n"
        "\"Num\"=dword:00000001\n"
        "\"Cut\"=\"no end\n"
        "\"Bad\"\n"
        "garbage line\n";
    const WineRegistryFile f = ParseWineRegistry(text);
    ASSERT_TRUE(f.IsValid());
    const std::string key = "SOFTWARE\\a]b";  // keys and names compare without case
    EXPECT_EQ(f.GetString(key, ""), "default");
    EXPECT_EQ(f.GetString(key, "plain"), "a\\b\"c");
    EXPECT_EQ(f.GetString(key, "Hex"), "\xC3\xA9t\xC3\xA9" "a\xF0\x9F\x98\x80");
    EXPECT_EQ(f.GetString(key, "Lone"), "\xEF\xBF\xBDx");
    EXPECT_EQ(f.GetString(key, "Ctrl"), "a\tb\ncA");
    EXPECT_EQ(f.GetString(key, "Expand"), "%SystemRoot%\\x");
    EXPECT_EQ(f.GetString(key, "Nul"), "ab");
    EXPECT_FALSE(f.GetString(key, "Num"));  // a later DWORD replaces the string
    EXPECT_FALSE(f.GetString(key, "Cut"));
    EXPECT_FALSE(f.GetString("Software\\Missing", "Plain"));
}

TEST(WineRegistry, DamagedOrForeignFilesFindNothing) {
    EXPECT_FALSE(ParseWineRegistry("").IsValid());
    EXPECT_FALSE(ParseWineRegistry(std::string("\x89PNG\r\n\x1a\n\0\0[a]\n\"x\"=\"y\"\n", 22)).IsValid());
    EXPECT_FALSE(ParseWineRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"b\"\n").GetString("Software", "a"));
    // Cut off in the middle: what came before the damage stays readable.
    const WineRegistryFile cut = ParseWineRegistry("WINE REGISTRY Version 2\n[A] 1\n\"x\"=\"1\"\n[B\\\\C");
    EXPECT_EQ(cut.GetString("a", "x"), "1");
    EXPECT_FALSE(cut.GetString("b\\c", "x"));
}

TEST(WinePrefix, PrefixFolderAndPathsIntoIt) {
    EXPECT_EQ(WinePrefixFolder(std::string("/srv/pfx"), "/home/u/"), "/srv/pfx/");
    EXPECT_EQ(WinePrefixFolder(std::string(""), "/home/u"), "/home/u/.wine/");
    EXPECT_EQ(WinePrefixFolder(std::nullopt, "/home/u/"), "/home/u/.wine/");

    EXPECT_EQ(MapWindowsPath("C:\\Games\\Varnholt", "/p/"), "/p/drive_c/Games/Varnholt");
    EXPECT_EQ(MapWindowsPath("c:/Games//x\\", "/p/"), "/p/drive_c/Games/x");
    EXPECT_EQ(MapWindowsPath("D:\\Varnholt", "/p/"), "/p/dosdevices/d:/Varnholt");
    EXPECT_EQ(MapWindowsPath("C:\\..\\..\\etc\\.\\passwd", "/p/"), "/p/drive_c/etc/passwd");  // ".." stops at C:\ .
    for (const char* notOnADrive : {"", "Games\\Varnholt", "\\\\server\\share\\Varnholt", "C:Games", "1:\\x"})
        EXPECT_EQ(MapWindowsPath(notOnADrive, "/p/"), "") << notOnADrive;
}

TEST(WinePrefix, GameFoundInAFakePrefix) {
    TempDir prefix;
    prefix.Write("system.reg", kSystemReg);
    prefix.Write("user.reg", kUserReg);
    // The game's folder exists in other letter case than the registry writes it.
    std::filesystem::create_directories(prefix.Path("drive_c/games/PELLGRAVE/Varnholt"));

    const WineGameKeys keys = ReadWineGameKeys(prefix.Path());
    EXPECT_EQ(keys.folder, "C:\\Games\\Pellgrave\\Varnholt");
    EXPECT_EQ(keys.player, "Sgt \xC3\x89mile \"Kell\"");

    MemoryRegistry own;
    const GameLocation game = LocateGame(own, prefix.Path());
    EXPECT_EQ(game.folder, prefix.Path("drive_c/games/PELLGRAVE/Varnholt"));
    EXPECT_EQ(game.player, keys.player);
    EXPECT_EQ(game.winePrefix, prefix.Path());

    // Our own registry comes first, value by value; the game then is no Wine game.
    own.WriteString(Hive::LocalMachine, kGameRegistryKey, "MAIN", "/opt/varnholt");
    const GameLocation native = LocateGame(own, prefix.Path());
    EXPECT_EQ(native.folder, "/opt/varnholt");
    EXPECT_EQ(native.player, keys.player);
    EXPECT_EQ(native.winePrefix, "");
}

TEST(WinePrefix, OnlyTheFileOfAValueAskedForIsRead) {
    TempDir prefix;
    prefix.Write("system.reg", kSystemReg);
    prefix.Write("user.reg", kUserReg);
    std::filesystem::create_directories(prefix.Path("drive_c/Games/Pellgrave/Varnholt"));
    const std::string player = "Sgt \xC3\x89mile \"Kell\"";

    EXPECT_EQ(ReadWineGameKeys(prefix.Path(), kGamePlayer).folder, "");
    EXPECT_EQ(ReadWineGameKeys(prefix.Path(), kGamePlayer).player, player);
    EXPECT_EQ(ReadWineGameKeys(prefix.Path(), kGameFolder).player, "");
    MemoryRegistry own;
    GameLocation g = LocateGame(own, prefix.Path(), kGamePlayer);
    EXPECT_EQ(g.folder, "");
    EXPECT_EQ(g.winePrefix, "");
    EXPECT_EQ(g.player, player);
    g = LocateGame(own, prefix.Path(), kGameFolder);
    EXPECT_EQ(g.folder, prefix.Path("drive_c/Games/Pellgrave/Varnholt"));
    EXPECT_EQ(g.player, "");

    // A value not asked for stays empty even when our own registry holds it.
    own.WriteString(Hive::LocalMachine, kGameRegistryKey, "MAIN", "/opt/varnholt");
    EXPECT_EQ(LocateGame(own, prefix.Path(), kGamePlayer).folder, "");
}

TEST(WinePrefix, MissingKeysFilesAndDamagedFiles) {
    TempDir prefix;
    MemoryRegistry own;
    EXPECT_EQ(LocateGame(own, prefix.Path()).folder, "");  // no registry files at all
    EXPECT_EQ(LocateGame(own, "").folder, "");

    prefix.Write("system.reg", "WINE REGISTRY Version 2\n[Software\\\\Pellgrave] 1\n\"MAIN\"=\"C:\\\\x\"\n");
    prefix.Write("user.reg", std::string("\0\0\xff\xfe garbage", 13));
    GameLocation g = LocateGame(own, prefix.Path());
    EXPECT_EQ(g.folder, "");
    EXPECT_EQ(g.player, "");
    EXPECT_EQ(g.winePrefix, "");

    // A damaged user.reg does not hide the game's folder.
    prefix.Write("system.reg", kSystemReg);
    g = LocateGame(own, prefix.Path());
    EXPECT_EQ(g.folder, prefix.Path("drive_c/Games/Pellgrave/Varnholt"));
    EXPECT_EQ(g.player, "");

    // A folder that is no Windows path is not guessed at.
    prefix.Write("system.reg", "WINE REGISTRY Version 2\n[Software\\\\Pellgrave\\\\Varnholt] 1\n\"MAIN\"=\"Varnholt\"\n");
    g = LocateGame(own, prefix.Path());
    EXPECT_EQ(g.folder, "");
    EXPECT_EQ(g.winePrefix, "");
}

TEST(WinePrefix, APlayerNameThatIsNoFolderNameNamesNoPlayerAndNoMissionFolderLeavesThePrefix) {
    TempDir prefix;
    prefix.Write("system.reg", kSystemReg);
    MemoryRegistry own;
    for (const char* bad : {"..\\\\..\\\\..", "../../etc", "..", ".", "a/b", "C:x", "a\\\\b"}) {
        prefix.Write("user.reg", std::string("WINE REGISTRY Version 2\n[Software\\\\Pellgrave\\\\Varnholt] 1\n"
                                             "\"Player Name\"=\"") + bad + "\"\n");
        const GameLocation g = LocateGame(own, prefix.Path());
        EXPECT_EQ(g.player, "") << bad;
        EXPECT_EQ(MakeMissionCaptions(g.player).open, "") << bad;
    }
    // Our own registry's value is held to the same rule, and the prefix's then counts.
    own.WriteString(Hive::CurrentUser, kGameRegistryKey, "Player Name", "../x");
    prefix.Write("user.reg", kUserReg);
    EXPECT_EQ(LocateGame(own, prefix.Path()).player, "Sgt \xC3\x89mile \"Kell\"");

    GameLocation g = LocateGame(own, prefix.Path());
    EXPECT_EQ(GameMissionFolder(g), g.folder + "/Users/Sgt \xC3\x89mile \"Kell\"/Missions/");
    g.player = "../../../../..";
    EXPECT_EQ(GameMissionFolder(g), "");
    g.player = "Kell";
    g.folder = prefix.Path("drive_c/../../elsewhere");  // however the folder came to be
    EXPECT_EQ(GameMissionFolder(g), "");
    g.winePrefix = "";
    EXPECT_EQ(GameMissionFolder(g), g.folder + "/Users/Kell/Missions/");  // no prefix to stay in
}
