#include "controls/spinglyphs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace controls {
namespace {

std::vector<std::string> Rows(const QImage& img) {
  std::vector<std::string> rows;
  for (int y = 0; y < img.height(); ++y) {
    std::string row;
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y) & 0xFFFFFF;
      row += p == 0 ? '#' : p == 0x808000 ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(SpinGlyphs, TrianglesOnOlive) {
  EXPECT_EQ(Rows(LoadSpinGlyph("MySpinUp")),
            (std::vector<std::string>{"....#....", "...###...", "..#####..", ".........", ".........", "........."}));
  EXPECT_EQ(Rows(LoadSpinGlyph("MySpinDown")),
            (std::vector<std::string>{"..#####..", "...###...", "....#....", ".........", ".........", "........."}));
  EXPECT_TRUE(LoadSpinGlyph("Other").isNull());
}

}  // namespace
}  // namespace controls
