#include "assembly/colorreduce.h"

#include <algorithm>
#include <stdexcept>

namespace assembly {

using platform::Bitmap;
using platform::Palette;
using platform::PaletteEntry;
using platform::PixelFormat;

// ---- lookups

TSlowColorLookup::TSlowColorLookup(const Palette& palette)
    : TColorLookup(static_cast<std::uint32_t>(palette.Count())), palette_(palette) {}

int TSlowColorLookup::FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                                std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const int i = palette_.NearestIndex(red, green, blue);
  const PaletteEntry& e = palette_[i];
  outRed = e.Red;
  outGreen = e.Green;
  outBlue = e.Blue;
  return i;
}

int TNetscapeColorLookup::FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                                    std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const int r = (red + 3) / 51, g = (green + 3) / 51, b = (blue + 3) / 51;
  outRed = static_cast<std::uint8_t>(r * 51);
  outGreen = static_cast<std::uint8_t>(g * 51);
  outBlue = static_cast<std::uint8_t>(b * 51);
  return r * 36 + g * 6 + b;
}

int TGrayScaleLookup::FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                                std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const int grey = (77 * red + 150 * green + 29 * blue) >> 8;
  outRed = outGreen = outBlue = static_cast<std::uint8_t>(grey);
  return grey;
}

int TMonochromeLookup::FindEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                                 std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const int s = 77 * red + 150 * green + 29 * blue;
  const bool white = s > 127 * 256;
  outRed = outGreen = outBlue = white ? 255 : 0;
  return white ? 1 : 0;
}

// ---- ditherers

TDitherEngine::TDitherEngine(int width, TColorLookup& lookup) : Lookup(&lookup), Width(width) {}

int TDitherEngine::MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                            std::uint8_t& outGreen, std::uint8_t& outBlue) {
  return Lookup->FindEntry(red, green, blue, outRed, outGreen, outBlue);
}

void TDitherEngine::StartNextRow() {
  Direction = -Direction;
  Column = Direction > 0 ? 0 : Width - 1;
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup) : TDitherEngine(width, lookup) {
  for (std::vector<int>& e : errors_) e.assign(static_cast<std::size_t>(width) + 2, 0);
}

int TFloydSteinbergDitherer::MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                                      std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const auto at = static_cast<std::size_t>(pointer_);
  const int in[3] = {red, green, blue};
  int v[3];
  for (int c = 0; c < 3; ++c) v[c] = Clamp(in[c] + (current_[c] + errors_[c][at] + 8) / 16);
  std::uint8_t out[3];
  const int index = Lookup->FindEntry(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                                      static_cast<std::uint8_t>(v[2]), out[0], out[1], out[2]);
  for (int c = 0; c < 3; ++c) {
    const int e = v[c] - out[c];
    current_[c] = 7 * e;
    if (e == 0) continue;
    errors_[c][at] = below_[c] + 3 * e;
    below_[c] = belowPrev_[c] + 5 * e;
    belowPrev_[c] = e;
  }
  pointer_ += Direction;
  outRed = out[0];
  outGreen = out[1];
  outBlue = out[2];
  return index;
}

void TFloydSteinbergDitherer::StartNextRow() {
  for (int c = 0; c < 3; ++c) {
    errors_[c][static_cast<std::size_t>(pointer_)] = below_[c];
    current_[c] = below_[c] = belowPrev_[c] = 0;
  }
  TDitherEngine::StartNextRow();
  pointer_ = Direction > 0 ? 0 : Width + 1;
}

T5by3Ditherer::T5by3Ditherer(int width, TColorLookup& lookup, int rows, int margin)
    : TDitherEngine(width, lookup),
      margin_(margin),
      rows_(static_cast<std::size_t>(rows),
            std::vector<std::vector<int>>(3, std::vector<int>(static_cast<std::size_t>(width + 2 * margin), 0))) {}

int T5by3Ditherer::MapPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& outRed,
                            std::uint8_t& outGreen, std::uint8_t& outBlue) {
  const int at = Column + margin_;
  const int d = Divisor();
  const int in[3] = {red, green, blue};
  int v[3];
  for (int c = 0; c < 3; ++c) v[c] = Clamp(in[c] + (rows_[0][static_cast<std::size_t>(c)][static_cast<std::size_t>(at)] + d / 2) / d);
  std::uint8_t out[3];
  const int index = Lookup->FindEntry(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                                      static_cast<std::uint8_t>(v[2]), out[0], out[1], out[2]);
  for (int c = 0; c < 3; ++c) {
    const int e = v[c] - out[c];
    if (e != 0) SpreadError(c, at, e);
  }
  outRed = out[0];
  outGreen = out[1];
  outBlue = out[2];
  return index;
}

void T5by3Ditherer::StartNextRow() {
  for (auto& channel : rows_.front()) std::fill(channel.begin(), channel.end(), 0);
  std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
  TDitherEngine::StartNextRow();
}

struct Tap { int row, offset, weight; };

#define QW_SPREAD(Class, ...)                                                       \
  void Class::SpreadError(int channel, int at, int e) {                            \
    static const Tap kTaps[] = {__VA_ARGS__};                                      \
    for (const Tap& t : kTaps) Put(channel, t.row, at, t.offset, e, t.weight);     \
  }

QW_SPREAD(TStuckiDitherer, {0, 1, 8}, {0, 2, 4},
          {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
          {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1})
QW_SPREAD(TSierraDitherer, {0, 1, 5}, {0, 2, 3},
          {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},
          {2, -1, 2}, {2, 0, 3}, {2, 1, 2})
QW_SPREAD(TJaJuNiDitherer, {0, 1, 7}, {0, 2, 5},
          {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},
          {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1})
QW_SPREAD(TBurkesDitherer, {0, 1, 8}, {0, 2, 4},
          {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2})
QW_SPREAD(TSteveArcheDitherer, {0, 2, 32},
          {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16},
          {2, -2, 12}, {2, 0, 26}, {2, 2, 12},
          {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5})

#undef QW_SPREAD

// ---- octree

Palette BuildOctreePalette(const Bitmap& source, int colors, bool systemColours) {
  int n = colors;
  int offset = 0;
  std::vector<PaletteEntry> entries(static_cast<std::size_t>(std::max(colors, 0)));
  if (systemColours) {
    n = 236;
    offset = 10;
    entries.assign(256, PaletteEntry{});
    const Palette system = Palette::System20();
    for (int i = 0; i < 10; ++i) {
      entries[static_cast<std::size_t>(i)] = system[i];
      entries[static_cast<std::size_t>(246 + i)] = system[10 + i];
    }
  }
  TOctreeQuantizer<OctreeKey::RedHigh> quantizer(static_cast<std::uint32_t>(std::max(n, 1)));
  quantizer.AddPixels(source);
  const std::vector<PaletteEntry> leaves = quantizer.LeafColors();
  for (std::size_t i = 0; i < leaves.size() && i < static_cast<std::size_t>(n); ++i)
    entries[static_cast<std::size_t>(offset) + i] = {leaves[i].Red, leaves[i].Green, leaves[i].Blue, 0};
  return Palette(std::move(entries));
}

// ---- the reduction

namespace {

Palette FixedPalette(std::vector<PaletteEntry> entries) {
  for (PaletteEntry& p : entries) p.Flags = platform::PC_NOCOLLAPSE;
  return Palette(std::move(entries));
}

Palette GreyPalette() {
  std::vector<PaletteEntry> e(256);
  for (int i = 0; i < 256; ++i)
    e[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                      static_cast<std::uint8_t>(i), 0};
  return FixedPalette(std::move(e));
}

Palette ColourCubePalette() {
  std::vector<PaletteEntry> e;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        e.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                     static_cast<std::uint8_t>(b * 51), 0});
  return Palette(std::move(e));
}

// The palette of a reduction mode from 1 to 9; modes with a lookup of their own set it.
Palette ModePalette(const Bitmap& source, std::uint8_t reductionMode, int reductionBits, const Palette* customPalette,
                    std::unique_ptr<TColorLookup>& lookup) {
  switch (reductionMode) {
    case 1: return Palette::System20();
    case 2: return Palette::Halftone256();
    case 3: return FixedPalette({{0, 0, 0, 0}, {128, 128, 128, 0}, {192, 192, 192, 0}, {255, 255, 255, 0}});
    case 4: lookup = std::make_unique<TMonochromeLookup>(); return FixedPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
    case 5: lookup = std::make_unique<TGrayScaleLookup>(); return GreyPalette();
    case 6: lookup = std::make_unique<TNetscapeColorLookup>(); return ColourCubePalette();
    case 7: return BuildOctreePalette(source, 1 << std::clamp(reductionBits, 1, 8), false);
    case 8: return BuildOctreePalette(source, 256, true);
    case 9: return customPalette ? *customPalette : Palette();
    default: return Palette();
  }
}

// The ditherer of a dither mode; none for an unknown mode.
std::unique_ptr<TDitherEngine> MakeDitherer(std::uint8_t ditherMode, int width, TColorLookup& lookup) {
  switch (ditherMode) {
    case 0: return std::make_unique<TDitherEngine>(width, lookup);
    case 1: return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case 2: return std::make_unique<TStuckiDitherer>(width, lookup);
    case 3: return std::make_unique<TSierraDitherer>(width, lookup);
    case 4: return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case 5: return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case 6: return std::make_unique<TBurkesDitherer>(width, lookup);
    default: return nullptr;
  }
}

// Maps every pixel of the 24-bit source into the 8-bit result, rows in the ditherer's order.
void DitherPixels(const Bitmap& source, TDitherEngine& ditherer, Bitmap& result) {
  const int width = source.Width();
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.ScanLine(y);
    std::uint8_t* out = result.ScanLine(y);
    while (ditherer.Column >= 0 && ditherer.Column < width) {
      const std::uint8_t* p = in + static_cast<std::size_t>(ditherer.Column) * 3;
      std::uint8_t r, g, b;
      out[ditherer.Column] = static_cast<std::uint8_t>(ditherer.MapPixel(p[2], p[1], p[0], r, g, b));
      ditherer.Column += ditherer.Direction;
    }
    ditherer.StartNextRow();
  }
}

}  // namespace

Bitmap ReducePictureColors(const Bitmap& source, std::uint8_t reductionMode, std::uint8_t ditherMode, int reductionBits,
                           const Palette* customPalette) {
  if (source.Format() != PixelFormat::pf24bit) throw std::logic_error("Assertion failure (ColorReduction)");
  if (reductionMode == 0) return source;
  if (reductionMode > 9) return Bitmap();

  std::unique_ptr<TColorLookup> lookup;
  const Palette palette = ModePalette(source, reductionMode, reductionBits, customPalette, lookup);
  if (!lookup) lookup = std::make_unique<TSlowColorLookup>(palette);
  if (lookup->Colors == 0) return Bitmap();

  const std::unique_ptr<TDitherEngine> ditherer = MakeDitherer(ditherMode, source.Width(), *lookup);
  if (!ditherer) return Bitmap();
  if (source.Empty()) throw platform::EBitmapError("Invalid image dimensions");

  Bitmap result(source.Width(), source.Height(), PixelFormat::pf8bit);
  result.SetPalette(palette);
  DitherPixels(source, *ditherer, result);
  return result;
}

}  // namespace assembly
