#include "assembly/octree.h"
#include "assembly/colorreduce.h"
#include "support/octreefixtures.h"

#include <gtest/gtest.h>

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

TEST(Octree, BuilderPalettesOfTheFixturesAreUnchanged) {
  // Fingerprints (FNV-1a of the entries) of the builder's octree palettes: of 16 and 256
  // colours, and of 236 colours between the system colours.
  struct Case { const char* fixture; std::uint32_t of16, of256, system; } cases[] = {
      {"noise 4 levels", 0x789CEF79, 0x18EA5AC5, 0x0F4CE42F},
      {"noise 256 levels", 0x036BEAFF, 0x6B64FCB9, 0xBDA9E05D},
      {"noise 16 levels", 0x9DAC2138, 0x4E165461, 0xFB5F516E},
      {"gradient", 0xBE70E94C, 0x419AD4D2, 0x92C64064},
      {"sheet grey", 0xA463636D, 0x8026E5C5, 0x24EEA15D},
      {"sheet colour", 0xFBDEEEA5, 0xA3EAD06E, 0x83ABF147},
      {"sheet ClearType", 0xDDF4DF29, 0x1E2E0CF6, 0xDE3B78BD},
  };
  const auto fixtures = octree_fixtures::All();
  ASSERT_EQ(fixtures.size(), std::size(cases));
  for (std::size_t i = 0; i < fixtures.size(); ++i) {
    const Case& c = cases[i];
    const Bitmap& picture = fixtures[i].picture;
    ASSERT_EQ(fixtures[i].name, c.fixture);
    EXPECT_EQ(octree_fixtures::Fingerprint(assembly::BuildOctreePalette(picture, 16, false)), c.of16) << c.fixture;
    EXPECT_EQ(octree_fixtures::Fingerprint(assembly::BuildOctreePalette(picture, 256, false)), c.of256) << c.fixture;
    EXPECT_EQ(octree_fixtures::Fingerprint(assembly::BuildOctreePalette(picture, 256, true)), c.system) << c.fixture;
  }
}

}  // namespace
