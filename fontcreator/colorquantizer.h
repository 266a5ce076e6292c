// Colour reduction of the glyph sheets: a 24-bit sheet becomes an 8-bit (or 4-bit) palette
// bitmap of at most ColourLimit colours, through the octree quantizer with blue giving the
// highest bit of a child index.
#pragma once

#include "platform/imaging/bitmap.h"

namespace fontcreator {

// Reduces a 24-bit bitmap in place to `target` (8 or 4 bits) with a palette of the octree's
// colours, padded with black to 256 entries; each pixel takes the nearest palette entry.
// Another source format, another target, or a limit outside 1..256 (1..16 for 4 bits) raises
// "Assertion failure (ColorQuantizer)".
void ReduceToPalette(platform::Bitmap& bitmap, platform::PixelFormat target, int colourLimit);

}  // namespace fontcreator
