#include "assembly/bitmaputils.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace assembly {

using platform::Bitmap;
using platform::PixelFormat;

void ConvertTo16Colors(Bitmap& bitmap) {
  std::vector<platform::PaletteEntry> first = bitmap.GetPalette().Entries();
  if (first.size() > 16) first.resize(16);
  Bitmap four(bitmap.Width(), bitmap.Height(), PixelFormat::pf4bit);
  four.SetPalette(platform::Palette(std::move(first)));
  four.Draw(0, 0, bitmap);
  bitmap = std::move(four);
}

bool IsMostlyOneColor(const Bitmap& bitmap) {
  if (!platform::IsPaletteFormat(bitmap.Format()))
    throw std::logic_error("Assertion failure (IsMostlyOneColor): not a palette bitmap");
  std::uint64_t counts[256] = {};
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    switch (bitmap.Format()) {
      case PixelFormat::pf1bit:
        for (int x = 0; x < bitmap.Width(); ++x) ++counts[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case PixelFormat::pf4bit:
        for (int x = 0; x < bitmap.Width(); ++x) ++counts[(x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)];
        break;
      default:
        for (int x = 0; x < bitmap.Width(); ++x) ++counts[row[x]];
        break;
    }
  }
  const std::uint64_t largest = *std::max_element(std::begin(counts), std::end(counts));
  // largest > 0.95 x pixels, in integers: 20 x largest > 19 x pixels.
  const std::uint64_t pixels = static_cast<std::uint64_t>(bitmap.Width()) * static_cast<std::uint64_t>(bitmap.Height());
  return 20 * largest > 19 * pixels;
}

}  // namespace assembly
