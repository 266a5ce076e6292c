// Pictures for the octree quantizer's tests: noise of a few or many levels, gradients and
// glyph-sheet-like pictures (ink mixed into paper by a coverage, per channel for ClearType);
// and a plain octree to compare the quantizer with.
// Built from raw mt19937 output, so that they are the same with every standard library.
#pragma once

#include "platform/imaging/bitmap.h"
#include "platform/imaging/palette.h"

#include <cstdint>
#include <map>
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
                 {mix(paper.Red, ink.Red, a[0]), mix(paper.Green, ink.Green, a[1]), mix(paper.Blue, ink.Blue, a[2])});
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

// An octree written out plainly, as the quantizer is described and not as it is coded: every
// node is the path of child indices from the root, kept in an ordered map, so that the map's
// order of paths is the palette's order (depth first, children by index). Red or blue gives
// the highest bit of a child index.
class ReferenceOctree {
public:
  ReferenceOctree(std::size_t limit, bool blueHigh) : limit_(limit), blueHigh_(blueHigh) {}

  void AddPicture(const platform::Bitmap& picture) {
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        const platform::Rgb c = picture.GetPixel(x, y);
        Add(c.Red, c.Green, c.Blue);
      }
  }

  void Add(int red, int green, int blue) {
    std::vector<int> path;
    for (int level = 0;; ++level) {
      auto [it, made] = nodes_.try_emplace(path);
      Node& node = it->second;
      if (made) {
        node.leaf = level == 8;
        if (node.leaf) ++leaves_;
        else madeAtLevel_[level].push_back(path);
      }
      if (node.leaf) {
        node.sum[0] += red;
        node.sum[1] += green;
        node.sum[2] += blue;
        ++node.pixels;
        break;
      }
      const int bit = 7 - level;  // the bits of this level, the key channel's the highest
      const int high = blueHigh_ ? blue : red, low = blueHigh_ ? red : blue;
      path.push_back(((high >> bit) & 1) * 4 + ((green >> bit) & 1) * 2 + ((low >> bit) & 1));
    }
    while (leaves_ > limit_) MergeLastMadeOfTheDeepestLevel();
  }

  // The mean colours of the leaves (rounded down), in path order.
  std::vector<platform::PaletteEntry> Means() const {
    std::vector<platform::PaletteEntry> out;
    for (const auto& [path, node] : nodes_)
      if (node.leaf)
        out.push_back({static_cast<std::uint8_t>(node.sum[0] / node.pixels),
                       static_cast<std::uint8_t>(node.sum[1] / node.pixels),
                       static_cast<std::uint8_t>(node.sum[2] / node.pixels), 0});
    return out;
  }

private:
  struct Node {
    bool leaf = false;
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t pixels = 0;
  };

  void MergeLastMadeOfTheDeepestLevel() {
    int level = 7;
    while (level > 0 && madeAtLevel_[level].empty()) --level;
    const std::vector<int> path = madeAtLevel_[level].back();
    madeAtLevel_[level].pop_back();
    Node& node = nodes_.at(path);
    for (int child = 0; child < 8; ++child) {
      std::vector<int> childPath = path;
      childPath.push_back(child);
      const auto it = nodes_.find(childPath);
      if (it == nodes_.end()) continue;
      for (int c = 0; c < 3; ++c) node.sum[c] += it->second.sum[c];
      node.pixels += it->second.pixels;
      nodes_.erase(it);
      --leaves_;
    }
    node.leaf = true;
    ++leaves_;
  }

  std::size_t limit_;
  bool blueHigh_;
  std::size_t leaves_ = 0;
  std::map<std::vector<int>, Node> nodes_;
  std::vector<std::vector<int>> madeAtLevel_[8];
};

}  // namespace octree_fixtures
