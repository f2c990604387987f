#pragma once
#include <QStringList>

namespace qm {

// The stored settings name Windows faces; map them to installed look-alikes.
void RegisterFontSubstitutions();
// The Windows faces mapped, as the settings name them; the font list offers those that resolve.
QStringList SubstitutedFaces();

}  // namespace qm
