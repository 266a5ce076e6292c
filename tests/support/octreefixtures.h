// Pictures for the octree quantizer's tests: noise of a few or many levels, gradients and
// glyph-sheet-like pictures (ink mixed into paper by a coverage, per channel for ClearType).
// Built from raw mt19937 output, so that they are the same with every standard library.
#pragma once

#include "platform/imaging/bitmap.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace octree_fixtures {

struct Fixture {
  std::string name;
  platform::Bitmap picture;  // 24-bit
};

inline platform::Bitmap Noise(int w, int h, int levels, std::uint32_t seed) {
  std::mt19937 rng(seed);
  platform::Bitmap b(w, h, platform::PixelFormat::pf24bit);
  const int step = 255 / (levels - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      auto level = [&] {
        return static_cast<std::uint8_t>(static_cast<int>(rng() % static_cast<std::uint32_t>(levels)) * step);
      };
      const std::uint8_t r = level(), g = level(), bl = level();
      b.SetPixel(x, y, {r, g, bl});
    }
  return b;
}

inline platform::Bitmap Gradient(int w, int h) {
  platform::Bitmap b(w, h, platform::PixelFormat::pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y,
                 {static_cast<std::uint8_t>(x * 255 / (w - 1)), static_cast<std::uint8_t>(y * 255 / (h - 1)),
                  static_cast<std::uint8_t>((x + y) * 255 / (w + h - 2))});
  return b;
}

// Ink over paper by a coverage of 0..255 per pixel (one coverage for all channels, or one
// per channel), mostly paper as on a glyph sheet.
inline platform::Bitmap Sheet(int w, int h, platform::Rgb ink, platform::Rgb paper, bool perChannel,
                              std::uint32_t seed) {
  std::mt19937 rng(seed);
  platform::Bitmap b(w, h, platform::PixelFormat::pf24bit);
  auto mix = [](int from, int to, int a) { return static_cast<std::uint8_t>(from + (to - from) * a / 255); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int a[3] = {0, 0, 0};
      if (rng() % 3 == 0) {
        a[0] = static_cast<int>(rng() % 256);
        a[1] = perChannel ? static_cast<int>(rng() % 256) : a[0];
        a[2] = perChannel ? static_cast<int>(rng() % 256) : a[0];
      }
      b.SetPixel(x, y,
                 {mix(paper.red, ink.red, a[0]), mix(paper.green, ink.green, a[1]), mix(paper.blue, ink.blue, a[2])});
    }
  return b;
}

inline std::vector<Fixture> All() {
  std::vector<Fixture> f;
  f.push_back({"noise 4 levels", Noise(40, 30, 4, 1)});
  f.push_back({"noise 256 levels", Noise(64, 64, 256, 2)});
  f.push_back({"noise 16 levels", Noise(200, 60, 16, 3)});
  f.push_back({"gradient", Gradient(97, 61)});
  f.push_back({"sheet grey", Sheet(200, 48, {0, 0, 0}, {255, 255, 255}, false, 4)});
  f.push_back({"sheet colour", Sheet(200, 96, {255, 255, 0}, {16, 32, 64}, false, 5)});
  f.push_back({"sheet ClearType", Sheet(200, 120, {0, 0, 0}, {255, 255, 255}, true, 6)});
  return f;
}

// FNV-1a over bytes.
inline std::uint32_t Fnv(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t h = 2166136261u;
  for (std::uint8_t c : bytes) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

// The palette's entries (red, green, blue, flags) and, for palette bitmaps, every index.
inline std::uint32_t Fingerprint(const platform::Palette& palette, const platform::Bitmap* indices = nullptr) {
  std::vector<std::uint8_t> bytes;
  for (const platform::PaletteEntry& e : palette.Entries())
    bytes.insert(bytes.end(), {e.red, e.green, e.blue, e.flags});
  if (indices)
    for (int y = 0; y < indices->Height(); ++y)
      for (int x = 0; x < indices->Width(); ++x) bytes.push_back(static_cast<std::uint8_t>(indices->GetIndex(x, y)));
  return Fnv(bytes);
}

}  // namespace octree_fixtures
