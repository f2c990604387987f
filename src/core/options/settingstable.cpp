#include "core/options/settingstable.h"

#include <algorithm>
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
        {"WinX", I, F, &S::m_winX, nullptr, 0, nullptr, -32000, 32000},
        {"WinY", I, F, &S::m_winY, nullptr, 0, nullptr, -32000, 32000},
        {"WinWidth", I, F, &S::m_winWidth, nullptr, 800, nullptr, 100, 32000},
        {"WinHeight", I, F, &S::m_winHeight, nullptr, 600, nullptr, 100, 32000},
        {"SnippetX", I, F, &S::m_snippetX, nullptr, 0, nullptr, -32000, 32000},
        {"SnippetY", I, F, &S::m_snippetY, nullptr, 0, nullptr, -32000, 32000},
        {"NewFile", I, F, &S::m_newFile, nullptr, 1, nullptr, 0, 2},
        {"MRUs", I, F, &S::m_mrus, nullptr, 6, nullptr, 0, 16},
        {"AppMax", I, F, &S::m_appMax, nullptr, 0, nullptr, 0, 1},
        {"DocMax", I, F, &S::m_docMax, nullptr, 0, nullptr, 0, 1},
        {"ToolBar", I, F, &S::m_toolBar, nullptr, 1, nullptr, 0, 1},
        {"CommandBar", I, F, &S::m_commandBar, nullptr, 1, nullptr, 0, 1},
        {"StatusBar", I, F, &S::m_statusBar, nullptr, 1, nullptr, 0, 1},
        {"LabelsBar", I, F, &S::m_labelsBar, nullptr, 1, nullptr, 0, 1},
        {"Format", I, F, &S::m_format, nullptr, 1, nullptr, 0, 1},
        {"Resistance", I, A, nullptr, nullptr, 1, nullptr, 0, 1},
        {"FirstRun", I, F, &S::m_firstRun, nullptr, 1, nullptr, 0, 1},
        {"ShowSyntax", I, F, &S::m_showSyntax, nullptr, 1, nullptr, 0, 1},
        {"RegSQS", I, F, &S::m_regSQS, nullptr, 0, nullptr, 0, 1},
        {"RegEXT", I, F, &S::m_regEXT, nullptr, 0, nullptr, 0, 1},
        {"RegSQF", I, F, &S::m_regSQF, nullptr, 0, nullptr, 0, 1},
        {"RegCSV", I, F, &S::m_regCSV, nullptr, 0, nullptr, 0, 1},
        {"RegHTML", I, F, &S::m_regHTML, nullptr, 0, nullptr, 0, 1},
        {"RegTXT", I, F, &S::m_regTXT, nullptr, 0, nullptr, 0, 1},
        {"AddHeader", I, F, &S::m_addHeader, nullptr, 1, nullptr, 0, 1},
        {"BoldFonts", I, F, &S::m_boldFonts, nullptr, 0, nullptr, 0, 1},
        {"ShowUsers", I, F, &S::m_showUsers, nullptr, 1, nullptr, 0, 1},
        {"TrimMRU", I, F, &S::m_trimMRU, nullptr, 1, nullptr, 0, 1},
        {"Nosplash", I, F, &S::m_nosplash, nullptr, 1, nullptr, 0, 1},
        {"Window", I, F, &S::m_window, nullptr, 0, nullptr, 0, 1},
        {"Preview", I, F, &S::m_preview, nullptr, 1, nullptr, 0, 1},
        // The frame writes its copy; the application reads the value at start-up.
        {"CustomMenus", I, A, &S::m_customMenus, nullptr, 1, nullptr, 0, 1},
        {"FontSize", I, F, &S::m_fontSize, nullptr, 10, nullptr, 6, 24},
        {"TextColor", C, F, &S::m_textColour, nullptr, 0x000000, nullptr, 0, 0xFFFFFF},
        {"RemColor", C, F, &S::m_remarkColour, nullptr, 0x008000, nullptr, 0, 0xFFFFFF},
        {"ComColor", C, F, &S::m_commandColour, nullptr, 0x0000FF, nullptr, 0, 0xFFFFFF},
        {"WeapColor", C, F, &S::m_itemColour, nullptr, 0xFF00FF, nullptr, 0, 0xFFFFFF},
        {"SysColor", C, F, &S::m_programmingColour, nullptr, 0xFF0000, nullptr, 0, 0xFFFFFF},
        {"VarColor", C, F, &S::m_variableColour, nullptr, 0x808080, nullptr, 0, 0xFFFFFF},
        {"BKColor", C, F, &S::m_backgroundColour, nullptr, 0xFFFFFF, nullptr, 0, 0xFFFFFF},
        {"Font", T, F, nullptr, &S::m_fontName, 0, "Courier New", 0, 0},
        {"SnippetDir", T, F, nullptr, &S::m_snippetDir, 0, nullptr, 0, 0},
        {"BackupDir", T, F, nullptr, &S::m_backupDir, 0, nullptr, 0, 0},
        {"ComRefDir", T, F, nullptr, &S::m_comRefPath, 0, nullptr, 0, 0},
        {"PagePreview", I, F, &S::m_pagePreview, nullptr, 0, nullptr, 0, 1},
        {"LineNumbers", I, F, &S::m_lineNumbers, nullptr, 1, nullptr, 0, 1},
        {"TabWidth", I, F, &S::m_tabWidth, nullptr, 8, nullptr, 1, 16},
        {"ReopenLast", I, F, &S::m_reopenLast, nullptr, 0, nullptr, 0, 1},
        {"ProblemsBar", I, F, &S::m_problemsBar, nullptr, 0, nullptr, 0, 1},
        {"AutoComplete", I, F, &S::m_autoComplete, nullptr, 1, nullptr, 0, 1},
    };
    return table;
}

bool InSettingRange(const SettingEntry& e, int value) { return e.minValue <= value && value <= e.maxValue; }

int ValidSettingInt(const SettingEntry& e, int value, const SettingDefaults& d) {
    return InSettingRange(e, value) ? value : DefaultInt(e, d);
}

int ReadSettingInt(const AppProfile& profile, const std::string& name, const SettingDefaults& d) {
    const SettingEntry* e = FindSetting(name);
    if (!e || e->type == SettingType::Text) return 0;
    return ValidSettingInt(*e, profile.GetProfileInt(kSettingsSection, e->name, DefaultInt(*e, d)), d);
}

bool PlacementOnAScreen(const FrameSettings& s, const std::vector<ScreenRect>& screens) {
    // The top strip of the window, where its caption is, must show on some screen far enough to
    // be grabbed with the mouse.
    constexpr long long kGrabWidth = 60, kGrabHeight = 20;
    for (const auto& r : screens) {
        const long long left = std::max<long long>(s.m_winX, r.x);
        const long long right = std::min<long long>(static_cast<long long>(s.m_winX) + s.m_winWidth,
                                                    static_cast<long long>(r.x) + r.width);
        const long long top = std::max<long long>(s.m_winY, r.y);
        const long long bottom = std::min<long long>(static_cast<long long>(s.m_winY) + kGrabHeight,
                                                     static_cast<long long>(r.y) + r.height);
        if (right - left >= std::min<long long>(kGrabWidth, s.m_winWidth) && bottom - top >= kGrabHeight) return true;
    }
    return false;
}

ScreenRect ClampToScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens) {
    if (screens.empty()) return window;
    using L = long long;
    // Overlap area, or minus the distance between the two when they do not meet.
    const auto closeness = [&](const ScreenRect& r) {
        const L dx = std::min<L>(L(window.x) + window.width, L(r.x) + r.width) - std::max<L>(window.x, r.x);
        const L dy = std::min<L>(L(window.y) + window.height, L(r.y) + r.height) - std::max<L>(window.y, r.y);
        return dx > 0 && dy > 0 ? dx * dy : std::min<L>(dx, 0) + std::min<L>(dy, 0);
    };
    const ScreenRect& screen = *std::max_element(
        screens.begin(), screens.end(), [&](const ScreenRect& a, const ScreenRect& b) { return closeness(a) < closeness(b); });
    ScreenRect out = window;
    out.width = std::clamp(window.width, 0, std::max(screen.width, 0));
    out.height = std::clamp(window.height, 0, std::max(screen.height, 0));
    out.x = static_cast<int>(std::clamp<L>(window.x, screen.x, L(screen.x) + screen.width - out.width));
    out.y = static_cast<int>(std::clamp<L>(window.y, screen.y, L(screen.y) + screen.height - out.height));
    return out;
}

void KeepPlacementOnScreens(FrameSettings& s, const std::vector<ScreenRect>& screens, const SettingDefaults& d) {
    if (screens.empty()) return;
    if (!PlacementOnAScreen(s, screens)) {
        for (const char* name : {"WinX", "WinY", "WinWidth", "WinHeight"}) {
            const SettingEntry* e = FindSetting(name);
            s.*e->intMember = DefaultInt(*e, d);
        }
    }
    const ScreenRect r = ClampToScreens({s.m_winX, s.m_winY, s.m_winWidth, s.m_winHeight}, screens);
    s.m_winX = r.x, s.m_winY = r.y, s.m_winWidth = r.width, s.m_winHeight = r.height;
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
            s.*e.intMember = ValidSettingInt(e, profile.GetProfileInt(kSettingsSection, e.name, DefaultInt(e, defaults)),
                                             defaults);
    }
    // A font without a name cannot be made.
    if (s.m_fontName.empty()) s.m_fontName = DefaultText(*FindSetting("Font"), defaults);
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
