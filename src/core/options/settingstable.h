#pragma once
#include <string>
#include <vector>

#include "core/app/appprofile.h"

namespace qm {

// Every persisted setting of the main window, one member each.
struct FrameSettings {
    int m_winX = 0, m_winY = 0, m_winWidth = 800, m_winHeight = 600;
    int m_snippetX = 0, m_snippetY = 0;
    int m_newFile = 1, m_mrus = 6, m_appMax = 0, m_docMax = 0;
    int m_toolBar = 1, m_commandBar = 1, m_statusBar = 1, m_labelsBar = 1;
    int m_format = 1, m_firstRun = 1, m_showSyntax = 1;
    int m_regSQS = 0, m_regEXT = 0, m_regSQF = 0, m_regCSV = 0, m_regHTML = 0, m_regTXT = 0;
    int m_addHeader = 1, m_boldFonts = 0, m_showUsers = 1, m_trimMRU = 1, m_nosplash = 1, m_window = 0;
    int m_preview = 1, m_customMenus = 1, m_fontSize = 10;
    int m_pagePreview = 0;  // the page preview pane beside the documents
    int m_lineNumbers = 1, m_tabWidth = 8, m_reopenLast = 0;
    int m_problemsBar = 0;  // the Problems bar below the documents
    int m_autoComplete = 1;  // the completion list opens by itself after three typed letters
    // Colours are 0x00BBGGRR.
    int m_textColour = 0x000000, m_remarkColour = 0x008000, m_commandColour = 0x0000FF, m_itemColour = 0xFF00FF,
        m_programmingColour = 0xFF0000, m_variableColour = 0x808080, m_backgroundColour = 0xFFFFFF;
    std::string m_fontName = "Courier New", m_snippetDir, m_backupDir, m_comRefPath;
};

enum class SettingType { Int, Colour, Text };

// Where a setting's value lives while the program runs.
enum class SettingOwner {
    Frame,        // a member of FrameSettings
    Application,  // read by the application at start-up ("Resistance", "CustomMenus")
};

// Defaults that depend on the machine.
struct SettingDefaults {
    int screenWidth = 1024, screenHeight = 768;
    std::string snippetDir, backupDir, comRefDir;
};

struct SettingEntry {
    const char* name;
    SettingType type;
    SettingOwner owner;
    int FrameSettings::*intMember;          // null for text settings and "Resistance"
    std::string FrameSettings::*textMember; // null for the others
    int defaultInt;                         // unless computed below
    const char* defaultText;
    int minValue, maxValue;                 // the values allowed, both included; 0, 0 for text
};

// The settings in their table order, which is also the order they are written on close
// ("SnippetX" and "SnippetY" excepted: they are written after the others).
const std::vector<SettingEntry>& SettingsTable();
const SettingEntry* FindSetting(const std::string& name);

// The default of an integer or colour setting, with the placement ones computed from the screen.
int DefaultInt(const SettingEntry& e, const SettingDefaults& d);
std::string DefaultText(const SettingEntry& e, const SettingDefaults& d);

// Whether an integer or colour value lies within its setting's range.
bool InSettingRange(const SettingEntry& e, int value);
// The value when it is in range, else the setting's default: what is read is what may be used.
int ValidSettingInt(const SettingEntry& e, int value, const SettingDefaults& d);
// One integer setting from "Settings", checked against its range; 0 for an unknown name.
int ReadSettingInt(const AppProfile& profile, const std::string& name, const SettingDefaults& d = {});

// A screen's rectangle in desktop coordinates.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};
// True when the window's caption strip shows on one of the screens far enough to be grabbed.
bool PlacementOnAScreen(const FrameSettings& s, const std::vector<ScreenRect>& screens);
// The window moved and, when larger, shrunk to lie whole within the screen that shows most of it
// (the nearest screen when none does). Unchanged without screens.
ScreenRect ClampToScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens);
// Puts the window placement back to its defaults when it lies off every screen, then clamps it
// to the screen it is on.
void KeepPlacementOnScreens(FrameSettings& s, const std::vector<ScreenRect>& screens, const SettingDefaults& d);

// Reads every frame-owned setting in table order, then "Font", then the three folders. A value
// out of its range reads as the default (and closing writes the default back).
FrameSettings ReadFrameSettings(const AppProfile& profile, const SettingDefaults& defaults);

// Writes the settings in closing order. The placement values only when writePlacement;
// "Resistance" from the application's edition flag; "SnippetX"/"SnippetY" last.
void WriteFrameSettings(AppProfile& profile, const FrameSettings& s, int expansionEdition, bool writePlacement);

// The 16 project-file slots, "Project Files"\"File0" to "File15".
inline constexpr int kProjectSlots = 16;
std::vector<std::string> ReadProjectFiles(const AppProfile& profile);
void WriteProjectFiles(AppProfile& profile, const std::vector<std::string>& files);

}  // namespace qm
