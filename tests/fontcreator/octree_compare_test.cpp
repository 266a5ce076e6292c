// The shared octree quantizer against the two it replaces, on the same pictures.
#include "assembly/colorreduce.h"
#include "assembly/octree.h"
#include "assembly/octree_fixtures_support.h"
#include "fontcreator/colorquantizer.h"

#include <gtest/gtest.h>

namespace {

using assembly::OctreeKey;
using assembly::TOctreeQuantizer;
using platform::PaletteEntry;

TEST(OctreeCompare, SameLeavesAsTheBuilderQuantizer) {
  for (const auto& f : octree_fixtures::All()) {
    for (std::uint32_t limit : {1u, 2u, 3u, 16u, 64u, 236u, 256u}) {
      SCOPED_TRACE(f.name + " limit " + std::to_string(limit));
      assembly::TColorQuantizer old(limit);
      TOctreeQuantizer<OctreeKey::RedHigh> now(limit);
      for (int y = 0; y < f.picture.Height(); ++y)
        for (int x = 0; x < f.picture.Width(); ++x) {
          const platform::Rgb c = f.picture.GetPixel(x, y);
          old.AddColor(c.red, c.green, c.blue);
          now.AddColor(c.red, c.green, c.blue);
          ASSERT_EQ(old.LeafTotal, now.Leaves());
        }
      ASSERT_EQ(old.ReadLeafColors(), now.LeafColors());
      TOctreeQuantizer<OctreeKey::RedHigh> whole(limit);
      whole.AddPixels(f.picture);
      ASSERT_EQ(old.ReadLeafColors(), whole.LeafColors());
    }
  }
}

TEST(OctreeCompare, SameLeavesAsTheFontCreatorQuantizer) {
  for (const auto& f : octree_fixtures::All()) {
    for (std::uint32_t depth : {8u, 7u, 4u, 1u}) {
      for (std::uint32_t limit : {1u, 2u, 3u, 16u, 64u, 256u}) {
        SCOPED_TRACE(f.name + " limit " + std::to_string(limit) + " depth " + std::to_string(depth));
        fontcreator::TColorQuantizer old(limit, depth);
        TOctreeQuantizer<OctreeKey::BlueHigh> now(limit, depth);
        for (int y = 0; y < f.picture.Height(); ++y) {
          const std::uint8_t* p = f.picture.ScanLine(y);
          for (int x = 0; x < f.picture.Width(); ++x, p += 3) {
            old.AddPixel(p[0], p[1], p[2]);
            now.AddColor(p[2], p[1], p[0]);
            ASSERT_EQ(old.Leaves(), now.Leaves());
          }
        }
        std::vector<PaletteEntry> table = now.LeafColors();
        table.resize(256);
        ASSERT_EQ(old.PaletteTable(), table);
      }
    }
  }
}

}  // namespace
