#pragma once
#include <QFont>

namespace qm {

class CMainFrame;

// Zoom changes the text size of every editor view for this run only: the "FontSize" setting
// stays as it is and the next start shows it again.
inline constexpr int kSmallestZoomedSize = 4, kLargestZoomedSize = 72;  // points

// The editor font at the frame's zoom.
QFont ZoomedEditorFont(const CMainFrame& main);
// Steps of one point up (above 0) or down, kept within the sizes above; 0 returns to the setting.
void ZoomViews(CMainFrame& main, int steps);
void ResetZoom(CMainFrame& main);
// Every view, further windows on a document included, takes the editor font and tab width again.
void ApplyFontToViews(CMainFrame& main);

}  // namespace qm
