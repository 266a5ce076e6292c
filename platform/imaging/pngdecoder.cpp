#include "platform/imaging/picturedecoder.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

namespace platform {
namespace {

// Alpha blending over white.
inline std::uint8_t OverWhite(unsigned c, unsigned a) {
  return static_cast<std::uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

struct PngState {
  const std::string* Data;
  std::size_t Pos;
  char Message[200];
  bool TooLarge;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* st = static_cast<PngState*>(png_get_io_ptr(png));
  if (n > st->Data->size() - st->Pos) png_error(png, "unexpected end of file");
  std::memcpy(out, st->Data->data() + st->Pos, n);
  st->Pos += n;
}

void PngError(png_structp png, png_const_charp message) {
  auto* st = static_cast<PngState*>(png_get_error_ptr(png));
  std::snprintf(st->Message, sizeof st->Message, "%s", message ? message : "");
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void CompositeRow(const std::uint8_t* rgba, std::uint8_t* bgr, int w) {
  for (int x = 0; x < w; ++x, rgba += 4, bgr += 3) {
    const unsigned a = rgba[3];
    bgr[0] = OverWhite(rgba[2], a);
    bgr[1] = OverWhite(rgba[1], a);
    bgr[2] = OverWhite(rgba[0], a);
  }
}

// Interlaced pictures: libpng puts only the pixels of the pass into the row, which go
// straight into the bitmap, so no second copy of the picture is needed. Plain data only, as
// libpng's errors jump over this frame.
void ReadPngRows(png_structp png, int passes, png_uint_32 w, png_uint_32 h, std::uint8_t* row, Bitmap* out) {
  static const png_uint_32 kRowStart[7] = {0, 0, 4, 0, 2, 0, 1}, kRowStep[7] = {8, 8, 8, 4, 4, 2, 2};
  static const png_uint_32 kColStart[7] = {0, 4, 0, 2, 0, 1, 0}, kColStep[7] = {8, 8, 4, 4, 2, 2, 1};
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < h; ++y) {
      png_read_row(png, row, nullptr);
      std::uint8_t* target = out->ScanLine(static_cast<int>(y));
      if (passes == 1) {
        CompositeRow(row, target, static_cast<int>(w));
        continue;
      }
      if (y < kRowStart[pass] || (y - kRowStart[pass]) % kRowStep[pass] != 0) continue;
      for (png_uint_32 x = kColStart[pass]; x < w; x += kColStep[pass])
        CompositeRow(row + static_cast<std::size_t>(x) * 4, target + static_cast<std::size_t>(x) * 3, 1);
    }
  }
}

// Plain data only between setjmp and longjmp; the bitmap and buffers live in the caller.
bool DecodePngInto(PngState* st, Bitmap* out, std::vector<std::uint8_t>* buffer) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, st, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, st, PngRead);
  // Only the chunks the picture needs are read (IHDR, PLTE, tRNS, IDAT, IEND); the others,
  // whatever length they declare, are skipped without a buffer.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_malloc_max(png, 1u << 20);
  png_set_user_limits(png, static_cast<png_uint_32>(kMaxPicturePixels), static_cast<png_uint_32>(kMaxPicturePixels));
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  try {
    CheckPictureSize(w, h, st->Data->size(), kPngPixelsPerFileByte);
  } catch (const EImageError&) {
    st->TooLarge = true;
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  const int colour = png_get_color_type(png, info);
  png_set_expand(png);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (!(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(w) * 4) png_error(png, "unexpected row format");
  try {
    BookPictureMemory(static_cast<std::uint64_t>(w) * h * kConversionBytesPerPixel);
    *out = Bitmap(static_cast<int>(w), static_cast<int>(h), PixelFormat::pf24bit);
    buffer->assign(static_cast<std::size_t>(w) * 4, 0);
  } catch (...) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw;
  }
  ReadPngRows(png, passes, w, h, buffer->data(), out);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

Bitmap TPngDecoder::Decode(const std::string& data) const {
  Bitmap out;
  std::vector<std::uint8_t> buffer;
  auto st = std::make_unique<PngState>();
  st->Data = &data;
  if (!DecodePngInto(st.get(), &out, &buffer)) {
    if (st->TooLarge) throw EImageError("Picture too large");
    throw EImageError(std::string("Broken PNG picture: ") + st->Message);
  }
  return out;
}

}  // namespace platform
