#pragma once

namespace qm {

class CMainFrame;

// The views' editing commands the main frame routes: Go To Line, Find Previous, Toggle Remark,
// Line Numbers and zoom. The frame only calls these.

// Makes the commands and connects them.
void ConnectEditingCommands(CMainFrame& main);
// Once the status bar is made: a double-click on its Ln pane asks for a line, as Go To Line does.
void WatchLinePaneClicks(CMainFrame& main);
// Enabled with an editor view; Toggle Remark only in script and description views.
void UpdateEditingCommands(CMainFrame& main);

// "&Go To Line...": the dialog over the active view; the caret goes to the start of the line.
void OnGoToLine(CMainFrame& main);
// "Line &Numbers": the margin in every view, and the "LineNumbers" setting.
void OnToggleLineNumbers(CMainFrame& main);

}  // namespace qm
