// Octree colour quantizer of the glyph sheets: a 24-bit sheet becomes an 8-bit (or 4-bit)
// palette bitmap of at most ColourLimit colours.
#pragma once

#include "platform/bitmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace fontcreator {

struct TOctreeNode {
  bool Leaf = false;
  std::uint32_t PixelCount = 0;
  std::array<std::uint32_t, 3> Sums{};  // bytes as stored: blue, green, red
  std::array<std::unique_ptr<TOctreeNode>, 8> Children;
  TOctreeNode* Next = nullptr;  // next node of the same level's reducible list
};

class TColorQuantizer {
public:
  // Depth above 8 or a limit of 0 raises std::logic_error "Assertion failure (ColorQuantizer)".
  TColorQuantizer(std::uint32_t colourLimit, std::uint32_t depth = 8);

  // Adds one pixel (bytes as stored: blue, green, red), then reduces the tree until it holds
  // at most ColourLimit leaves.
  void AddPixel(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
  // The leaves' mean colours in depth-first order, padded with black to 256 entries.
  std::vector<platform::PaletteEntry> PaletteTable() const;
  std::uint32_t Leaves() const { return leaves_; }

private:
  void Reduce();
  std::unique_ptr<TOctreeNode> root_;
  std::uint32_t leaves_ = 0;
  std::uint32_t limit_;
  std::uint32_t depth_;
  std::array<TOctreeNode*, 8> reducible_{};
};

// Reduces a 24-bit bitmap in place to `target` (8 or 4 bits) with a palette of the octree's
// colours; each pixel takes the nearest palette entry. Another source format, another target,
// or a limit outside 1..256 (1..16 for 4 bits) raises "Assertion failure (ColorQuantizer)".
void ReduceToPalette(platform::Bitmap& bitmap, platform::PixelFormat target, int colourLimit);

}  // namespace fontcreator
