#pragma once

namespace qm {

// The stored settings name Windows faces; map them to installed look-alikes.
void RegisterFontSubstitutions();

}  // namespace qm
