#include "platform/imaging/picturedecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace platform {
namespace {

struct GifSource {
  const std::string* Data;
  std::size_t Pos;
};

int ReadGif(GifFileType* gif, GifByteType* out, int n) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const std::size_t left = src->Data->size() - src->Pos;
  const std::size_t take = std::min(left, static_cast<std::size_t>(n < 0 ? 0 : n));
  std::memcpy(out, src->Data->data() + src->Pos, take);
  src->Pos += take;
  return static_cast<int>(take);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

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

Bitmap TGifDecoder::Decode(const std::string& data) const {
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

}  // namespace platform
