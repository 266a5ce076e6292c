#include "fontcreator/colorquantizer.h"

#include "support/octreefixtures.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace fontcreator {
namespace {

using platform::Bitmap;
using platform::PixelFormat;
using platform::Rgb;

TEST(ColorQuantizerTest, KeepsUpTo256ColoursExactly) {
  Bitmap b(20, 13, PixelFormat::pf24bit);  // 260 pixels, 256 distinct colours
  std::set<std::tuple<int, int, int>> colours;
  for (int i = 0; i < 260; ++i) {
    int k = i % 256;
    Rgb c{static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k), static_cast<std::uint8_t>(k * 7)};
    b.SetPixel(i % 20, i / 20, c);
    colours.insert({c.red, c.green, c.blue});
  }
  Bitmap original = b;
  ReduceToPalette(b, PixelFormat::pf8bit, 256);
  ASSERT_EQ(b.Format(), PixelFormat::pf8bit);
  EXPECT_EQ(b.GetPalette().Count(), 256);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) EXPECT_EQ(b.GetPixel(x, y), original.GetPixel(x, y));
}

TEST(ColorQuantizerTest, OneColourGivesOneEntryAndBlackRest) {
  Bitmap b(7, 5, PixelFormat::pf24bit);
  b.Fill(Rgb{10, 200, 30});
  ReduceToPalette(b, PixelFormat::pf8bit, 256);
  const platform::Palette& p = b.GetPalette();
  ASSERT_EQ(p.Count(), 256);
  EXPECT_EQ(p[0], (platform::PaletteEntry{10, 200, 30, 0}));
  for (int i = 1; i < 256; ++i) EXPECT_EQ(p[i], platform::PaletteEntry{}) << i;
  EXPECT_EQ(b.GetIndex(3, 3), 0);
}

TEST(ColorQuantizerTest, ReducesToTheLimitIn4Bits) {
  Bitmap b(64, 64, PixelFormat::pf24bit);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      b.SetPixel(x, y, Rgb{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 77});
  ReduceToPalette(b, PixelFormat::pf4bit, 16);
  EXPECT_EQ(b.Format(), PixelFormat::pf4bit);
  EXPECT_LE(b.GetPalette().Count(), 16);
}

TEST(ColorQuantizerTest, SheetsOfTheFixturesAreUnchanged) {
  // Fingerprints (FNV-1a of the palette entries and every index) of the reduced pictures:
  // to 16 colours in 4 bits and to 256 colours in 8 bits.
  struct Case { const char* fixture; std::uint32_t bits4, bits8; } cases[] = {
      {"noise 4 levels", 0x111EDCA1, 0x3DC114CC},  {"noise 256 levels", 0xBEC6B634, 0x881310C8},
      {"noise 16 levels", 0x00F62D7B, 0x27A826EE}, {"gradient", 0x86E0AC5C, 0x0FF73A55},
      {"sheet grey", 0x11643FD7, 0xA54E441E},      {"sheet colour", 0x9207C0BC, 0x58F671AB},
      {"sheet ClearType", 0x420B29C0, 0xB173C152},
  };
  const auto fixtures = octree_fixtures::All();
  ASSERT_EQ(fixtures.size(), std::size(cases));
  for (std::size_t i = 0; i < fixtures.size(); ++i) {
    const Case& c = cases[i];
    ASSERT_EQ(fixtures[i].name, c.fixture);
    Bitmap four = fixtures[i].picture, eight = fixtures[i].picture;
    ReduceToPalette(four, PixelFormat::pf4bit, 16);
    ReduceToPalette(eight, PixelFormat::pf8bit, 256);
    EXPECT_EQ(octree_fixtures::Fingerprint(four.GetPalette(), &four), c.bits4) << c.fixture;
    EXPECT_EQ(octree_fixtures::Fingerprint(eight.GetPalette(), &eight), c.bits8) << c.fixture;
  }
}

TEST(ColorQuantizerTest, RefusesWrongFormatsAndLimits) {
  Bitmap b24(4, 4, PixelFormat::pf24bit);
  Bitmap b32(4, 4, PixelFormat::pf32bit);
  Bitmap b8(4, 4, PixelFormat::pf8bit);
  struct Case { Bitmap* b; PixelFormat target; int limit; } cases[] = {
      {&b32, PixelFormat::pf8bit, 256}, {&b8, PixelFormat::pf8bit, 256},
      {&b24, PixelFormat::pf1bit, 2},   {&b24, PixelFormat::pf24bit, 256},
      {&b24, PixelFormat::pf8bit, 257}, {&b24, PixelFormat::pf4bit, 17},
      {&b24, PixelFormat::pf8bit, 0},   {&b24, PixelFormat::pf8bit, -1},
  };
  for (const Case& c : cases) {
    try {
      ReduceToPalette(*c.b, c.target, c.limit);
      ADD_FAILURE() << c.limit;
    } catch (const std::logic_error& e) {
      EXPECT_STREQ(e.what(), "Assertion failure (ColorQuantizer)");
    }
  }
}

}  // namespace
}  // namespace fontcreator
