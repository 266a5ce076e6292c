#include "fontcreator/colorquantizer.h"

#include "support/octreefixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

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
    colours.insert({c.Red, c.Green, c.Blue});
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

// The sheets' palettes are the means of a plain octree keyed on blue (padded with black), and
// every pixel takes an entry at the least squared distance from its colour.
TEST(ColorQuantizerTest, SheetsOfTheFixturesMatchAPlainOctreeAndTheNearestEntry) {
  for (const octree_fixtures::Fixture& f : octree_fixtures::All())
    for (auto [target, limit, entries] :
         {std::tuple{PixelFormat::pf4bit, 16, 16}, std::tuple{PixelFormat::pf8bit, 256, 256}}) {
      SCOPED_TRACE(f.name + ", " + std::to_string(limit) + " colours");
      octree_fixtures::ReferenceOctree tree(static_cast<std::size_t>(limit), true);
      tree.AddPicture(f.picture);
      std::vector<platform::PaletteEntry> expected = tree.Means();
      expected.resize(static_cast<std::size_t>(entries));
      Bitmap reduced = f.picture;
      ReduceToPalette(reduced, target, limit);
      ASSERT_EQ(reduced.GetPalette().Entries(), expected);
      int wrong = 0;
      for (int y = 0; y < reduced.Height(); ++y)
        for (int x = 0; x < reduced.Width(); ++x) {
          const Rgb c = f.picture.GetPixel(x, y);
          auto distance = [&](const platform::PaletteEntry& e) {
            const int r = e.Red - c.Red, g = e.Green - c.Green, b = e.Blue - c.Blue;
            return r * r + g * g + b * b;
          };
          int nearest = distance(expected[0]);
          for (const platform::PaletteEntry& e : expected) nearest = std::min(nearest, distance(e));
          const int index = reduced.GetIndex(x, y);
          if (index < 0 || index >= entries || distance(expected[static_cast<std::size_t>(index)]) != nearest) ++wrong;
        }
      EXPECT_EQ(wrong, 0);
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
