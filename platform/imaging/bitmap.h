// Device-independent bitmaps in memory: 24- and 32-bit colour bitmaps and 1-, 4- and 8-bit
// palette bitmaps, top-down, each row padded to a multiple of 4 bytes.
//
// Row layout: 24 bits: blue, green, red per pixel; 32 bits: blue, green, red, unused;
// 8 bits: one index per byte; 4 bits: two per byte, high nibble first; 1 bit: eight per byte,
// most significant bit first.
#pragma once

#include "platform/imaging/palette.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace platform {

enum class PixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

int BitsPerPixel(PixelFormat format);
bool IsPaletteFormat(PixelFormat format);

struct Rgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A bitmap operation on a bitmap of the wrong pixel format or with impossible dimensions.
class EBitmapError : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

// Pixel memory from calloc: a large block comes zeroed from the system page by page as it is
// first touched, so a bitmap costs nothing before its rows are written. Growing a vector
// in place leaves the new elements as the block holds them (zero for a fresh block).
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}
  T* allocate(std::size_t n) {
    if (void* p = std::calloc(n, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, std::size_t) { std::free(p); }
  template <class U>
  void construct(U*) noexcept {}
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

class Bitmap {
public:
  Bitmap() = default;
  // Pixels start at 0 (black, or palette index 0), without the memory being touched. Palette formats get the default
  // palette of the format: black and white for 1 bit, the first 16 system colours for 4 bits, the halftone palette for
  // 8 bits. Negative sizes are refused.
  Bitmap(int width, int height, PixelFormat format);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  PixelFormat Format() const { return format_; }
  int Bits() const { return BitsPerPixel(format_); }
  // Bytes of one row, including the padding.
  std::size_t Stride() const { return stride_; }

  std::uint8_t* ScanLine(int y) { return data_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* ScanLine(int y) const {
    return data_.data() + static_cast<std::size_t>(y) * stride_;
  }

  const Palette& GetPalette() const { return palette_; }
  // Replaces the palette of a palette bitmap (the pixels keep their indices); at most
  // 2^bits entries are kept.
  void SetPalette(Palette palette);

  // Colour of a pixel in any format (palette formats look the index up; an index past the
  // palette's end gives black).
  Rgb GetPixel(int x, int y) const;
  // 24 and 32 bits: stores the colour; palette formats: stores the nearest palette index.
  void SetPixel(int x, int y, Rgb colour);
  // Palette formats only.
  int GetIndex(int x, int y) const;
  void SetIndex(int x, int y, int index);

  // Every pixel := the colour (24/32 bits) or the nearest palette entry (palette formats).
  void Fill(Rgb colour);

  // A copy in another format. Colour formats keep the colours; to a palette format every
  // colour is mapped to the nearest entry of `palette` (the format's default palette when
  // none is given).
  Bitmap Converted(PixelFormat format) const;
  Bitmap Converted(PixelFormat format, const Palette& palette) const;

  // Draws `src` with its top-left corner at (x, y), clipped to this bitmap; colours are mapped
  // to this bitmap's palette when it has one.
  void Draw(int x, int y, const Bitmap& src);

  static Palette DefaultPalette(PixelFormat format);

private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::pf24bit;
  std::size_t stride_ = 0;
  std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>> data_;  // only ever sized once, when empty
  Palette palette_;
};

}  // namespace platform
