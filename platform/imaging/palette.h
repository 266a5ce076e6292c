// Colour palettes of up to 256 entries and the nearest-entry search of palette bitmaps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Flag of a palette entry that must not be merged with an equal system colour.
constexpr std::uint8_t PC_NOCOLLAPSE = 0x04;

struct PaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Flags = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

class NearestColorIndex;

class Palette {
public:
  static constexpr int kMaxEntries = 256;

  Palette() = default;
  explicit Palette(std::vector<PaletteEntry> entries);  // keeps at most 256 entries
  Palette(const Palette& other) : entries_(other.entries_) {}
  Palette& operator=(const Palette& other);
  Palette(Palette&&) noexcept = default;
  Palette& operator=(Palette&&) noexcept = default;

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  const PaletteEntry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }
  const std::vector<PaletteEntry>& Entries() const { return entries_; }

  // The entry nearest to a colour: least squared distance in red, green and blue, ties to the
  // lower index. An empty palette gives 0. Repeated calls are served from a cache.
  int NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

  friend bool operator==(const Palette& a, const Palette& b) { return a.entries_ == b.entries_; }

  // Our own fixed palettes. The 20 system colours: the 16 colours of the classic VGA set with
  // four pastel tints, in two halves of ten (dark colours first, bright ones last).
  static Palette System20();
  // 256 colours for showing any picture: the 6 x 6 x 6 cube of steps of 51, then the 20
  // system colours, then 20 greys between the cube's grey steps.
  static Palette Halftone256();
  // Black (0) and white (1).
  static Palette Monochrome();

private:
  std::vector<PaletteEntry> entries_;
  mutable std::shared_ptr<NearestColorIndex> index_;  // built on first search
};

// Exact nearest-entry search over a fixed list of colours. The colour cube is cut into cells
// of 16 x 16 x 16; each cell keeps, once it is first used, the entries that can be nearest to
// some colour in it (every entry not farther from the cell than the best entry's farthest
// point). A direct-mapped cache keeps recent answers.
class NearestColorIndex {
public:
  explicit NearestColorIndex(const std::vector<PaletteEntry>& entries);
  int Find(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

private:
  int Search(int red, int green, int blue);
  void BuildCell(int cell);

  struct Entry {
    int Red, Green, Blue;
  };
  std::vector<Entry> entries_;
  struct CellList {
    std::uint32_t Start = 0, Count = 0;  // Count 0: not built yet
  };
  std::vector<CellList> cells_;  // 4096 cells
  std::vector<std::uint8_t> candidates_;  // the lists of the cells built so far
  static constexpr int kCacheBits = 16;
  std::vector<std::uint32_t> cache_;  // colour | 1 << 24 when filled
  std::vector<std::uint8_t> cachedIndex_;
};

}  // namespace platform
