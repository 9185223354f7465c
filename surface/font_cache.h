#pragma once
// Fonts by face name and cell height, kept per thread across surfaces: resolving a face asks
// fontconfig, and sizing one makes a font engine whose glyphs are rendered again. A repaint
// draws the same digits at the same cell heights as the one before, and a picture as the last.

#include <QString>
#include <cstdint>

#include "surface/cell_font.h"

namespace strikon {

// The font for this thread. The reference lasts until the thread's next call: copy the font
// to keep it (a copy shares the engine and its glyphs).
const CellFont& cachedCellFont(const QString& face, int32_t cellHeight);

}  // namespace strikon
