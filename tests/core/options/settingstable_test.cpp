#include "core/options/settingstable.h"

#include <gtest/gtest.h>

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
    int v = 100;
    for (const auto& e : SettingsTable()) {
        if (e.intMember) s.*e.intMember = ++v;
        if (e.textMember) s.*e.textMember = std::string(e.name) + "-value";
    }
    WriteFrameSettings(profile, s, 0, true);
    FrameSettings back = ReadFrameSettings(profile, Defaults());
    for (const auto& e : SettingsTable()) {
        if (e.owner != SettingOwner::Frame) continue;
        if (e.intMember) EXPECT_EQ(back.*e.intMember, s.*e.intMember) << e.name;
        if (e.textMember) EXPECT_EQ(back.*e.textMember, s.*e.textMember) << e.name;
    }
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "Resistance", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(kSettingsSection, "CustomMenus", -1), s.m_customMenus);
    EXPECT_EQ(SettingsTable().size(), 44u);
}

TEST(SettingsTable, WritesInClosingOrderWithSnippetPlacementLast) {
    MemoryRegistry reg;
    AppProfile profile(reg);
    WriteFrameSettings(profile, FrameSettings{}, 1, true);
    const auto& log = reg.WriteLog();
    const std::string k = "Software\\Tarnwell\\Quillmark\\Settings\\";
    ASSERT_EQ(log.size(), 44u);
    EXPECT_EQ(log[0], k + "WinX");
    EXPECT_EQ(log[4], k + "NewFile");
    EXPECT_EQ(log[13], k + "Resistance");
    EXPECT_EQ(log[29], k + "CustomMenus");
    EXPECT_EQ(log[41], k + "ComRefDir");
    EXPECT_EQ(log[42], k + "SnippetX");
    EXPECT_EQ(log[43], k + "SnippetY");
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
