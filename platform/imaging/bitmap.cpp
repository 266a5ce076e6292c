#include "platform/imaging/bitmap.h"

#include <algorithm>
#include <limits>
#include <new>

namespace platform {

int BitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::pf1bit: return 1;
    case PixelFormat::pf4bit: return 4;
    case PixelFormat::pf8bit: return 8;
    case PixelFormat::pf24bit: return 24;
    case PixelFormat::pf32bit: return 32;
  }
  return 24;
}

bool IsPaletteFormat(PixelFormat format) {
  return format == PixelFormat::pf1bit || format == PixelFormat::pf4bit ||
         format == PixelFormat::pf8bit;
}

Palette Bitmap::DefaultPalette(PixelFormat format) {
  switch (format) {
    case PixelFormat::pf1bit: return Palette::Monochrome();
    case PixelFormat::pf4bit: {
      std::vector<PaletteEntry> e = Palette::System20().Entries();
      // The eight dark colours and the eight bright ones of the classic 16-colour set.
      std::vector<PaletteEntry> sixteen(e.begin(), e.begin() + 8);
      sixteen.insert(sixteen.end(), e.end() - 8, e.end());
      return Palette(std::move(sixteen));
    }
    case PixelFormat::pf8bit: return Palette::Halftone256();
    default: return Palette();
  }
}

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
  if (width < 0 || height < 0) throw EBitmapError("Invalid image dimensions");
  width_ = width;
  height_ = height;
  const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * BitsPerPixel(format);
  stride_ = static_cast<std::size_t>((rowBits + 31) / 32 * 4);
  if (height > 0 && stride_ > std::numeric_limits<std::size_t>::max() / 2 / height)
    throw std::bad_alloc();
  data_.resize(stride_ * static_cast<std::size_t>(height));
  if (IsPaletteFormat(format)) palette_ = DefaultPalette(format);
}

void Bitmap::SetPalette(Palette palette) {
  if (!IsPaletteFormat(format_)) throw EBitmapError("Bitmap has no palette");
  const int max = 1 << Bits();
  if (palette.Count() > max) {
    std::vector<PaletteEntry> e = palette.Entries();
    e.resize(static_cast<std::size_t>(max));
    palette = Palette(std::move(e));
  }
  palette_ = std::move(palette);
}

int Bitmap::GetIndex(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case PixelFormat::pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case PixelFormat::pf4bit: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case PixelFormat::pf8bit: return row[x];
    default: throw EBitmapError("Bitmap has no palette");
  }
}

void Bitmap::SetIndex(int x, int y, int index) {
  std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case PixelFormat::pf1bit: {
      const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
      if (index & 1) row[x >> 3] |= mask;
      else row[x >> 3] &= static_cast<std::uint8_t>(~mask);
      break;
    }
    case PixelFormat::pf4bit: {
      std::uint8_t& b = row[x >> 1];
      if (x & 1) b = static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F));
      else b = static_cast<std::uint8_t>((b & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    case PixelFormat::pf8bit: row[x] = static_cast<std::uint8_t>(index); break;
    default: throw EBitmapError("Bitmap has no palette");
  }
}

Rgb Bitmap::GetPixel(int x, int y) const {
  if (IsPaletteFormat(format_)) {
    const int i = GetIndex(x, y);
    if (i >= palette_.Count()) return {};
    const PaletteEntry& e = palette_[i];
    return {e.Red, e.Green, e.Blue};
  }
  const std::uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * (Bits() / 8);
  return {p[2], p[1], p[0]};
}

void Bitmap::SetPixel(int x, int y, Rgb c) {
  if (IsPaletteFormat(format_)) {
    SetIndex(x, y, palette_.NearestIndex(c.Red, c.Green, c.Blue));
    return;
  }
  std::uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * (Bits() / 8);
  p[0] = c.Blue;
  p[1] = c.Green;
  p[2] = c.Red;
}

void Bitmap::Fill(Rgb c) {
  if (Empty()) return;
  if (IsPaletteFormat(format_)) {
    const int i = palette_.NearestIndex(c.Red, c.Green, c.Blue);
    std::uint8_t byte = 0;
    if (format_ == PixelFormat::pf1bit) byte = (i & 1) ? 0xFF : 0x00;
    else if (format_ == PixelFormat::pf4bit) byte = static_cast<std::uint8_t>((i & 15) * 0x11);
    else byte = static_cast<std::uint8_t>(i);
    std::fill(data_.begin(), data_.end(), byte);
    return;
  }
  const int step = Bits() / 8;
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* p = ScanLine(y);
    for (int x = 0; x < width_; ++x, p += step) {
      p[0] = c.Blue;
      p[1] = c.Green;
      p[2] = c.Red;
    }
  }
}

Bitmap Bitmap::Converted(PixelFormat format) const {
  return Converted(format, DefaultPalette(format));
}

Bitmap Bitmap::Converted(PixelFormat format, const Palette& palette) const {
  Bitmap out(width_, height_, format);
  if (IsPaletteFormat(format)) out.SetPalette(palette);
  out.Draw(0, 0, *this);
  return out;
}

void Bitmap::Draw(int x, int y, const Bitmap& src) {
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = static_cast<int>(std::min<long long>(width_, static_cast<long long>(x) + src.width_));
  const int y1 = static_cast<int>(std::min<long long>(height_, static_cast<long long>(y) + src.height_));
  if (x0 >= x1 || y0 >= y1) return;
  const bool srcColour = !IsPaletteFormat(src.format_);
  const bool dstColour = !IsPaletteFormat(format_);
  // Palette to palette: map each source entry once.
  std::vector<int> entryMap;
  if (!srcColour && !dstColour) {
    entryMap.resize(256, 0);
    const int black = palette_.NearestIndex(0, 0, 0);
    for (int i = 0; i < 256; ++i) {
      if (i < src.palette_.Count()) {
        const PaletteEntry& e = src.palette_[i];
        entryMap[static_cast<std::size_t>(i)] = palette_.NearestIndex(e.Red, e.Green, e.Blue);
      } else {
        entryMap[static_cast<std::size_t>(i)] = black;
      }
    }
  }
  for (int dy = y0; dy < y1; ++dy) {
    const int sy = dy - y;
    if (srcColour && dstColour) {
      const int ss = src.Bits() / 8, ds = Bits() / 8;
      const std::uint8_t* s = src.ScanLine(sy) + static_cast<std::size_t>(x0 - x) * ss;
      std::uint8_t* d = ScanLine(dy) + static_cast<std::size_t>(x0) * ds;
      for (int dx = x0; dx < x1; ++dx, s += ss, d += ds) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
      continue;
    }
    for (int dx = x0; dx < x1; ++dx) {
      const int sx = dx - x;
      if (!entryMap.empty()) SetIndex(dx, dy, entryMap[static_cast<std::size_t>(src.GetIndex(sx, sy))]);
      else SetPixel(dx, dy, src.GetPixel(sx, sy));
    }
  }
}

}  // namespace platform
