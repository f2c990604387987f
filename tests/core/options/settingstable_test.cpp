#include "core/options/settingstable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "core/platform/memoryregistry.h"

using namespace qm;

namespace {
SettingDefaults Defaults() { return {1920, 1080, "/p/snippets/", "/home/u/Quillmark Backup/", "/p/comref/comref.html"}; }
}

TEST(SettingsTable, EmptyRegistryGivesTheDefaults) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    FrameSettings s = ReadFrameSettings(profile, Defaults());
    EXPECT_EQ(s.m_winX, 560);
    EXPECT_EQ(s.m_winY, 240);
    EXPECT_EQ(s.m_winWidth, 800);
    EXPECT_EQ(s.m_winHeight, 600);
    EXPECT_EQ(s.m_mrus, 6);
    EXPECT_EQ(s.m_firstRun, 1);
    EXPECT_EQ(s.m_regSQS, 0);
    EXPECT_EQ(s.m_remarkColour, 0x008000);
    EXPECT_EQ(s.m_programmingColour, 0xFF0000);
    EXPECT_EQ(s.m_fontName, "Courier New");
    EXPECT_EQ(s.m_snippetDir, "/p/snippets/");
    EXPECT_EQ(s.m_backupDir, "/home/u/Quillmark Backup/");
    EXPECT_EQ(s.m_comRefPath, "/p/comref/comref.html");
}

TEST(SettingsTable, EveryEntryRoundTripsThroughTheRegistry) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    FrameSettings s;
    int v = 0;
    for (const auto& e : SettingsTable()) {
        // A value in range and unlike the neighbours' where the range allows it.
        if (e.intMember) s.*e.intMember = e.maxValue > 1 ? std::min(e.maxValue, e.minValue + 1 + v++) : 1 - e.defaultInt;
        if (e.textMember) s.*e.textMember = std::string(e.name) + "-value";
    }
    WriteFrameSettings(profile, s, 0, true);
    FrameSettings back = ReadFrameSettings(profile, Defaults());
    for (const auto& e : SettingsTable()) {
        if (e.owner != SettingOwner::Frame) continue;
        if (e.intMember) {
            EXPECT_EQ(back.*e.intMember, s.*e.intMember) << e.name;
        }
        if (e.textMember) {
            EXPECT_EQ(back.*e.textMember, s.*e.textMember) << e.name;
        }
    }
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "Resistance", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "CustomMenus", -1), s.m_customMenus);
    EXPECT_EQ(SettingsTable().size(), 50u);
}

TEST(SettingsTable, WritesInClosingOrderWithSnippetPlacementLast) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    WriteFrameSettings(profile, FrameSettings{}, 1, true);
    const auto& log = reg.WriteLog();
    const std::string k = "Software\\Tarnwell\\Quillmark\\Settings\\";
    ASSERT_EQ(log.size(), 50u);
    EXPECT_EQ(log[0], k + "WinX");
    EXPECT_EQ(log[4], k + "NewFile");
    EXPECT_EQ(log[13], k + "Resistance");
    EXPECT_EQ(log[29], k + "CustomMenus");
    EXPECT_EQ(log[41], k + "ComRefDir");
    EXPECT_EQ(log[42], k + "PagePreview");
    EXPECT_EQ(log[43], k + "LineNumbers");
    EXPECT_EQ(log[44], k + "TabWidth");
    EXPECT_EQ(log[45], k + "ReopenLast");
    EXPECT_EQ(log[46], k + "ProblemsBar");
    EXPECT_EQ(log[47], k + "AutoComplete");
    EXPECT_EQ(log[48], k + "SnippetX");
    EXPECT_EQ(log[49], k + "SnippetY");
}

TEST(SettingsTable, PlacementIsNotWrittenWhenMaximised) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    profile.WriteProfileInt(kSettingsSection, "WinX", 7);
    FrameSettings s;
    s.m_winX = 99;
    WriteFrameSettings(profile, s, 1, false);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "WinX", 0), 7);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "WinWidth", -1), -1);
}

TEST(SettingsTable, ProjectFilesWriteAllSixteenSlots) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    std::vector<std::string> files(16);
    files[3] = "/m/init.sqs";
    WriteProjectFiles(profile, files);
    EXPECT_EQ(reg.WriteLog().size(), 16u);
    EXPECT_EQ(reg.WriteLog().back(), "Software\\Tarnwell\\Quillmark\\Project Files\\File15");
    EXPECT_EQ(ReadProjectFiles(profile), files);
}

TEST(SettingsRanges, EveryIntegerSettingTakesItsRangeAndFallsBackOutsideIt) {
    const SettingDefaults d = Defaults();
    for (const auto& e : SettingsTable()) {
        if (e.type == SettingType::Text) continue;
        SCOPED_TRACE(e.name);
        ASSERT_LE(e.minValue, e.maxValue);
        const int def = DefaultInt(e, d);
        EXPECT_TRUE(InSettingRange(e, def));
        EXPECT_EQ(ValidSettingInt(e, e.minValue, d), e.minValue);
        EXPECT_EQ(ValidSettingInt(e, e.maxValue, d), e.maxValue);
        EXPECT_EQ(ValidSettingInt(e, e.minValue - 1, d), def);
        EXPECT_EQ(ValidSettingInt(e, e.maxValue + 1, d), def);
        EXPECT_EQ(ValidSettingInt(e, INT_MIN, d), def);
        EXPECT_EQ(ValidSettingInt(e, INT_MAX, d), def);
    }
}

TEST(SettingsRanges, TheRangesTheOptionsSheetOffers) {
    auto range = [](const char* n) { return std::pair(FindSetting(n)->minValue, FindSetting(n)->maxValue); };
    EXPECT_EQ(range("FontSize"), std::pair(6, 24));
    EXPECT_EQ(range("MRUs"), std::pair(0, 16));
    EXPECT_EQ(range("NewFile"), std::pair(0, 2));
    EXPECT_EQ(range("Resistance"), std::pair(0, 1));
    EXPECT_EQ(range("CustomMenus"), std::pair(0, 1));
    EXPECT_EQ(range("BKColor"), std::pair(0, 0xFFFFFF));
}

TEST(SettingsRanges, AbsurdValuesReadAsDefaultsAndAreWrittenBackAsDefaults) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    for (int bad : {0, -3, INT_MAX}) {
        profile.WriteProfileInt(kSettingsSection, "FontSize", bad);
        EXPECT_EQ(ReadFrameSettings(profile, Defaults()).m_fontSize, 10) << bad;
    }
    profile.WriteProfileInt(kSettingsSection, "MRUs", 17);
    profile.WriteProfileInt(kSettingsSection, "NewFile", 3);
    profile.WriteProfileInt(kSettingsSection, "ToolBar", 2);
    profile.WriteProfileInt(kSettingsSection, "RemColor", -1);
    profile.WriteProfileInt(kSettingsSection, "BKColor", 0x1000000);
    profile.WriteProfileInt(kSettingsSection, "WinWidth", 0);
    profile.WriteProfileString(kSettingsSection, "Font", "");
    FrameSettings s = ReadFrameSettings(profile, Defaults());
    EXPECT_EQ(s.m_mrus, 6);
    EXPECT_EQ(s.m_newFile, 1);
    EXPECT_EQ(s.m_toolBar, 1);
    EXPECT_EQ(s.m_remarkColour, 0x008000);
    EXPECT_EQ(s.m_backgroundColour, 0xFFFFFF);
    EXPECT_EQ(s.m_winWidth, 800);
    EXPECT_EQ(s.m_fontName, "Courier New");

    WriteFrameSettings(profile, s, 1, true);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "FontSize", 0), 10);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "MRUs", 0), 6);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "RemColor", 0), 0x008000);

    // The application's own four go through the same check.
    profile.WriteProfileInt(kSettingsSection, "Resistance", 5);
    profile.WriteProfileInt(kSettingsSection, "NewFile", -1);
    profile.WriteProfileInt(kSettingsSection, "AppMax", 1);
    EXPECT_EQ(ReadSettingInt(profile, "Resistance"), 1);
    EXPECT_EQ(ReadSettingInt(profile, "NewFile"), 1);
    EXPECT_EQ(ReadSettingInt(profile, "AppMax"), 1);
    EXPECT_EQ(ReadSettingInt(profile, "CustomMenus"), 1);
}

TEST(SettingsRanges, WindowPlacementOffEveryScreenGoesBackToTheDefault) {
    const SettingDefaults d = Defaults();
    const std::vector<ScreenRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    FrameSettings s;
    s.m_winX = 2500, s.m_winY = 100, s.m_winWidth = 700, s.m_winHeight = 500;
    KeepPlacementOnScreens(s, screens, d);
    EXPECT_EQ(s.m_winX, 2500);  // on the second screen: kept

    s.m_winX = -650;  // only 50 pixels of its caption show: too little to grab
    KeepPlacementOnScreens(s, screens, d);
    EXPECT_EQ(s.m_winX, 560);
    EXPECT_EQ(s.m_winY, 240);
    EXPECT_EQ(s.m_winWidth, 800);

    for (auto [x, y] : {std::pair(32000, 100), std::pair(100, 1075), std::pair(100, -30), std::pair(3300, 1020)}) {
        s.m_winX = x, s.m_winY = y, s.m_winWidth = 700, s.m_winHeight = 500;
        KeepPlacementOnScreens(s, screens, d);
        EXPECT_EQ(s.m_winX, 560) << x << "," << y;
    }
    s.m_winX = 32000;
    KeepPlacementOnScreens(s, {}, d);  // no screen known: nothing to judge by
    EXPECT_EQ(s.m_winX, 32000);
}

TEST(SettingsRanges, AWindowLargerThanItsScreenOrReachingPastItIsClampedToIt) {
    const std::vector<ScreenRect> screens{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
    const auto clamp = [&](ScreenRect w) {
        const ScreenRect r = ClampToScreens(w, screens);
        return std::vector<int>{r.x, r.y, r.width, r.height};
    };
    EXPECT_EQ(clamp({40, 30, 32000, 32000}), (std::vector<int>{0, 0, 1920, 1040}));
    EXPECT_EQ(clamp({2000, 500, 32000, 900}), (std::vector<int>{1920, 124, 1280, 900}));  // the second screen
    EXPECT_EQ(clamp({1500, 100, 800, 600}), (std::vector<int>{1120, 100, 800, 600}));     // most of it on the first
    EXPECT_EQ(clamp({-32000, -32000, 300, 200}), (std::vector<int>{0, 0, 300, 200}));    // off both: the nearest
    EXPECT_EQ(clamp({100, 100, 700, 500}), (std::vector<int>{100, 100, 700, 500}));
    EXPECT_EQ(ClampToScreens({32000, 32000, 32000, 32000}, {}).width, 32000);  // nothing to judge by

    // The stored placement goes through it after the off-screen check.
    FrameSettings s;
    s.m_winX = 40, s.m_winY = 30, s.m_winWidth = 32000, s.m_winHeight = 32000;
    KeepPlacementOnScreens(s, screens, Defaults());
    EXPECT_EQ((std::vector<int>{s.m_winX, s.m_winY, s.m_winWidth, s.m_winHeight}), (std::vector<int>{0, 0, 1920, 1040}));
}
