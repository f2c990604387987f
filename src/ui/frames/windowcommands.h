#pragma once
#include <Qt>

class QMdiArea;

namespace qm {

class CMainFrame;
class CChildFrame;

// Window > New Window: another window on the active document, sharing its text, undo and colours.
CChildFrame* OpenNewWindow(CMainFrame& main);
// Tile Horizontally stacks the document windows one above the other at full width; Tile Vertically
// puts them side by side at full height.
void TileDocumentWindows(QMdiArea* area, Qt::Orientation orientation);
// Lines the minimised document windows up along the bottom edge.
void ArrangeIcons(QMdiArea* area);
// Next and Previous are offered while more than one view is open, over all documents.
bool CanSwitchDocuments(const QMdiArea* area);

}  // namespace qm
