#include "assembly/downsample.h"

#include <algorithm>
#include <stdexcept>

namespace assembly {
namespace {

[[noreturn]] void CheckFailed() { throw std::logic_error("Assertion failure (AccumulationBuffer)"); }

// Weights of one source pixel along one axis: cell C0 gets W0, cell C0 + 1 gets W1.
struct Span {
  int C0;
  float W0, W1;
};

Span SpanAt(float p, float s) {
  const int c0 = static_cast<int>(p);
  const float f = p - static_cast<float>(c0);
  const float w0 = std::min(static_cast<float>(1.0 - f), s);
  const float w1 = std::max(static_cast<float>(static_cast<double>(f) + s - 1.0), 0.0f);
  return {c0, w0, w1};
}

// Destination position of source coordinate i: dst * (i / src), in extended precision.
float PositionOf(int i, int src, int dst) {
  return static_cast<float>(static_cast<long double>(dst) *
                            (static_cast<long double>(i) / static_cast<long double>(src)));
}

inline void Add(TAccumulationBuffer::Cell& c, float r, float g, float b, float w) {
  c.R += r * w;
  c.G += g * w;
  c.B += b * w;
  c.Weight += w;
}

}  // namespace

TAccumulationBuffer::TAccumulationBuffer(int width, int height)
    : cells_(static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0))),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)) {}

void TAccumulationBuffer::AddSample(int x, int y, float r, float g, float b, float weight) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Add(cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)],
      r, g, b, weight);
}

void TAccumulationBuffer::AddPixel(float px, float py, float sx, float sy, float r, float g, float b) {
  if (sx > 1 || sy > 1) CheckFailed();
  const Span xs = SpanAt(px, sx), ys = SpanAt(py, sy);
  AddSample(xs.C0, ys.C0, r, g, b, xs.W0 * ys.W0);
  AddSample(xs.C0 + 1, ys.C0, r, g, b, xs.W1 * ys.W0);
  AddSample(xs.C0, ys.C0 + 1, r, g, b, xs.W0 * ys.W1);
  AddSample(xs.C0 + 1, ys.C0 + 1, r, g, b, xs.W1 * ys.W1);
}

std::uint32_t TAccumulationBuffer::GetColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const Cell& c = cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  if (c.Weight == 0) return 0;
  auto channel = [&](float sum) {
    const double v = static_cast<double>(sum) / c.Weight + 0.5;
    return static_cast<std::uint32_t>(std::min(255.0, std::max(0.0, v)));
  };
  return (channel(c.R) << 16) | (channel(c.G) << 8) | channel(c.B);
}

void DownsampleBitmap(const platform::Bitmap& src, platform::Bitmap& dst) {
  using platform::PixelFormat;
  if (src.Format() != PixelFormat::pf24bit || dst.Format() != PixelFormat::pf24bit) CheckFailed();
  const int sw = src.Width(), sh = src.Height(), dw = dst.Width(), dh = dst.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  TAccumulationBuffer buffer(dw, dh);
  const auto sx = static_cast<float>(static_cast<long double>(dw) / sw);
  const auto sy = static_cast<float>(static_cast<long double>(dh) / sh);
  if (sx > 1 || sy > 1) CheckFailed();

  // The weights along x depend on the column only: work them out once. Samples of weight 0
  // and samples outside the grid change no sum, so they are left out; the others are added in
  // the order of pixel-by-pixel AddPixel calls, which keeps the sums exactly as they would be.
  std::vector<Span> columns(static_cast<std::size_t>(sw));
  for (int x = 0; x < sw; ++x) {
    Span& xs = columns[static_cast<std::size_t>(x)];
    xs = SpanAt(PositionOf(x, sw, dw), sx);
    if (xs.C0 + 1 >= dw) xs.W1 = 0;
  }
  const auto cellsPerRow = static_cast<std::size_t>(dw);
  for (int y = 0; y < sh; ++y) {
    Span ys = SpanAt(PositionOf(y, sh, dh), sy);
    if (ys.C0 >= dh) continue;
    if (ys.C0 + 1 >= dh) ys.W1 = 0;
    TAccumulationBuffer::Cell* row0 = buffer.CellRow(ys.C0);
    TAccumulationBuffer::Cell* row1 = ys.W1 != 0 ? buffer.CellRow(ys.C0 + 1) : nullptr;
    const std::uint8_t* p = src.ScanLine(y);
    for (int x = 0; x < sw; ++x, p += 3) {
      const Span& xs = columns[static_cast<std::size_t>(x)];
      if (static_cast<std::size_t>(xs.C0) >= cellsPerRow) continue;
      const float r = p[2], g = p[1], b = p[0];
      const float w00 = xs.W0 * ys.W0;
      if (w00 != 0) Add(row0[xs.C0], r, g, b, w00);
      if (xs.W1 != 0) {
        const float w10 = xs.W1 * ys.W0;
        if (w10 != 0) Add(row0[xs.C0 + 1], r, g, b, w10);
      }
      if (row1) {
        const float w01 = xs.W0 * ys.W1;
        if (w01 != 0) Add(row1[xs.C0], r, g, b, w01);
        if (xs.W1 != 0) {
          const float w11 = xs.W1 * ys.W1;
          if (w11 != 0) Add(row1[xs.C0 + 1], r, g, b, w11);
        }
      }
    }
  }
  for (int y = 0; y < dh; ++y) {
    std::uint8_t* q = dst.ScanLine(y);
    for (int x = 0; x < dw; ++x, q += 3) {
      const std::uint32_t c = buffer.GetColor(x, y);
      q[0] = static_cast<std::uint8_t>(c);
      q[1] = static_cast<std::uint8_t>(c >> 8);
      q[2] = static_cast<std::uint8_t>(c >> 16);
    }
  }
}

}  // namespace assembly
