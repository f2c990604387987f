#pragma once

namespace qm {

class CMainFrame;
class CScriptDoc;

// "Edit Briefing" applies to the active document when it is titled "Briefing" (any case, with or
// without the modified mark) and holds a page the Briefing Wizard wrote.
bool CanEditBriefing(const CScriptDoc* doc);

// Reads the active document's text into the Briefing Wizard and shows it.
void OnEditBriefing(CMainFrame& frame);

}  // namespace qm
