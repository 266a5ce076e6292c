#include "platform/imaging/imagefile.h"

#include <algorithm>
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

void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t fileSize,
                      std::uint64_t pixelsPerFileByte) {
  if (width == 0 || height == 0) throw EImageError("Picture has no pixels");
  if (width > kMaxPicturePixels || height > kMaxPicturePixels) throw EImageError("Picture too large");
  const std::uint64_t pixels = width * height;
  if (pixels > kMaxPicturePixels || (pixels + pixelsPerFileByte - 1) / pixelsPerFileByte > fileSize)
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
  const std::uint64_t booked = holder == nullptr ? 0 : holder->booked_;
  if (bytes > kPictureMemoryBudget || booked + bytes > kPictureMemoryBudget)
    throw EImageError("Picture too large for the memory of the conversion");
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

namespace {

void BrokenGif() { throw EImageError("Broken GIF picture"); }

void FillRowWhite(Bitmap& b, int y) { std::memset(b.ScanLine(y), 255, static_cast<std::size_t>(b.Width()) * 3); }

// One row of colour indices as blue, green, red; the transparent index keeps the white.
void PutGifRow(const GifPixelType* line, int count, const ColorMapObject& map, int transparent, std::uint8_t* p) {
  for (int x = 0; x < count; ++x, p += 3) {
    const int index = line[x];
    if (index == transparent) continue;
    if (index >= map.ColorCount) {
      p[0] = p[1] = p[2] = 0;
      continue;
    }
    const GifColorType& c = map.Colors[index];
    p[0] = c.Blue;
    p[1] = c.Green;
    p[2] = c.Red;
  }
}

// The white screen with the image drawn at its offset. Each row is made white only when it
// is reached, so a truncated file fails before a large screen is touched.
Bitmap DecodeGifImage(GifFileType* gif, int transparent, std::size_t fileSize) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) BrokenGif();
  const GifImageDesc& desc = gif->Image;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || map->ColorCount <= 0) throw EImageError("GIF picture without colours");
  const int fw = std::max(desc.Width, 0), fh = std::max(desc.Height, 0);
  const int left = std::max(desc.Left, 0), top = std::max(desc.Top, 0);
  CheckPictureSize(static_cast<std::uint64_t>(fw), static_cast<std::uint64_t>(fh), fileSize, kGifPixelsPerFileByte);
  const std::uint64_t sw = gif->SWidth > 0 ? static_cast<std::uint64_t>(gif->SWidth) : std::uint64_t{0} + left + fw;
  const std::uint64_t sh = gif->SHeight > 0 ? static_cast<std::uint64_t>(gif->SHeight) : std::uint64_t{0} + top + fh;
  if (sw * sh > kMaxPicturePixels) throw EImageError("GIF screen too large");
  BookPictureMemory(sw * sh * kConversionBytesPerPixel);
  Bitmap out(static_cast<int>(sw), static_cast<int>(sh), PixelFormat::pf24bit);
  const int visible = std::clamp(static_cast<int>(sw) - left, 0, fw);
  std::vector<GifPixelType> line(static_cast<std::size_t>(fw));
  // Interlaced images come in four passes of rows.
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  const int passes = desc.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = desc.Interlace ? kStart[pass] : 0, step = desc.Interlace ? kStep[pass] : 1;
    for (int row = start; row < fh; row += step) {
      if (DGifGetLine(gif, line.data(), fw) == GIF_ERROR) BrokenGif();
      const std::uint64_t y = std::uint64_t{0} + top + row;
      if (y >= sh) continue;
      FillRowWhite(out, static_cast<int>(y));
      PutGifRow(line.data(), visible, *map, transparent, out.ScanLine(static_cast<int>(y)) + std::size_t{3} * left);
    }
  }
  for (std::uint64_t y = 0; y < sh; ++y)
    if (y < static_cast<std::uint64_t>(top) || y >= std::uint64_t{0} + top + fh) FillRowWhite(out, static_cast<int>(y));
  return out;
}

}  // namespace

Bitmap DecodeGif(const std::string& data) {
  GifSource src{&data, 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&src, ReadGif, &error));
  if (!gif) throw EImageError("Not a GIF picture");
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) BrokenGif();
    if (type == TERMINATE_RECORD_TYPE) throw EImageError("GIF picture without an image");
    if (type == IMAGE_DESC_RECORD_TYPE) return DecodeGifImage(gif.get(), transparent, data.size());
    if (type != EXTENSION_RECORD_TYPE) continue;
    int code = 0;
    GifByteType* ext = nullptr;
    if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR) BrokenGif();
    if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) transparent = (ext[1] & 1) ? ext[4] : -1;
    while (ext) {
      if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR) BrokenGif();
    }
  }
}

// ---- JPEG

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  const char* refusal;  // why the picture was refused before decoding, or nullptr
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

// Bytes of the entropy-coded data from `at` to the next marker other than a restart; `at`
// is left at that marker.
std::size_t EntropyBytes(const std::string& d, std::size_t& at) {
  const std::size_t start = at;
  while (at + 1 < d.size()) {
    const auto next = static_cast<std::uint8_t>(d[at + 1]);
    if (static_cast<std::uint8_t>(d[at]) == 0xFF && next != 0x00 && next != 0xFF && (next < 0xD0 || next > 0xD7)) break;
    ++at;
  }
  return at - start;
}

// Whether every component of a progressive picture has a first DC scan holding at least one
// bit for each of its blocks. Scans of AC codes alone would leave every pixel to be made up.
bool DcScansCoverBlocks(const std::string& d, const jpeg_decompress_struct& cinfo) {
  std::vector<bool> covered(static_cast<std::size_t>(cinfo.num_components), false);
  std::size_t at = 2;
  while (at + 4 <= d.size()) {
    const auto marker = static_cast<std::uint8_t>(d[at + 1]);
    if (static_cast<std::uint8_t>(d[at]) != 0xFF || marker == 0xFF || marker == 0x01 ||
        (marker >= 0xD0 && marker <= 0xD8)) {
      ++at;
      continue;
    }
    if (marker == 0xD9) break;
    const std::size_t length =
        static_cast<std::size_t>(static_cast<std::uint8_t>(d[at + 2])) << 8 | static_cast<std::uint8_t>(d[at + 3]);
    const std::size_t head = at + 4;
    at += 2 + length;
    if (marker != 0xDA) continue;
    const std::size_t count = head < d.size() ? static_cast<std::uint8_t>(d[head]) : 0;
    if (length < 6 + 2 * count || at > d.size()) break;
    const std::size_t bytes = EntropyBytes(d, at);
    if (d[head + 1 + 2 * count] != 0 || (static_cast<std::uint8_t>(d[head + 3 + 2 * count]) >> 4) != 0) continue;
    std::uint64_t blocks = 0;
    std::vector<std::size_t> scanned;
    for (std::size_t i = 0; i < count; ++i)
      for (int c = 0; c < cinfo.num_components; ++c)
        if (cinfo.comp_info[c].component_id == static_cast<std::uint8_t>(d[head + 1 + 2 * i])) {
          blocks += std::uint64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks;
          scanned.push_back(static_cast<std::size_t>(c));
        }
    if (std::uint64_t{bytes} * 8 >= blocks)
      for (std::size_t c : scanned) covered[c] = true;
  }
  return std::all_of(covered.begin(), covered.end(), [](bool b) { return b; });
}

// Why the picture is refused before it is decoded (nullptr when it is not), having booked
// its memory: the bitmap, and the coefficients of every block when the file has several scans.
const char* JpegRefusal(const std::string& data, const jpeg_decompress_struct& cinfo) {
  try {
    CheckPictureSize(cinfo.image_width, cinfo.image_height, data.size(), kJpegPixelsPerFileByte);
  } catch (const EImageError&) {
    return "Picture too large";
  }
  if (cinfo.progressive_mode && !DcScansCoverBlocks(data, cinfo))
    return "Progressive JPEG picture without the data of its pixels";
  std::uint64_t coefficients = 0;
  if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo)))
    for (int c = 0; c < cinfo.num_components; ++c)
      coefficients += std::uint64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks *
                      DCTSIZE2 * sizeof(JCOEF);
  try {
    BookPictureMemory(std::uint64_t{cinfo.image_width} * cinfo.image_height * kConversionBytesPerPixel + coefficients);
  } catch (const EImageError&) {
    return "Picture too large for the memory of the conversion";
  }
  return nullptr;
}

// Plain data only between setjmp and longjmp; the bitmap and the row live in the caller.
bool DecodeJpegInto(const std::string& data, Bitmap* out, std::vector<std::uint8_t>* row, JpegError* err) {
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&err->mgr);
  err->mgr.error_exit = JpegErrorExit;
  err->mgr.emit_message = JpegMessage;
  err->message[0] = 0;
  err->refusal = nullptr;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = static_cast<long>(kPictureMemoryBudget);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  err->refusal = JpegRefusal(data, cinfo);
  if (err->refusal != nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
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
  if (!DecodeJpegInto(data, &out, &row, err.get())) {
    if (err->refusal != nullptr) throw EImageError(err->refusal);
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
    CheckPictureSize(w, h, st->data->size(), kPngPixelsPerFileByte);
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
