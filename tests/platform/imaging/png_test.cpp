#include "platform/imaging/png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <vector>

using namespace platform;

namespace {

std::vector<std::string> ChunkTypes(const std::string& file) {
  std::vector<std::string> types;
  std::size_t pos = 8;
  while (pos + 12 <= file.size()) {
    const auto* p = reinterpret_cast<const unsigned char*>(file.data() + pos);
    const std::size_t len = (std::size_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    types.push_back(file.substr(pos + 4, 4));
    pos += 12 + len;
  }
  return types;
}

struct Decoded {
  int width = 0, height = 0, depth = 0, colourType = 0, palette = 0;
  std::vector<int> indices;
};

// Reads back the packed indices with libpng itself.
Decoded Decode(const std::string& file) {
  Decoded d;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  struct Src { const std::string* s; std::size_t pos; } src{&file, 0};
  png_set_read_fn(png, &src, [](png_structp p, png_bytep out, png_size_t n) {
    auto* s = static_cast<Src*>(png_get_io_ptr(p));
    if (s->pos + n > s->s->size()) png_error(p, "short");
    std::memcpy(out, s->s->data() + s->pos, n);
    s->pos += n;
  });
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng could not read the file";
    return d;
  }
  png_read_info(png, info);
  d.width = static_cast<int>(png_get_image_width(png, info));
  d.height = static_cast<int>(png_get_image_height(png, info));
  d.depth = png_get_bit_depth(png, info);
  d.colourType = png_get_color_type(png, info);
  png_colorp plte = nullptr;
  png_get_PLTE(png, info, &plte, &d.palette);
  png_set_packing(png);
  std::vector<unsigned char> row(static_cast<std::size_t>(d.width));
  for (int y = 0; y < d.height; ++y) {
    png_read_row(png, row.data(), nullptr);
    for (unsigned char v : row) d.indices.push_back(v);
  }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return d;
}

}  // namespace

TEST(PalettePng, WritesEveryDepthWithOnlyTheFourChunks) {
  for (PixelFormat f : {PixelFormat::pf1bit, PixelFormat::pf4bit, PixelFormat::pf8bit}) {
    const int n = 1 << BitsPerPixel(f);
    Bitmap b(13, 5, f);
    std::vector<PaletteEntry> e;
    for (int i = 0; i < n; ++i) e.push_back({static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i), 0});
    b.SetPalette(Palette(e));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 13; ++x) b.SetIndex(x, y, (x * 7 + y * 3) % n);
    const std::string png = EncodePalettePng(b);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(ChunkTypes(png), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
    const Decoded d = Decode(png);
    EXPECT_EQ(d.width, 13);
    EXPECT_EQ(d.height, 5);
    EXPECT_EQ(d.depth, BitsPerPixel(f));
    EXPECT_EQ(d.colourType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(d.palette, n);
    ASSERT_EQ(d.indices.size(), 65u);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 13; ++x) EXPECT_EQ(d.indices[static_cast<std::size_t>(y * 13 + x)], (x * 7 + y * 3) % n);
  }
}

TEST(PalettePng, ShortPalettesAndRefusals) {
  // A 64-entry palette on an 8-bit bitmap is written as 64 entries.
  Bitmap b(4, 4, PixelFormat::pf8bit);
  b.SetPalette(Palette(std::vector<PaletteEntry>(64)));
  b.SetIndex(3, 3, 63);
  EXPECT_EQ(Decode(EncodePalettePng(b)).palette, 64);
  // An index past the palette's end gets a black entry so the file stays valid.
  b.SetPalette(Palette(std::vector<PaletteEntry>(2)));
  EXPECT_EQ(Decode(EncodePalettePng(b)).palette, 64);
  EXPECT_THROW(EncodePalettePng(Bitmap(2, 2, PixelFormat::pf24bit)), EPngError);
  EXPECT_THROW(EncodePalettePng(Bitmap(0, 2, PixelFormat::pf8bit)), EPngError);
}
