#include "platform/imaging/palette.h"

#include <algorithm>
#include <cstdlib>

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
    : cells_(4096), cache_(std::size_t{1} << kCacheBits, 0), cachedIndex_(std::size_t{1} << kCacheBits, 0) {
  entries_.reserve(entries.size());
  for (const PaletteEntry& e : entries) entries_.push_back({e.Red, e.Green, e.Blue});
}

int NearestColorIndex::Find(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint32_t colour = (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
  const std::uint32_t key = colour | (1u << 24);
  const std::size_t slot = (colour * 2654435761u) >> (32 - kCacheBits);
  if (cache_[slot] == key) return cachedIndex_[slot];
  const int found = Search(red, green, blue);
  cache_[slot] = key;
  cachedIndex_[slot] = static_cast<std::uint8_t>(found);
  return found;
}

void NearestColorIndex::BuildCell(int cell) {
  const int lo[3] = {(cell >> 8) * 16, ((cell >> 4) & 15) * 16, (cell & 15) * 16};
  auto nearFar = [&](const Entry& e, int& nearest, int& farthest) {
    const int v[3] = {e.Red, e.Green, e.Blue};
    nearest = farthest = 0;
    for (int c = 0; c < 3; ++c) {
      const int a = lo[c], b = lo[c] + 15;
      const int dn = v[c] < a ? a - v[c] : (v[c] > b ? v[c] - b : 0);
      const int df = std::max(std::abs(v[c] - a), std::abs(v[c] - b));
      nearest += dn * dn;
      farthest += df * df;
    }
  };
  // No colour of the cell is farther from its nearest entry than `bound`.
  int bound = 0x7fffffff;
  for (const Entry& e : entries_) {
    int n, f;
    nearFar(e, n, f);
    bound = std::min(bound, f);
  }
  CellList& list = cells_[static_cast<std::size_t>(cell)];
  list.Start = static_cast<std::uint32_t>(candidates_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    int n, f;
    nearFar(entries_[i], n, f);
    if (n <= bound) candidates_.push_back(static_cast<std::uint8_t>(i));
  }
  list.Count = static_cast<std::uint32_t>(candidates_.size()) - list.Start;
}

int NearestColorIndex::Search(int red, int green, int blue) {
  const int cell = ((red >> 4) << 8) | ((green >> 4) << 4) | (blue >> 4);
  if (cells_[static_cast<std::size_t>(cell)].Count == 0) BuildCell(cell);
  const CellList& list = cells_[static_cast<std::size_t>(cell)];
  const std::uint8_t* i = candidates_.data() + list.Start;
  const std::uint8_t* end = i + list.Count;
  int best = *i;
  int bestDist = 0x7fffffff;
  for (; i != end; ++i) {  // ascending indices: the first of equals stays
    const Entry& e = entries_[*i];
    const int dr = e.Red - red, dg = e.Green - green, db = e.Blue - blue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = *i;
    }
  }
  return best;
}

}  // namespace platform
