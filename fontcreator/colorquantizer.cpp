#include "fontcreator/colorquantizer.h"

#include "assembly/octree.h"

#include <stdexcept>

namespace fontcreator {

using platform::PixelFormat;

void ReduceToPalette(platform::Bitmap& bitmap, PixelFormat target, int colourLimit) {
  auto fail = [] { throw std::logic_error("Assertion failure (ColorQuantizer)"); };
  if (bitmap.Format() != PixelFormat::pf24bit) fail();
  if (target != PixelFormat::pf8bit && target != PixelFormat::pf4bit) fail();
  const int max = target == PixelFormat::pf8bit ? 256 : 16;
  if (colourLimit < 1 || colourLimit > max) fail();
  assembly::TOctreeQuantizer<assembly::OctreeKey::BlueHigh> quantizer(static_cast<std::uint32_t>(colourLimit));
  quantizer.AddPixels(bitmap);
  std::vector<platform::PaletteEntry> table = quantizer.LeafColors();
  table.resize(256);
  bitmap = bitmap.Converted(target, platform::Palette(std::move(table)));
}

}  // namespace fontcreator
