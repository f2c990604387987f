#pragma once
#include <Qt>

class QMdiArea;

namespace qm {

class CMainFrame;
class CChildFrame;

// Window > New Window: another window on the active document, sharing its text, undo and colours.
CChildFrame* OpenNewWindow(CMainFrame& main);
// Next and Previous are offered while more than one view is open, over all documents.
bool CanSwitchDocuments(const QMdiArea* area);

}  // namespace qm
