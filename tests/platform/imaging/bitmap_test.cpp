#include "platform/imaging/bitmap.h"
#include "platform/imaging/palette.h"

#include <gtest/gtest.h>

#include <random>

using namespace platform;

namespace {

int BruteNearest(const Palette& p, int r, int g, int b) {
  int best = 0, bestD = 1 << 30;
  for (int i = 0; i < p.Count(); ++i) {
    const int dr = p[i].Red - r, dg = p[i].Green - g, db = p[i].Blue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestD) { bestD = d; best = i; }
  }
  return best;
}

}  // namespace

TEST(Palette, NearestIndexIsExactWithTiesToTheLowerIndex) {
  // Duplicates and equal distances: black twice, and two greys equally far from 100.
  Palette p({{0, 0, 0, 0}, {90, 90, 90, 0}, {0, 0, 0, 0}, {110, 110, 110, 0}, {255, 0, 0, 0}});
  EXPECT_EQ(p.NearestIndex(0, 0, 0), 0);
  EXPECT_EQ(p.NearestIndex(100, 100, 100), 1);
  EXPECT_EQ(p.NearestIndex(200, 10, 10), 4);
  // Against a full scan, for fixed and random palettes and many colours (cache hits included).
  std::mt19937 rng(7);
  std::vector<Palette> palettes = {Palette::System20(), Palette::Halftone256(), Palette::Monochrome()};
  for (int n : {3, 16, 64, 256}) {
    std::vector<PaletteEntry> e;
    for (int i = 0; i < n; ++i)
      e.push_back({static_cast<std::uint8_t>(rng() % 8 * 32), static_cast<std::uint8_t>(rng() % 8 * 32),
                   static_cast<std::uint8_t>(rng() % 8 * 32), 0});
    palettes.emplace_back(e);
  }
  for (const Palette& pal : palettes)
    for (int k = 0; k < 20000; ++k) {
      const int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256), b = static_cast<int>(rng() % 256);
      ASSERT_EQ(pal.NearestIndex(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)),
                BruteNearest(pal, r, g, b)) << pal.Count() << " " << r << "," << g << "," << b;
    }
}

TEST(Palette, FixedPalettes) {
  EXPECT_EQ(Palette::System20().Count(), 20);
  EXPECT_EQ(Palette::System20()[0], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(Palette::System20()[19], (PaletteEntry{255, 255, 255, 0}));
  const Palette h = Palette::Halftone256();
  ASSERT_EQ(h.Count(), 256);
  EXPECT_EQ(h[2 * 36 + 3 * 6 + 5], (PaletteEntry{102, 153, 255, 0}));
  EXPECT_EQ(Bitmap::DefaultPalette(PixelFormat::pf4bit).Count(), 16);
}

TEST(Bitmap, RowLayoutOfEveryFormat) {
  struct Case { PixelFormat f; int width; std::size_t stride; };
  const Case cases[] = {{PixelFormat::pf1bit, 33, 8}, {PixelFormat::pf4bit, 9, 8}, {PixelFormat::pf8bit, 5, 8},
                        {PixelFormat::pf24bit, 3, 12}, {PixelFormat::pf24bit, 1, 4}, {PixelFormat::pf32bit, 3, 12}};
  for (const Case& c : cases) {
    Bitmap b(c.width, 2, c.f);
    EXPECT_EQ(b.Stride(), c.stride) << BitsPerPixel(c.f);
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), static_cast<std::ptrdiff_t>(c.stride));
  }
  Bitmap one(10, 1, PixelFormat::pf1bit);
  one.SetIndex(0, 0, 1);
  one.SetIndex(9, 0, 1);
  EXPECT_EQ(one.ScanLine(0)[0], 0x80);  // most significant bit first
  EXPECT_EQ(one.ScanLine(0)[1], 0x40);
  EXPECT_EQ(one.GetIndex(9, 0), 1);
  EXPECT_EQ(one.GetIndex(8, 0), 0);
  Bitmap four(3, 1, PixelFormat::pf4bit);
  four.SetIndex(0, 0, 0xA);
  four.SetIndex(1, 0, 0x5);
  four.SetIndex(2, 0, 0xF);
  EXPECT_EQ(four.ScanLine(0)[0], 0xA5);  // high nibble first
  EXPECT_EQ(four.ScanLine(0)[1], 0xF0);
  Bitmap rgb(2, 1, PixelFormat::pf24bit);
  rgb.SetPixel(1, 0, {1, 2, 3});
  EXPECT_EQ(rgb.ScanLine(0)[3], 3);  // blue, green, red
  EXPECT_EQ(rgb.ScanLine(0)[5], 1);
  Bitmap empty(0, 5, PixelFormat::pf8bit);
  EXPECT_TRUE(empty.Empty());
  EXPECT_THROW(Bitmap(-1, 1, PixelFormat::pf24bit), EBitmapError);
}

TEST(Bitmap, ConversionMapsToTheNearestEntryAndBack) {
  Bitmap src(3, 2, PixelFormat::pf24bit);
  src.Fill({255, 255, 255});
  src.SetPixel(0, 0, {10, 20, 30});
  src.SetPixel(2, 1, {200, 190, 180});
  const Bitmap mono = src.Converted(PixelFormat::pf1bit);
  EXPECT_EQ(mono.GetIndex(0, 0), 0);
  EXPECT_EQ(mono.GetIndex(2, 1), 1);
  EXPECT_EQ(mono.GetIndex(1, 0), 1);
  const Palette custom({{10, 20, 30, 0}, {250, 250, 250, 0}, {200, 190, 180, 0}});
  Bitmap eight = src.Converted(PixelFormat::pf8bit, custom);
  EXPECT_EQ(eight.GetIndex(0, 0), 0);
  EXPECT_EQ(eight.GetIndex(2, 1), 2);
  EXPECT_EQ(eight.GetIndex(1, 1), 1);
  // Palette to palette, then back to colour.
  const Bitmap four = eight.Converted(PixelFormat::pf4bit, custom);
  const Bitmap back = four.Converted(PixelFormat::pf32bit);
  EXPECT_EQ(back.GetPixel(0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(back.GetPixel(2, 1), (Rgb{200, 190, 180}));
  EXPECT_EQ(back.GetPixel(1, 0), (Rgb{250, 250, 250}));
  // Draw clips at every edge.
  Bitmap canvas(2, 2, PixelFormat::pf24bit);
  canvas.Draw(-2, 1, src);
  EXPECT_EQ(canvas.GetPixel(0, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(canvas.GetPixel(0, 0), (Rgb{0, 0, 0}));
  canvas.Draw(5, 5, src);
  canvas.Draw(1, -1, src);
  EXPECT_EQ(canvas.GetPixel(1, 0), (Rgb{255, 255, 255}));
}
