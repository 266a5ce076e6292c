#include "assembly/octree.h"
#include "assembly/colorreduce.h"
#include "support/octreefixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using assembly::OctreeKey;
using assembly::TOctreeQuantizer;
using platform::Bitmap;
using platform::PaletteEntry;
using platform::PixelFormat;

TEST(Octree, KeyChannelGivesTheHighestBitOfTheChildIndex) {
  // Pure red and pure blue differ in the first level's red and blue bits: the key channel's
  // colour goes to child 4, the other to child 1, so the other comes first.
  TOctreeQuantizer<OctreeKey::RedHigh> red(256);
  TOctreeQuantizer<OctreeKey::BlueHigh> blue(256);
  red.AddColor(255, 0, 0);
  red.AddColor(0, 0, 255);
  blue.AddColor(255, 0, 0);
  blue.AddColor(0, 0, 255);
  EXPECT_EQ(red.LeafColors(), (std::vector<PaletteEntry>{{0, 0, 255, 0}, {255, 0, 0, 0}}));
  EXPECT_EQ(blue.LeafColors(), (std::vector<PaletteEntry>{{255, 0, 0, 0}, {0, 0, 255, 0}}));
}

TEST(Octree, MergesTheDeepestNodeIntoItsMeanColour) {
  TOctreeQuantizer<OctreeKey::BlueHigh> q(2);
  // Two near blacks share every node but the last: merging the deepest node averages them.
  q.AddColor(0, 0, 0);
  q.AddColor(1, 1, 1);
  EXPECT_EQ(q.Leaves(), 2u);
  q.AddColor(255, 255, 255);
  EXPECT_EQ(q.Leaves(), 2u);
  EXPECT_EQ(q.LeafColors(), (std::vector<PaletteEntry>{{0, 0, 0, 0}, {255, 255, 255, 0}}));  // (0 + 1) div 2

  // Means round down per channel, over every pixel of the merged leaves.
  TOctreeQuantizer<OctreeKey::RedHigh> three(1);
  three.AddColor(10, 20, 30);
  three.AddColor(10, 20, 30);
  three.AddColor(41, 0, 255);
  EXPECT_EQ(three.LeafColors(), (std::vector<PaletteEntry>{{20, 13, 105, 0}}));

  // A shallower tree keeps only the top bits apart: 0x80 and 0xFF share a depth-1 leaf.
  TOctreeQuantizer<OctreeKey::RedHigh> shallow(8, 1);
  shallow.AddColor(0x80, 0, 0);
  shallow.AddColor(0xFF, 0, 0);
  shallow.AddColor(0x7F, 0, 0);
  EXPECT_EQ(shallow.LeafColors(), (std::vector<PaletteEntry>{{0x7F, 0, 0, 0}, {0xBF, 0, 0, 0}}));
}

TEST(Octree, RefusesLimitsDepthsAndFormatsItCannotUse) {
  for (auto [limit, depth] : {std::pair{0u, 8u}, std::pair{16u, 0u}, std::pair{16u, 9u}}) {
    try {
      TOctreeQuantizer<OctreeKey::RedHigh> q(limit, depth);
      ADD_FAILURE() << limit << " " << depth;
    } catch (const std::logic_error& e) {
      EXPECT_STREQ(e.what(), "Assertion failure (ColorQuantizer)");
    }
  }
  TOctreeQuantizer<OctreeKey::RedHigh> q(16);
  EXPECT_THROW(q.AddPixels(Bitmap(2, 2, PixelFormat::pf32bit)), std::logic_error);
  EXPECT_TRUE(q.LeafColors().empty());
}

// The palette the builder should make of a picture: the reference octree's means, after the
// first ten system colours when the system colours are wanted (then 236 means and the last ten
// system colours), black where there are fewer means than entries.
std::vector<PaletteEntry> ExpectedPalette(const Bitmap& picture, int colours, bool systemColours) {
  // The twenty static colours of the system palette.
  const PaletteEntry firstTen[10] = {{0, 0, 0, 0},       {128, 0, 0, 0},    {0, 128, 0, 0},   {128, 128, 0, 0},
                                     {0, 0, 128, 0},     {128, 0, 128, 0},  {0, 128, 128, 0}, {192, 192, 192, 0},
                                     {192, 220, 192, 0}, {166, 202, 240, 0}};
  const PaletteEntry lastTen[10] = {{255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
                                    {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
                                    {0, 255, 255, 0},   {255, 255, 255, 0}};
  const int means = systemColours ? 236 : colours;
  octree_fixtures::ReferenceOctree tree(static_cast<std::size_t>(means), false);
  tree.AddPicture(picture);
  std::vector<PaletteEntry> out;
  if (systemColours) out.assign(std::begin(firstTen), std::end(firstTen));
  std::vector<PaletteEntry> leaves = tree.Means();
  leaves.resize(static_cast<std::size_t>(means));
  out.insert(out.end(), leaves.begin(), leaves.end());
  if (systemColours) out.insert(out.end(), std::begin(lastTen), std::end(lastTen));
  return out;
}

TEST(Octree, BuilderPalettesOfTheFixturesMatchAPlainOctree) {
  for (const octree_fixtures::Fixture& f : octree_fixtures::All())
    for (auto [colours, systemColours] : {std::pair{16, false}, std::pair{256, false}, std::pair{256, true}}) {
      const platform::Palette palette = assembly::BuildOctreePalette(f.picture, colours, systemColours);
      EXPECT_EQ(palette.Entries(), ExpectedPalette(f.picture, colours, systemColours))
          << f.name << ", " << colours << (systemColours ? " with system colours" : "");
    }
}

}  // namespace
