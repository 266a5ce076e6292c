// FreeType's own hinted rendering of a face, read in the tests with FreeType alone: the
// glyphs the font engine must draw, compared with what it does draw.
#pragma once

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_LCD_FILTER_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace fontcreator::testing {

// How FreeType is asked for a kind's glyphs: hinting target, 1-bit, grey or subpixel, scale.
struct Rendering {
  bool lcdHinting = false;
  bool mono = false;
  int scale = 1;
  bool hinted = true;
};

// One glyph as FreeType hints and renders it: the ink (coverage, 255 for a set bit; for
// subpixel rendering the most of a pixel's three samples) in the bitmap's box, the hinted
// metrics in whole pixels.
struct RefGlyph {
  int left = 0, top = 0, width = 0, rows = 0;
  std::vector<int> ink;
  int a = 0, b = 0, c = 0;
  // Subpixel rendering: the most coverage of each row, from its top row down.
  int lcdTop = 0;
  std::vector<int> lcdRows;
  long lcdTotal = 0;  // all subpixel coverage
  int At(int col, int row) const { return ink[static_cast<std::size_t>(row) * width + col]; }
  // Coverage at (x, y) relative to the pen, y the rows above the baseline.
  int AtPen(int x, int y) const {
    const int col = x - left, row = top - y;
    return col >= 0 && col < width && row >= 0 && row < rows ? At(col, row) : 0;
  }
};

// The inked rows and columns of FreeType's glyph, in its bitmap (empty: bottom < top).
struct InkBox {
  int top, bottom, left, right;
};

// The same for any grid of coverage: at(x, y) for 0 <= x < width, 0 <= y < height.
template <class At> InkBox InkBoxOf(int width, int height, const At& at) {
  InkBox box{height, -1, width, -1};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (at(x, y)) {
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
      }
  return box;
}

inline InkBox InkBoxOf(const RefGlyph& g) {
  return InkBoxOf(g.width, g.rows, [&g](int x, int y) { return g.At(x, y); });
}

// The ink of FreeType's glyph in its own box, and where the box is (rows above the baseline):
// two glyphs of the same shape are drawn alike.
inline std::tuple<int, int, std::vector<int>> ShapeOf(const RefGlyph& g) {
  const auto [top, bottom, left, right] = InkBoxOf(g);
  std::vector<int> ink;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) ink.push_back(g.At(x, y));
  return {g.top - top, right - left + 1, ink};
}

class Reference {
public:
  explicit Reference(const char* file) {
    FT_Init_FreeType(&lib_);
    FT_Library_SetLcdFilter(lib_, FT_LCD_FILTER_DEFAULT);
    if (FT_New_Face(lib_, file, 0, &face_) != 0) face_ = nullptr;
  }
  ~Reference() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(lib_);
  }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  // The pixels per em that the Windows cell metrics give a cell height.
  int NaturalSize(int cell) const {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const double sum = os2->usWinAscent + os2->usWinDescent;
    return static_cast<int>(std::lround(cell * face_->units_per_EM / sum));
  }

  RefGlyph Glyph(std::optional<char32_t> ch, int ppem, const Rendering& r) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem));
    const FT_UInt index = ch ? FT_Get_Char_Index(face_, *ch) : 0;
    RefGlyph g;
    const FT_Int32 target = !r.hinted ? FT_LOAD_NO_HINTING : r.lcdHinting ? FT_LOAD_TARGET_LCD : FT_LOAD_TARGET_MONO;
    EXPECT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | target), 0);
    FT_GlyphSlot slot = face_->glyph;
    g.a = static_cast<int>(slot->metrics.horiBearingX >> 6);
    g.b = static_cast<int>(slot->metrics.width >> 6);
    g.c = static_cast<int>((slot->advance.x + 32) >> 6) - g.a - g.b;
    const FT_Render_Mode mode = r.mono         ? FT_RENDER_MODE_MONO
                                : r.lcdHinting ? FT_RENDER_MODE_LCD
                                               : FT_RENDER_MODE_NORMAL;
    EXPECT_EQ(FT_Render_Glyph(slot, mode), 0);
    const FT_Bitmap& bm = slot->bitmap;
    const int samples = mode == FT_RENDER_MODE_LCD ? 3 : 1;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width) / samples;
    g.rows = static_cast<int>(bm.rows);
    for (int y = 0; y < g.rows; ++y) {
      const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
      int most = 0;
      for (int x = 0; x < g.width; ++x) {
        if (r.mono) {
          g.ink.push_back(((row[x >> 3] >> (7 - (x & 7))) & 1) * 255);
          continue;
        }
        int v = 0;
        for (int k = 0; k < samples; ++k) {
          v = std::max(v, static_cast<int>(row[x * samples + k]));
          g.lcdTotal += row[x * samples + k];
        }
        g.ink.push_back(v);
        most = std::max(most, v);
      }
      if (samples == 3) g.lcdRows.push_back(most);
    }
    g.lcdTop = g.top;
    return g;
  }

  // The lowest point of the unhinted outline, in 1/64 pixel above the baseline.
  long OutlineBottom(std::optional<char32_t> ch, int ppem) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem));
    const FT_UInt index = ch ? FT_Get_Char_Index(face_, *ch) : 0;
    if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return 0;
    FT_BBox box;
    FT_Outline_Get_CBox(&face_->glyph->outline, &box);
    return box.yMin;
  }

  // FreeType's glyph has no ink below the baseline where its outline reaches three quarters
  // of a pixel below it: hinting pulled the descender up (the glyph image may draw it so).
  bool LostDescender(std::optional<char32_t> ch, int ppem, const RefGlyph& g) {
    bool inked = false, below = false;
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        if (g.At(x, y)) {
          inked = true;
          below = below || y >= g.top;
        }
    return inked && !below && OutlineBottom(ch, ppem) <= -48;
  }

  bool Ok() const { return face_ != nullptr; }

private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// The characters of codes 32..255 of a code page, by glibc's converter (none: undefined).
inline std::vector<std::optional<char32_t>> CharactersOf(const char* codePage) {
  std::vector<std::optional<char32_t>> chars;
  iconv_t cd = iconv_open("UTF-32LE", codePage);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << codePage;
  for (int code = 32; code < 256; ++code) {
    char in = static_cast<char>(code);
    char32_t out = 0;
    char* ip = &in;
    std::size_t il = 1;
    char* op = reinterpret_cast<char*>(&out);
    std::size_t ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || ol != 0) chars.emplace_back();
    else chars.emplace_back(out);
  }
  iconv_close(cd);
  return chars;
}

}  // namespace fontcreator::testing
