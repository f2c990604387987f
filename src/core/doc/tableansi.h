#pragma once
#include <cstddef>

#include "core/doc/piecetable.h"

namespace qm {

// Puts "?" in place of every character the ANSI code page has no byte for, as one undo step, so
// a very large text shows what its save wrote. Returns how many were replaced.
size_t ReplaceUnmappable(PieceTable& table);

}  // namespace qm
