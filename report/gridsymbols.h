#pragma once
// The aspect symbols of the report's grid, as paths in a 100 x 100 square
// like the other symbols of the suite.

#include "assets/glyphs.h"

namespace velorin {

// k is the row of the aspect table (1..8); an empty art for another.
GlyphArt aspectArt(int k);

} // namespace velorin
