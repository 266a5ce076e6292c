// Helpers for the palette pictures of the picture conversion.
#pragma once

#include "platform/imaging/bitmap.h"

namespace assembly {

// Replaces the bitmap by a 4-bit one of the same size whose palette is the first 16 entries of
// the source's palette; every pixel is mapped to the nearest of those entries.
void ConvertTo16Colors(platform::Bitmap& bitmap);

// True when one palette index covers strictly more than 95% of the pixels of a 1-, 4- or 8-bit
// bitmap. Other formats raise std::logic_error.
bool IsMostlyOneColor(const platform::Bitmap& bitmap);

}  // namespace assembly
