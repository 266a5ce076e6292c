// Shrinking of 24-bit pictures by area averaging (a box filter): each destination pixel is the
// mean colour of the source area under it, weighted by the covered fraction.
#pragma once

#include "platform/imaging/bitmap.h"

#include <cstdint>
#include <vector>

namespace assembly {

class TAccumulationBuffer {
public:
  struct alignas(16) Cell {
    float R = 0, G = 0, B = 0, Weight = 0;
  };

  TAccumulationBuffer(int width, int height);

  // Adds a weighted colour to a cell; cells outside the grid are ignored.
  void AddSample(int x, int y, float r, float g, float b, float weight);
  // Spreads a source pixel at destination position (px, py) over up to four cells; sx and sy
  // are destination size over source size and must not exceed 1.
  void AddPixel(float px, float py, float sx, float sy, float r, float g, float b);
  // The cell's mean colour as 0x00RRGGBB, rounded half up and capped at 255; black for an
  // empty cell or one outside the grid.
  std::uint32_t GetColor(int x, int y) const;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The cells of row y (0 <= y < Height).
  Cell* CellRow(int y) { return cells_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }

private:
  std::vector<Cell> cells_;
  int width_;
  int height_;
};

// Fills `dst` (already sized, not larger than `src`) from `src`; both must be 24-bit.
void DownsampleBitmap(const platform::Bitmap& src, platform::Bitmap& dst);

}  // namespace assembly
