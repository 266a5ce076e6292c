#include "controls/spinglyphs.h"

namespace controls {

namespace {

// One row per line: '#' black, '.' olive.
constexpr const char* kUp[6] = {"....#....", "...###...", "..#####..", ".........", ".........", "........."};
constexpr const char* kDown[6] = {"..#####..", "...###...", "....#....", ".........", ".........", "........."};

QImage FromRows(const char* const (&rows)[6]) {
  QImage img(9, 6, QImage::Format_RGB32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) img.setPixel(x, y, rows[y][x] == '#' ? qRgb(0, 0, 0) : qRgb(128, 128, 0));
  return img;
}

}  // namespace

QImage LoadSpinGlyph(std::string_view resourceName) {
  if (resourceName == "MySpinUp") return FromRows(kUp);
  if (resourceName == "MySpinDown") return FromRows(kDown);
  return {};
}

}  // namespace controls
