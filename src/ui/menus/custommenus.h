#pragma once

class QAction;
class QMenu;

namespace qm {

class CMainFrame;

// Builds the frame's owner-drawn menus from the menu plan. Items use the frame's own actions by
// command id, so triggering, enabling, check marks and status prompts stay in one place; an id
// without an action yet gets a disabled placeholder (and a trace line). False when a menu cannot
// be made.
bool BuildCustomMenus(CMainFrame& main);

// Refills the lists that follow the program's state. Called each time one of the frame's custom
// menus is about to show (Recent Files, Window) and when the quick scripts change.
void RefillRecentFilesMenu(CMainFrame& main);
void RefillWindowMenu(CMainFrame& main);
void RefillQuickScriptsMenu(CMainFrame& main);

}  // namespace qm
