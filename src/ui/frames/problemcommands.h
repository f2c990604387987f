#pragma once

namespace qm {

class CMainFrame;
class CProblemsBar;

// The Problems bar and Check Mission, as the main frame routes them. The frame only calls these.

// Makes the commands ("P&roblems" in the View menu, "Check &Mission" in the Tools menu) and connects them.
void ConnectProblemCommands(CMainFrame& main);
// Once the frame is built: the bar, when the settings show it.
void CreateProblemsBarIfShown(CMainFrame& main);
// The check mark of the bar's command; Check Mission needs a document with a file.
void UpdateProblemCommands(CMainFrame& main);

// The bar, made when first asked for with `make`; null otherwise.
CProblemsBar* ProblemsBar(CMainFrame& main, bool make = false);
void OnToggleProblemsBar(CMainFrame& main);
// Checks the folder of the active document's file and lists the findings in the bar.
void OnCheckMission(CMainFrame& main);

}  // namespace qm
