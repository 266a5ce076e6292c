#include "platform/imaging/png.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace platform {
namespace {

struct WriteState {
  std::string* Out;
  const char* Error;
};

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* st = static_cast<WriteState*>(png_get_io_ptr(png));
  st->Out->append(reinterpret_cast<const char*>(data), length);
}

void FlushData(png_structp) {}

void OnError(png_structp png, png_const_charp message) {
  auto* st = static_cast<WriteState*>(png_get_error_ptr(png));
  st->Error = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Everything that a longjmp may cross is plain data here.
bool WritePng(WriteState* st, const Bitmap& bitmap, const std::vector<png_color>& plte) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, st, OnError, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, st, WriteData, FlushData);
  png_set_compression_level(png, Z_BEST_COMPRESSION);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()),
               static_cast<png_uint_32>(bitmap.Height()), bitmap.Bits(), PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
  png_write_info(png, info);
  // Our rows already hold the packed indices in PNG's bit order.
  for (int y = 0; y < bitmap.Height(); ++y)
    png_write_row(png, const_cast<png_bytep>(bitmap.ScanLine(y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string EncodePalettePng(const Bitmap& bitmap) {
  if (!IsPaletteFormat(bitmap.Format())) throw EPngError("PNG encoder needs a palette bitmap");
  if (bitmap.Empty()) throw EPngError("Invalid image dimensions");
  std::vector<png_color> plte;
  for (const PaletteEntry& e : bitmap.GetPalette().Entries()) plte.push_back({e.Red, e.Green, e.Blue});
  const std::size_t max = std::size_t{1} << bitmap.Bits();
  if (plte.size() > max) plte.resize(max);
  // Every index used must have an entry: missing ones are black.
  std::size_t used = 1;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      used = std::max(used, static_cast<std::size_t>(bitmap.GetIndex(x, y)) + 1);
  if (plte.size() < used) plte.resize(used, png_color{0, 0, 0});
  std::string out;
  WriteState st{&out, nullptr};
  if (!WritePng(&st, bitmap, plte))
    throw EPngError(std::string("PNG encoding failed: ") + (st.Error ? st.Error : "out of memory"));
  return out;
}

}  // namespace platform
