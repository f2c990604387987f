#pragma once
#include <vector>

#include "core/options/settingstable.h"

class QWidget;

namespace qm {

// The screens' available areas (without panels and docks), in desktop coordinates.
std::vector<ScreenRect> AvailableScreenRects();

// Moves a shown top-level window so that it lies whole on a screen, its frame included where the
// frame fits: a stored placement may come from a larger desktop or be edited by hand.
void KeepWindowOnScreen(QWidget& window);

}  // namespace qm
