#include "platform/imaging/imagefile.h"

#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include <gif_lib.h>
#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

namespace platform {

void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t fileSize) {
  if (width == 0 || height == 0) throw EImageError("Picture has no pixels");
  const std::uint64_t pixels = width * height;
  if (width > kMaxPicturePixels || height > kMaxPicturePixels || pixels > kMaxPicturePixels ||
      pixels / kMaxPixelsPerFileByte > fileSize)
    throw EImageError("Picture too large");
}

namespace {

std::mutex budgetMutex;
std::condition_variable budgetFreed;
std::uint64_t budgetUsed = 0;  // guarded by budgetMutex
thread_local TPictureMemory* currentHolder = nullptr;

}  // namespace

TPictureMemory::TPictureMemory() : outer_(currentHolder) { currentHolder = this; }

TPictureMemory::~TPictureMemory() {
  currentHolder = outer_;
  if (booked_ == 0) return;
  std::lock_guard lock(budgetMutex);
  budgetUsed -= booked_;
  budgetFreed.notify_all();
}

void BookPictureMemory(std::uint64_t bytes) {
  TPictureMemory* holder = currentHolder;
  if (holder == nullptr || bytes == 0) return;
  std::unique_lock lock(budgetMutex);
  // Only a holder that has booked nothing waits, so waiting threads hold nothing.
  if (holder->booked_ == 0)
    budgetFreed.wait(lock, [&] { return budgetUsed == 0 || budgetUsed + bytes <= kPictureMemoryBudget; });
  budgetUsed += bytes;
  holder->booked_ += bytes;
}

namespace {

// Alpha blending over white.
inline std::uint8_t OverWhite(unsigned c, unsigned a) {
  return static_cast<std::uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

// ---- GIF

struct GifSource {
  const std::string* data;
  std::size_t pos;
};

int ReadGif(GifFileType* gif, GifByteType* out, int n) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const std::size_t left = src->data->size() - src->pos;
  const std::size_t take = std::min(left, static_cast<std::size_t>(n < 0 ? 0 : n));
  std::memcpy(out, src->data->data() + src->pos, take);
  src->pos += take;
  return static_cast<int>(take);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

}  // namespace

Bitmap DecodeGif(const std::string& data) {
  GifSource src{&data, 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&src, ReadGif, &error));
  if (!gif) throw EImageError("Not a GIF picture");
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) throw EImageError("Broken GIF picture");
    if (type == TERMINATE_RECORD_TYPE) throw EImageError("GIF picture without an image");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR) throw EImageError("Broken GIF picture");
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4)
        transparent = (ext[1] & 1) ? ext[4] : -1;
      while (ext) {
        if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR) throw EImageError("Broken GIF picture");
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) throw EImageError("Broken GIF picture");
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount <= 0) throw EImageError("GIF picture without colours");
    const int fw = desc.Width, fh = desc.Height;
    CheckPictureSize(static_cast<std::uint64_t>(std::max(fw, 0)), static_cast<std::uint64_t>(std::max(fh, 0)),
                     data.size());
    BookPictureMemory(static_cast<std::uint64_t>(fw) * static_cast<std::uint64_t>(fh) * kConversionBytesPerPixel);
    Bitmap out(fw, fh, PixelFormat::pf24bit);
    out.Fill({255, 255, 255});
    std::vector<GifPixelType> line(static_cast<std::size_t>(fw));
    // Interlaced images come in four passes of rows.
    static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const int start = desc.Interlace ? kStart[pass] : 0, step = desc.Interlace ? kStep[pass] : 1;
      for (int row = start; row < fh; row += step) {
        if (DGifGetLine(gif.get(), line.data(), fw) == GIF_ERROR) throw EImageError("Broken GIF picture");
        std::uint8_t* p = out.ScanLine(row);
        for (int x = 0; x < fw; ++x) {
          const int index = line[static_cast<std::size_t>(x)];
          if (index == transparent) continue;
          std::uint8_t* q = p + static_cast<std::size_t>(x) * 3;
          if (index >= map->ColorCount) {
            q[0] = q[1] = q[2] = 0;
            continue;
          }
          const GifColorType& c = map->Colors[index];
          q[0] = c.Blue;
          q[1] = c.Green;
          q[2] = c.Red;
        }
      }
    }
    return out;
  }
}

// ---- JPEG

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings pass, except running out of data: a truncated file counts as broken.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegErrorExit(cinfo);
}

// One row of CMYK samples (inverted inks when `inverted`) as blue, green, red.
void CmykToBgr(const std::uint8_t* s, std::uint8_t* p, int w, bool inverted) {
  for (int x = 0; x < w; ++x, s += 4, p += 3) {
    unsigned c = s[0], m = s[1], yy = s[2], k = s[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      yy = 255 - yy;
      k = 255 - k;
    }
    p[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    p[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    p[0] = static_cast<std::uint8_t>((yy * k + 127) / 255);
  }
}

// Plain data only between setjmp and longjmp; the bitmap and the row live in the caller.
bool DecodeJpegInto(const std::string& data, Bitmap* out, std::vector<std::uint8_t>* row, JpegError* err,
                    bool* tooLarge) {
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&err->mgr);
  err->mgr.error_exit = JpegErrorExit;
  err->mgr.emit_message = JpegMessage;
  err->message[0] = 0;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  try {
    CheckPictureSize(cinfo.image_width, cinfo.image_height, data.size());
  } catch (const EImageError&) {
    *tooLarge = true;
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // A progressive file keeps the coefficients of the whole picture (2 bytes a sample).
  const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height;
  BookPictureMemory(pixels *
                    (kConversionBytesPerPixel +
                     (jpeg_has_multiple_scans(&cinfo) ? 2u * static_cast<unsigned>(cinfo.num_components) : 0u)));
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
  try {
    *out = Bitmap(w, h, PixelFormat::pf24bit);
    if (cmyk) row->assign(static_cast<std::size_t>(w) * 4, 0);
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  // Adobe's CMYK files store the inks inverted.
  const bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW target = cmyk ? row->data() : out->ScanLine(y);
    jpeg_read_scanlines(&cinfo, &target, 1);
    if (!cmyk) continue;
    CmykToBgr(row->data(), out->ScanLine(y), w, inverted);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Bitmap DecodeJpeg(const std::string& data) {
  Bitmap out;
  std::vector<std::uint8_t> row;
  auto err = std::make_unique<JpegError>();
  bool tooLarge = false;
  if (!DecodeJpegInto(data, &out, &row, err.get(), &tooLarge)) {
    if (tooLarge) throw EImageError("Picture too large");
    throw EImageError(std::string("Broken JPEG picture: ") + err->message);
  }
  return out;
}

// ---- PNG

namespace {

struct PngState {
  const std::string* data;
  std::size_t pos;
  char message[200];
  bool tooLarge;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* st = static_cast<PngState*>(png_get_io_ptr(png));
  if (n > st->data->size() - st->pos) png_error(png, "unexpected end of file");
  std::memcpy(out, st->data->data() + st->pos, n);
  st->pos += n;
}

void PngError(png_structp png, png_const_charp message) {
  auto* st = static_cast<PngState*>(png_get_error_ptr(png));
  std::snprintf(st->message, sizeof st->message, "%s", message ? message : "");
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
    CheckPictureSize(w, h, st->data->size());
  } catch (const EImageError&) {
    st->tooLarge = true;
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
  BookPictureMemory(static_cast<std::uint64_t>(w) * h * kConversionBytesPerPixel);
  try {
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

Bitmap DecodePng(const std::string& data) {
  Bitmap out;
  std::vector<std::uint8_t> buffer;
  auto st = std::make_unique<PngState>();
  st->data = &data;
  if (!DecodePngInto(st.get(), &out, &buffer)) {
    if (st->tooLarge) throw EImageError("Picture too large");
    throw EImageError(std::string("Broken PNG picture: ") + st->message);
  }
  return out;
}

}  // namespace platform
