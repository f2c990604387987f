#pragma once

namespace qm {

class CMainFrame;

// The commands of script help the main frame routes: Go To Label (F12), Complete Word
// (Ctrl+Space), Syntax Tip (Ctrl+Shift+Space) and Auto Complete, which the frame only calls.

// Makes the commands and connects them.
void ConnectAssistCommands(CMainFrame& main);
// Enabled in a script or function view; Auto Complete checked as its setting is.
void UpdateAssistCommands(CMainFrame& main);

// "&Auto Complete": the "AutoComplete" setting, which lets the list open after three typed letters.
void OnToggleAutoComplete(CMainFrame& main);

}  // namespace qm
