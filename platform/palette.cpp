#include "platform/palette.h"

#include <algorithm>

namespace platform {

Palette::Palette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

Palette& Palette::operator=(const Palette& other) {
  if (this != &other) {
    entries_ = other.entries_;
    index_.reset();
  }
  return *this;
}

void Palette::SetEntry(int i, PaletteEntry e) {
  entries_.at(static_cast<std::size_t>(i)) = e;
  index_.reset();
}

int Palette::NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
  if (entries_.empty()) return 0;
  if (!index_) index_ = std::make_shared<NearestColorIndex>(entries_);
  return index_->Find(red, green, blue);
}

Palette Palette::System20() {
  static const PaletteEntry kColors[20] = {
      {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
      {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
      {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
      {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
      {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
  };
  return Palette(std::vector<PaletteEntry>(std::begin(kColors), std::end(kColors)));
}

Palette Palette::Halftone256() {
  std::vector<PaletteEntry> e;
  e.reserve(256);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        e.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                     static_cast<std::uint8_t>(b * 51), 0});
  const Palette system = System20();
  for (const PaletteEntry& s : system.Entries()) e.push_back(s);
  // Greys between the cube's steps (0, 51, ..., 255): four in each of the five gaps.
  for (int gap = 0; gap < 5; ++gap)
    for (int k = 1; k <= 4; ++k) {
      auto v = static_cast<std::uint8_t>(gap * 51 + k * 51 / 5);
      e.push_back({v, v, v, 0});
    }
  return Palette(std::move(e));
}

Palette Palette::Monochrome() {
  return Palette({{0, 0, 0, 0}, {255, 255, 255, 0}});
}

NearestColorIndex::NearestColorIndex(const std::vector<PaletteEntry>& entries)
    : cache_(std::size_t{1} << kCacheBits, 0), cached_index_(std::size_t{1} << kCacheBits, 0) {
  sorted_.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    sorted_.push_back({entries[i].red, entries[i].green, entries[i].blue, static_cast<int>(i)});
  std::stable_sort(sorted_.begin(), sorted_.end(),
                   [](const Sorted& a, const Sorted& b) { return a.red < b.red; });
}

int NearestColorIndex::Find(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint32_t colour = (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
  const std::uint32_t key = colour | (1u << 24);
  const std::size_t slot = (colour * 2654435761u) >> (32 - kCacheBits);
  if (cache_[slot] == key) return cached_index_[slot];
  const int found = Search(red, green, blue);
  cache_[slot] = key;
  cached_index_[slot] = static_cast<std::uint8_t>(found);
  return found;
}

int NearestColorIndex::Search(int red, int green, int blue) const {
  // Start at the first entry with red >= the colour's red and widen to both sides; a side stops
  // once its red distance alone exceeds the best distance found (equal distances go on, so that
  // the lowest index among equals wins).
  const auto n = static_cast<int>(sorted_.size());
  int hi = static_cast<int>(std::lower_bound(sorted_.begin(), sorted_.end(), red,
                                             [](const Sorted& s, int r) { return s.red < r; }) -
                            sorted_.begin());
  int lo = hi - 1;
  int best = -1;
  int best_dist = 0x7fffffff;
  auto consider = [&](const Sorted& s) {
    const int dr = s.red - red, dg = s.green - green, db = s.blue - blue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best_dist || (d == best_dist && s.index < best)) {
      best_dist = d;
      best = s.index;
    }
  };
  while (lo >= 0 || hi < n) {
    if (hi < n) {
      const int dr = sorted_[static_cast<std::size_t>(hi)].red - red;
      if (dr * dr > best_dist) hi = n;
      else consider(sorted_[static_cast<std::size_t>(hi++)]);
    }
    if (lo >= 0) {
      const int dr = red - sorted_[static_cast<std::size_t>(lo)].red;
      if (dr * dr > best_dist) lo = -1;
      else consider(sorted_[static_cast<std::size_t>(lo--)]);
    }
  }
  return best < 0 ? 0 : best;
}

}  // namespace platform
