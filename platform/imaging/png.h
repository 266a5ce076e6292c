// PNG files of palette bitmaps, written in memory.
#pragma once

#include "platform/imaging/bitmap.h"

#include <stdexcept>
#include <string>

namespace platform {

class EPngError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Encodes a 1-, 4- or 8-bit palette bitmap as a PNG file (colour type 3, the bitmap's bit
// depth) with the strongest compression and all five row filters for the encoder's choice.
// Only IHDR, PLTE, IDAT and IEND are written; PLTE holds the bitmap's palette (one black entry
// when the palette is empty). Other formats and empty bitmaps raise EPngError.
std::string EncodePalettePng(const Bitmap& bitmap);

}  // namespace platform
