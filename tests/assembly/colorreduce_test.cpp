#include "assembly/bitmaputils.h"
#include "assembly/colorreduce.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace assembly;
using platform::Bitmap;
using platform::Palette;
using platform::PaletteEntry;
using platform::PixelFormat;
using platform::Rgb;

namespace {

using Grid = std::vector<std::vector<int>>;

Bitmap GreyPicture(const Grid& g) {
  Bitmap b(static_cast<int>(g[0].size()), static_cast<int>(g.size()), PixelFormat::pf24bit);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const auto v = static_cast<std::uint8_t>(g[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
      b.SetPixel(x, y, {v, v, v});
    }
  return b;
}

Grid Indices(const Bitmap& b) {
  Grid g(static_cast<std::size_t>(b.Height()), std::vector<int>(static_cast<std::size_t>(b.Width())));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) g[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = b.GetIndex(x, y);
  return g;
}

Bitmap RandomPicture(int w, int h, int levels, unsigned seed) {
  std::mt19937 rng(seed);
  Bitmap b(w, h, PixelFormat::pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, {static_cast<std::uint8_t>(rng() % levels * 255 / (levels - 1)),
                        static_cast<std::uint8_t>(rng() % levels * 255 / (levels - 1)),
                        static_cast<std::uint8_t>(rng() % levels * 255 / (levels - 1))});
  return b;
}

}  // namespace

// Floyd-Steinberg worked by hand, grey pictures to black and white (grey <= 127 is black).
// Per pixel: v = grey + (C + E + 8) div 16 with E the error entry under the pointer (entry 0
// first in a left-to-right row, width + 1 in a right-to-left one, one entry per pixel); then
// with e = v - 0 or v - 255: e not 0 sets E := B + 3e, B := P + 5e, P := e, C := 7e; e = 0
// sets only C := 0. A row's end stores B under the pointer and clears C, B and P.
TEST(Dithering, FloydSteinbergByHand) {
  struct Case {
    const char* name;
    Grid picture, expected;
  };
  const Case cases[] = {
      // Row 0: x0 v 100 e 100: E0 300, B 500, P 100, C 700. x1 v 100 + 708/16 = 144 white,
      //   e -111: E1 167, B -455, P -111, C -777. x2 v 100 - 769/16 = 52 black, e 52: E2 -299,
      //   B 149. End: E3 := 149.
      // Row 1 from entry 4: x2 v 100 e 100: E4 300, B 500, P 100, C 700. x1 reads E3:
      //   v 100 + (700 + 149 + 8)/16 = 153 white, e -102: B -410, C -714. x0 reads E2:
      //   v 100 + (-714 - 299 + 8)/16 = 38 black.
      {"grey 3 x 2", {{100, 100, 100}, {100, 100, 100}}, {{0, 1, 0}, {0, 1, 0}}},
      // Row 0 as above, then x3 v 100 + (364 + 8)/16 = 123 black, e 123: E3 518, B 667. End: E4 := 667.
      // Row 1 from entry 5: x3 v 100, e 100: E5 300, B 500, P 100, C 700. x2 reads E4:
      //   v 100 + (700 + 667 + 8)/16 = 185 white, e -70: E4 290, B -250, P -70, C -490.
      //   x1 reads E3: v 100 + (-490 + 518 + 8)/16 = 102 black, e 102: E3 56, B 440, P 102,
      //   C 714. x0 reads E2: v 100 + (714 - 299 + 8)/16 = 126 black, e 126: E2 818, B 732. End: E1 := 732.
      // Row 2 from entry 0: x0 reads E0: v 100 + 308/16 = 119 black, e 119: B 595, P 119, C 833.
      //   x1 reads E1: v 100 + (833 + 732 + 8)/16 = 198 white, e -57: B -166, P -57, C -399.
      //   x2 reads E2: v 100 + (-399 + 818 + 8)/16 = 126 black, e 126: C 882. x3 reads E3:
      //   v 100 + (882 + 56 + 8)/16 = 159 white.
      {"grey 4 x 3", {{100, 100, 100, 100}, {100, 100, 100, 100}, {100, 100, 100, 100}},
       {{0, 1, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 1}}},
      // Row 0: x0 v 170 white, e -85: E0 -255, B -425, P -85, C -595. x1 v 140 - 587/16 = 104
      //   black, e 104: E1 -113, B 435, P 104, C 728. x2 v 200 + 736/16 = 246 white, e -9:
      //   E2 408, B 59. End: E3 := 59.
      // Row 1, all white, from entry 4: E4 0, E3 59, E2 408 give 255 or more: every e is 0, so
      //   E2, E3, B (0) and P (0) stay and C is 0. End: E1 := 0.
      // Row 2 from entry 0: x0 reads row 0's E0: v 140 + (-255 + 8)/16 = 125 black, e 125:
      //   B 625, P 125, C 875. x1 reads E1: v 140 + 883/16 = 195 white, e -60: C -420.
      //   x2 reads E2, still row 0's: v 60 + (-420 + 408 + 8)/16 = 60 black.
      {"a white row without error", {{170, 140, 200}, {255, 255, 255}, {140, 140, 60}},
       {{1, 0, 1}, {1, 1, 1}, {0, 1, 0}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Indices(ReducePictureColors(GreyPicture(c.picture), 4, 1)), c.expected) << c.name;
}

TEST(Dithering, GoldensOfEveryKernel) {
  // Computed by a separate reference of the kernel table (serpentine rows, rounding
  // (A + D / 2) div D toward zero, clamping), black and white; Floyd-Steinberg by a separate
  // reference of its one-row scheme (see FloydSteinbergByHand).
  const Grid picture = {{170, 170, 110, 90, 110, 40}, {110, 140, 140, 90, 90, 170},
                        {110, 90, 110, 140, 90, 140}, {210, 140, 210, 170, 90, 140}};
  struct Case { std::uint8_t mode; const char* name; Grid expected; };
  const Case cases[] = {
      {1, "Floyd-Steinberg", {{1, 1, 0, 0, 1, 0}, {0, 1, 1, 0, 0, 1}, {0, 1, 0, 0, 1, 1}, {1, 1, 1, 1, 0, 0}}},
      {2, "Stucki", {{1, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1}, {0, 1, 0, 1, 0, 1}, {1, 1, 1, 1, 0, 0}}},
      {3, "Sierra", {{1, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1}, {0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 0}}},
      {4, "Jarvis-Judice-Ninke", {{1, 1, 0, 0, 1, 0}, {0, 1, 1, 0, 0, 1}, {0, 0, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 0}}},
      {5, "Stevenson-Arce", {{1, 1, 0, 0, 0, 0}, {0, 1, 1, 0, 0, 1}, {0, 0, 1, 1, 0, 1}, {1, 1, 1, 1, 0, 1}}},
      {6, "Burkes", {{1, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1}, {1, 0, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 0}}},
  };
  for (const Case& c : cases) {
    const Bitmap out = ReducePictureColors(GreyPicture(picture), 4, c.mode);
    ASSERT_EQ(out.Format(), PixelFormat::pf8bit);
    EXPECT_EQ(Indices(out), c.expected) << c.name;
  }
}

TEST(Dithering, PaletteColoursCarryNoError) {
  // Every colour is an entry of the cube: all ditherers give the nearest-colour indices.
  const Bitmap cube = RandomPicture(11, 6, 6, 5);
  const Bitmap plain = ReducePictureColors(cube, 6, 0);
  for (std::uint8_t d = 1; d <= 6; ++d) EXPECT_EQ(Indices(ReducePictureColors(cube, 6, d)), Indices(plain)) << int(d);
  for (int y = 0; y < cube.Height(); ++y)
    for (int x = 0; x < cube.Width(); ++x) ASSERT_EQ(plain.GetPixel(x, y), cube.GetPixel(x, y));
}

TEST(ColorLookups, FixedRules) {
  std::uint8_t r, g, b;
  TMonochromeLookup mono;
  struct M { Rgb in; int index; };
  for (const M& m : {M{{127, 127, 127}, 0}, M{{128, 128, 128}, 1}, M{{255, 0, 0}, 0}, M{{0, 255, 0}, 1}})
    EXPECT_EQ(mono.FindEntry(m.in.Red, m.in.Green, m.in.Blue, r, g, b), m.index);
  TNetscapeColorLookup cube;
  EXPECT_EQ(cube.FindEntry(48, 100, 255, r, g, b), 1 * 36 + 2 * 6 + 5);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{51, 102, 255}));
  EXPECT_EQ(cube.FindEntry(47, 0, 0, r, g, b), 0);
  TGrayScaleLookup grey;
  EXPECT_EQ(grey.FindEntry(255, 255, 255, r, g, b), 255);
  EXPECT_EQ(grey.FindEntry(100, 0, 0, r, g, b), 30);
}

TEST(ReducePictureColors, ModesAndRefusals) {
  const Bitmap pic = RandomPicture(8, 5, 4, 9);
  const Bitmap copy = ReducePictureColors(pic, 0, 5);
  EXPECT_EQ(copy.Format(), PixelFormat::pf24bit);
  EXPECT_EQ(copy.GetPixel(3, 4), pic.GetPixel(3, 4));
  struct Case { std::uint8_t mode; int entries; std::uint8_t flags; };
  for (const Case& c : {Case{1, 20, 0}, Case{2, 256, 0}, Case{3, 4, platform::PC_NOCOLLAPSE},
                        Case{4, 2, platform::PC_NOCOLLAPSE}, Case{5, 256, platform::PC_NOCOLLAPSE}, Case{6, 216, 0},
                        Case{7, 32, 0}, Case{8, 256, 0}}) {
    const Bitmap out = ReducePictureColors(pic, c.mode, 0, 5);
    ASSERT_EQ(out.Format(), PixelFormat::pf8bit) << int(c.mode);
    EXPECT_EQ(out.GetPalette().Count(), c.entries) << int(c.mode);
    EXPECT_EQ(out.GetPalette()[1].Flags, c.flags) << int(c.mode);
  }
  // Mode 8: the system colours around 236 quantized ones.
  const Bitmap sys = ReducePictureColors(pic, 8, 0);
  EXPECT_EQ(sys.GetPalette()[9], Palette::System20()[9]);
  EXPECT_EQ(sys.GetPalette()[246], Palette::System20()[10]);
  // Mode 9 uses the custom palette; without colours the result is empty.
  const Palette custom({{1, 2, 3, 0}, {250, 250, 250, 0}});
  EXPECT_EQ(ReducePictureColors(pic, 9, 1, 8, &custom).GetPalette(), custom);
  EXPECT_TRUE(ReducePictureColors(pic, 9, 0).Empty());
  EXPECT_TRUE(ReducePictureColors(pic, 10, 0).Empty());
  EXPECT_TRUE(ReducePictureColors(pic, 4, 7).Empty());
  EXPECT_THROW(ReducePictureColors(Bitmap(0, 4, PixelFormat::pf24bit), 4, 0), platform::EBitmapError);
  EXPECT_THROW(ReducePictureColors(Bitmap(4, 0, PixelFormat::pf24bit), 7, 1, 4), platform::EBitmapError);
}

TEST(Octree, KeepsFewColoursExactlyAndMergesToTheLimit) {
  // At most n colours: each kept exactly, unfilled entries black.
  Bitmap few(6, 4, PixelFormat::pf24bit);
  const Rgb colours[5] = {{10, 20, 30}, {200, 0, 0}, {0, 199, 3}, {255, 255, 255}, {77, 77, 78}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) few.SetPixel(x, y, colours[(x + y * 6) % 5]);
  const Palette p = BuildOctreePalette(few, 16, false);
  ASSERT_EQ(p.Count(), 16);
  std::set<std::tuple<int, int, int>> got;
  for (int i = 0; i < 5; ++i) got.insert({p[i].Red, p[i].Green, p[i].Blue});
  for (const Rgb& c : colours) EXPECT_TRUE(got.count({c.Red, c.Green, c.Blue})) << int(c.Red);
  for (int i = 5; i < 16; ++i) EXPECT_EQ(p[i], (PaletteEntry{0, 0, 0, 0}));
  const Bitmap mapped = ReducePictureColors(few, 7, 0, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(mapped.GetPixel(x, y), few.GetPixel(x, y));

  // One colour: one leaf.
  Bitmap flat(5, 5, PixelFormat::pf24bit);
  flat.Fill({9, 8, 7});
  const Palette one = BuildOctreePalette(flat, 16, false);
  EXPECT_EQ(one[0], (PaletteEntry{9, 8, 7, 0}));
  for (int i = 1; i < 16; ++i) EXPECT_EQ(one[i], (PaletteEntry{}));

  // Many colours: never more leaves than the limit, the tree reduced after every pixel.
  const Bitmap noise = RandomPicture(64, 64, 256, 3);
  for (std::uint32_t limit : {2u, 16u, 64u, 256u}) {
    TOctreeQuantizer<OctreeKey::RedHigh> q(limit);
    for (int y = 0; y < noise.Height(); ++y)
      for (int x = 0; x < noise.Width(); ++x) {
        const Rgb c = noise.GetPixel(x, y);
        q.AddColor(c.Red, c.Green, c.Blue);
        ASSERT_LE(q.Leaves(), limit);
      }
    EXPECT_EQ(q.LeafColors().size(), q.Leaves());
  }

  // Without dithering every pixel gets its nearest entry of the quantized palette.
  const Bitmap mappedNoise = ReducePictureColors(noise, 7, 0, 6);
  const Palette& pal = mappedNoise.GetPalette();
  for (int y = 0; y < noise.Height(); ++y)
    for (int x = 0; x < noise.Width(); ++x) {
      const Rgb c = noise.GetPixel(x, y);
      const PaletteEntry& got = pal[mappedNoise.GetIndex(x, y)];
      int best = 1 << 30;
      for (const PaletteEntry& e : pal.Entries())
        best = std::min(best, (e.Red - c.Red) * (e.Red - c.Red) + (e.Green - c.Green) * (e.Green - c.Green) +
                                  (e.Blue - c.Blue) * (e.Blue - c.Blue));
      ASSERT_EQ((got.Red - c.Red) * (got.Red - c.Red) + (got.Green - c.Green) * (got.Green - c.Green) +
                    (got.Blue - c.Blue) * (got.Blue - c.Blue),
                best);
    }

  // Children order: red gives the highest bit, so pure blue comes before pure red.
  Bitmap rb(2, 1, PixelFormat::pf24bit);
  rb.SetPixel(0, 0, {255, 0, 0});
  rb.SetPixel(1, 0, {0, 0, 255});
  const Palette order = BuildOctreePalette(rb, 4, false);
  EXPECT_EQ(order[0], (PaletteEntry{0, 0, 255, 0}));
  EXPECT_EQ(order[1], (PaletteEntry{255, 0, 0, 0}));
}

TEST(PaletteHelpers, IsMostlyOneColorAtTheBoundary) {
  // 20 x 10 = 200 pixels: 190 of one index is exactly 95% (false), 191 is more (true).
  for (PixelFormat f : {PixelFormat::pf1bit, PixelFormat::pf4bit, PixelFormat::pf8bit}) {
    Bitmap b(20, 10, f);
    for (int i = 0; i < 10; ++i) b.SetIndex(i, 9, 1);  // 190 zeros
    EXPECT_FALSE(IsMostlyOneColor(b)) << BitsPerPixel(f);
    b.SetIndex(0, 9, 0);  // 191 zeros
    EXPECT_TRUE(IsMostlyOneColor(b)) << BitsPerPixel(f);
    // The index counted is the one at its place in the row (last pixel of a row).
    Bitmap c(20, 10, f);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) c.SetIndex(x, y, 1);
    for (int y = 0; y < 9; ++y) c.SetIndex(19, y, 0);  // 191 ones
    EXPECT_TRUE(IsMostlyOneColor(c));
  }
  EXPECT_THROW(IsMostlyOneColor(Bitmap(2, 2, PixelFormat::pf24bit)), std::logic_error);
}

TEST(PaletteHelpers, ConvertTo16ColorsKeepsTheColours) {
  const Bitmap pic = RandomPicture(9, 7, 256, 11);
  Bitmap reduced = ReducePictureColors(pic, 7, 1, 4);
  const Bitmap before = reduced;
  ConvertTo16Colors(reduced);
  ASSERT_EQ(reduced.Format(), PixelFormat::pf4bit);
  EXPECT_EQ(reduced.GetPalette(), before.GetPalette());
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(reduced.GetPixel(x, y), before.GetPixel(x, y));
  // Only the first 16 entries of a longer palette are kept.
  Bitmap big = ReducePictureColors(pic, 7, 0, 6);
  ConvertTo16Colors(big);
  EXPECT_EQ(big.GetPalette().Count(), 16);
}
