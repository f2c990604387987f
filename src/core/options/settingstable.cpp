#include "core/options/settingstable.h"

#include <cstring>

namespace qm {

namespace {
using S = FrameSettings;
constexpr auto F = SettingOwner::Frame;
constexpr auto A = SettingOwner::Application;
constexpr auto I = SettingType::Int;
constexpr auto C = SettingType::Colour;
constexpr auto T = SettingType::Text;

bool IsPlacement(const char* n) {
    return !std::strcmp(n, "WinX") || !std::strcmp(n, "WinY") || !std::strcmp(n, "WinWidth") ||
           !std::strcmp(n, "WinHeight");
}
bool IsSnippetPlacement(const char* n) { return !std::strcmp(n, "SnippetX") || !std::strcmp(n, "SnippetY"); }
}  // namespace

const std::vector<SettingEntry>& SettingsTable() {
    static const std::vector<SettingEntry> table = {
        {"WinX", I, F, &S::m_winX, nullptr, 0, nullptr},
        {"WinY", I, F, &S::m_winY, nullptr, 0, nullptr},
        {"WinWidth", I, F, &S::m_winWidth, nullptr, 800, nullptr},
        {"WinHeight", I, F, &S::m_winHeight, nullptr, 600, nullptr},
        {"SnippetX", I, F, &S::m_snippetX, nullptr, 0, nullptr},
        {"SnippetY", I, F, &S::m_snippetY, nullptr, 0, nullptr},
        {"NewFile", I, F, &S::m_newFile, nullptr, 1, nullptr},
        {"MRUs", I, F, &S::m_mrus, nullptr, 6, nullptr},
        {"AppMax", I, F, &S::m_appMax, nullptr, 0, nullptr},
        {"DocMax", I, F, &S::m_docMax, nullptr, 0, nullptr},
        {"ToolBar", I, F, &S::m_toolBar, nullptr, 1, nullptr},
        {"CommandBar", I, F, &S::m_commandBar, nullptr, 1, nullptr},
        {"StatusBar", I, F, &S::m_statusBar, nullptr, 1, nullptr},
        {"LabelsBar", I, F, &S::m_labelsBar, nullptr, 1, nullptr},
        {"Format", I, F, &S::m_format, nullptr, 1, nullptr},
        {"Resistance", I, A, nullptr, nullptr, 1, nullptr},
        {"FirstRun", I, F, &S::m_firstRun, nullptr, 1, nullptr},
        {"ShowSyntax", I, F, &S::m_showSyntax, nullptr, 1, nullptr},
        {"RegSQS", I, F, &S::m_regSQS, nullptr, 0, nullptr},
        {"RegEXT", I, F, &S::m_regEXT, nullptr, 0, nullptr},
        {"RegSQF", I, F, &S::m_regSQF, nullptr, 0, nullptr},
        {"RegCSV", I, F, &S::m_regCSV, nullptr, 0, nullptr},
        {"RegHTML", I, F, &S::m_regHTML, nullptr, 0, nullptr},
        {"RegTXT", I, F, &S::m_regTXT, nullptr, 0, nullptr},
        {"AddHeader", I, F, &S::m_addHeader, nullptr, 1, nullptr},
        {"BoldFonts", I, F, &S::m_boldFonts, nullptr, 0, nullptr},
        {"ShowUsers", I, F, &S::m_showUsers, nullptr, 1, nullptr},
        {"TrimMRU", I, F, &S::m_trimMRU, nullptr, 1, nullptr},
        {"Nosplash", I, F, &S::m_nosplash, nullptr, 1, nullptr},
        {"Window", I, F, &S::m_window, nullptr, 0, nullptr},
        {"Preview", I, F, &S::m_preview, nullptr, 1, nullptr},
        // The frame writes its copy; the application reads the value at start-up.
        {"CustomMenus", I, A, &S::m_customMenus, nullptr, 1, nullptr},
        {"FontSize", I, F, &S::m_fontSize, nullptr, 10, nullptr},
        {"TextColor", C, F, &S::m_textColour, nullptr, 0x000000, nullptr},
        {"RemColor", C, F, &S::m_remarkColour, nullptr, 0x008000, nullptr},
        {"ComColor", C, F, &S::m_commandColour, nullptr, 0x0000FF, nullptr},
        {"WeapColor", C, F, &S::m_itemColour, nullptr, 0xFF00FF, nullptr},
        {"SysColor", C, F, &S::m_programmingColour, nullptr, 0xFF0000, nullptr},
        {"VarColor", C, F, &S::m_variableColour, nullptr, 0x808080, nullptr},
        {"BKColor", C, F, &S::m_backgroundColour, nullptr, 0xFFFFFF, nullptr},
        {"Font", T, F, nullptr, &S::m_fontName, 0, "Courier New"},
        {"SnippetDir", T, F, nullptr, &S::m_snippetDir, 0, nullptr},
        {"BackupDir", T, F, nullptr, &S::m_backupDir, 0, nullptr},
        {"ComRefDir", T, F, nullptr, &S::m_comRefPath, 0, nullptr},
    };
    return table;
}

const SettingEntry* FindSetting(const std::string& name) {
    for (const auto& e : SettingsTable())
        if (name == e.name) return &e;
    return nullptr;
}

int DefaultInt(const SettingEntry& e, const SettingDefaults& d) {
    if (!std::strcmp(e.name, "WinX")) return d.screenWidth / 2 - 400;
    if (!std::strcmp(e.name, "WinY")) return d.screenHeight / 2 - 300;
    return e.defaultInt;
}

std::string DefaultText(const SettingEntry& e, const SettingDefaults& d) {
    if (!std::strcmp(e.name, "SnippetDir")) return d.snippetDir;
    if (!std::strcmp(e.name, "BackupDir")) return d.backupDir;
    if (!std::strcmp(e.name, "ComRefDir")) return d.comRefDir;
    return e.defaultText ? e.defaultText : "";
}

FrameSettings ReadFrameSettings(const AppProfile& profile, const SettingDefaults& defaults) {
    FrameSettings s;
    for (const auto& e : SettingsTable()) {
        if (e.owner != SettingOwner::Frame) continue;
        if (e.type == SettingType::Text)
            s.*e.textMember = profile.GetProfileString(kSettingsSection, e.name, DefaultText(e, defaults));
        else
            s.*e.intMember = profile.GetProfileInt(kSettingsSection, e.name, DefaultInt(e, defaults));
    }
    return s;
}

void WriteFrameSettings(AppProfile& profile, const FrameSettings& s, int expansionEdition, bool writePlacement) {
    for (const auto& e : SettingsTable()) {
        if (IsSnippetPlacement(e.name)) continue;
        if (IsPlacement(e.name) && !writePlacement) continue;
        if (e.type == SettingType::Text)
            profile.WriteProfileString(kSettingsSection, e.name, s.*e.textMember);
        else if (!e.intMember)
            profile.WriteProfileInt(kSettingsSection, e.name, expansionEdition);
        else
            profile.WriteProfileInt(kSettingsSection, e.name, s.*e.intMember);
    }
    profile.WriteProfileInt(kSettingsSection, "SnippetX", s.m_snippetX);
    profile.WriteProfileInt(kSettingsSection, "SnippetY", s.m_snippetY);
}

std::vector<std::string> ReadProjectFiles(const AppProfile& profile) {
    std::vector<std::string> files(kProjectSlots);
    for (int i = 0; i < kProjectSlots; ++i)
        files[i] = profile.GetProfileString(kProjectFilesSection, "File" + std::to_string(i));
    return files;
}

void WriteProjectFiles(AppProfile& profile, const std::vector<std::string>& files) {
    for (int i = 0; i < kProjectSlots; ++i)
        profile.WriteProfileString(kProjectFilesSection, "File" + std::to_string(i),
                                   i < static_cast<int>(files.size()) ? files[i] : std::string());
}

}  // namespace qm
