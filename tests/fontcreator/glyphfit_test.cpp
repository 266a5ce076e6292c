// Glyph images of real faces against FreeType's own hinted rendering, read here: the face is
// drawn at the size its cell metrics give, every glyph's width is max(A, 0) + B + max(C, 0) of
// the hinted metrics, a glyph that fits the cell at the baseline is FreeType's own pixels,
// and accented capitals keep their accents.
#include "fontcreator/charimage.h"
#include "platform/system/codepage.h"
#include "platform/imaging/textrender.h"
#include "support/tempdir.h"

#include "freetype_reference_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace fontcreator {
namespace {

namespace fs = std::filesystem;
using testing::CharactersOf;
using testing::Reference;
using testing::RefGlyph;
using testing::Rendering;
using testing::ShapeOf;

struct Face {
  const char* family;
  const char* file;
};

const Face kFaces[] = {
    {"DejaVu Sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
    {"DejaVu Serif", "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"},
    {"Liberation Sans", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"},
    {"Nimbus Sans", "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf"},
    {"Noto Mono", "/usr/share/fonts/truetype/noto/NotoMono-Regular.ttf"},
};

// The kinds of glyph images: type, antialiased, and whether the system's smoothing is there.
struct Kind {
  const char* name;
  FontKind type;
  bool antialiased;
  bool systemSmoothing;
};

const Kind kKinds[] = {
    {"BlackWhite", FontKind::BlackWhite, false, true}, {"Color", FontKind::Color, false, true},
    {"ColorAntialiased", FontKind::Color, true, true}, {"ColorSupersampled", FontKind::Color, true, false},
    {"ClearType", FontKind::ClearType, false, true},
};

Rendering RenderingOf(const Kind& k) {
  if (k.type == FontKind::BlackWhite) return {false, true, 1, true};
  if (k.type == FontKind::ClearType) return {true, false, 1, true};
  if (!k.systemSmoothing) return {false, false, k.antialiased ? 4 : 1, true};
  return {k.antialiased, false, 1, true};
}

struct CharacterSet {
  const char* name;
  int charset;
  const char* codePage;
  // Accented capitals and the letter they are made from.
  std::map<int, int> accented;
};

const CharacterSet kSets[] = {
    {"default", platform::DEFAULT_CHARSET, "CP1252", {{0x8A, 'S'}, {0x8E, 'Z'}, {0x9F, 'Y'}, {0xC0, 'A'}, {0xC1, 'A'},
                                                      {0xC2, 'A'}, {0xC3, 'A'}, {0xC4, 'A'}, {0xC5, 'A'}, {0xC7, 'C'},
                                                      {0xC8, 'E'}, {0xC9, 'E'}, {0xCA, 'E'}, {0xCB, 'E'}, {0xCC, 'I'},
                                                      {0xCD, 'I'}, {0xCE, 'I'}, {0xCF, 'I'}, {0xD1, 'N'}, {0xD2, 'O'},
                                                      {0xD3, 'O'}, {0xD4, 'O'}, {0xD5, 'O'}, {0xD6, 'O'}, {0xD8, 'O'},
                                                      {0xD9, 'U'}, {0xDA, 'U'}, {0xDB, 'U'}, {0xDC, 'U'}, {0xDD, 'Y'}}},
    {"east-european",
     platform::EASTEUROPE_CHARSET,
     "CP1250",
     {{0x8A, 'S'}, {0x8C, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0x8F, 'Z'}, {0xA3, 'L'}, {0xA5, 'A'}, {0xAA, 'S'},
      {0xAF, 'Z'}, {0xBC, 'L'}, {0xC0, 'R'}, {0xC1, 'A'}, {0xC2, 'A'}, {0xC3, 'A'}, {0xC4, 'A'}, {0xC5, 'L'},
      {0xC6, 'C'}, {0xC7, 'C'}, {0xC8, 'C'}, {0xC9, 'E'}, {0xCA, 'E'}, {0xCB, 'E'}, {0xCC, 'E'}, {0xCD, 'I'},
      {0xCE, 'I'}, {0xCF, 'D'}, {0xD0, 'D'}, {0xD1, 'N'}, {0xD2, 'N'}, {0xD3, 'O'}, {0xD4, 'O'}, {0xD5, 'O'},
      {0xD6, 'O'}, {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDB, 'U'}, {0xDC, 'U'}, {0xDD, 'Y'}, {0xDE, 'T'}}},
    // Й and И, Ё and Е, Ў and У, Ї and І.
    {"russian", platform::RUSSIAN_CHARSET, "CP1251", {{0xC9, 0xC8}, {0xA8, 0xC5}, {0xA1, 0xC3}, {0xAF, 0xB2}}},
};

class GlyphFitTest : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
  void SetUp() override {
    platform::SetAnsiCodePage(1252);
    face_ = &kFaces[std::get<0>(GetParam())];
    kind_ = &kKinds[std::get<1>(GetParam())];
    if (!fs::exists(face_->file)) GTEST_SKIP() << face_->file << " is not installed";
    // Only this face, so that fontconfig cannot pick another file of the family.
    fs::copy_file(face_->file, tmp_.Path() / fs::path(face_->file).filename());
    ASSERT_TRUE(platform::UsePrivateFontDirs({tmp_.Path().string()}));
    SetIsWindowsXPForTesting(kind_->systemSmoothing);
  }
  void TearDown() override {
    SetIsWindowsXPForTesting(std::nullopt);
    platform::SetAnsiCodePage(1252);
  }

  testing_support::TempDir tmp_;
  const Face* face_ = nullptr;
  const Kind* kind_ = nullptr;
};

// Where FreeType's ink lands in a w x h cell at the font's baseline: right of the cell's left
// edge by the negative bearing. At scale 1 the coverage is placed in `expected`. False when
// some of it falls outside the cell: the glyph image then fits that glyph by itself.
bool PlaceInk(const RefGlyph& g, int baseline, int w, int h, int s, std::vector<int>& expected) {
  const int x0 = std::max(-g.a, 0) + g.left;
  const int y0 = baseline - g.top;
  expected.assign(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.width; ++x) {
      if (!g.At(x, y)) continue;
      const int cx = x0 + x, cy = y0 + y;
      if (cx < 0 || cx >= w * s || cy < 0 || cy >= h * s) return false;
      if (s == 1) expected[static_cast<std::size_t>(cy) * w + cx] = g.At(x, y);
    }
  return true;
}

// Monochrome and grey drawing are FreeType's pixels, placed as above.
void CheckPlainPixels(const std::vector<ColorRef>& cell, const std::vector<int>& expected, int w, int h, FontKind type,
                      int code) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const ColorRef p = cell[static_cast<std::size_t>(y) * w + x];
      const int want = expected[static_cast<std::size_t>(y) * w + x];
      if (type == FontKind::BlackWhite)
        ASSERT_EQ(p, want ? 0x000000u : 0xFFFFFFu) << "code " << code << " at " << x << "," << y;
      else ASSERT_EQ(static_cast<int>(p & 0xFF), want) << "code " << code << " at " << x << "," << y;
    }
}

// Subpixel drawing: ink in every row where FreeType's subpixel rendering has more
// than a trace of it (the two differ in their faintest samples).
void CheckSubpixelRows(const std::vector<ColorRef>& cell, const RefGlyph& g, int baseline, int w, int h, int code) {
  for (int y = 0; y < h; ++y) {
    bool drawn = false;
    for (int x = 0; x < w; ++x) drawn = drawn || cell[static_cast<std::size_t>(y) * w + x] != 0;
    const int row = y - (baseline - g.lcdTop);
    const int inked =
        row >= 0 && row < static_cast<int>(g.lcdRows.size()) ? g.lcdRows[static_cast<std::size_t>(row)] : 0;
    if (inked >= 32) {
      ASSERT_TRUE(drawn) << "code " << code << " row " << y;
    }
  }
}

TEST_P(GlyphFitTest, EveryGlyphKeepsAllItsInkAndItsAccents) {
  Reference ref(face_->file);
  ASSERT_TRUE(ref.Ok());
  const Rendering rendering = RenderingOf(*kind_);
  const int s = rendering.scale;
  for (const CharacterSet& set : kSets) {
    const std::vector<std::optional<char32_t>> chars = CharactersOf(set.codePage);
    for (int size = 8; size <= 24; ++size) {
      SCOPED_TRACE(std::string(face_->family) + " " + kind_->name + " " + set.name + " size " + std::to_string(size));
      // White on black: a colour pixel's channels are the coverage.
      auto image = TCharImage::CreateCharImage(kind_->type, face_->family, set.charset, kind_->antialiased, false,
                                               false, false, 0.5f, 0.5f, false, 0x000000, 0xFFFFFF, size);
      const int h = image->GetHeight();
      ASSERT_EQ(h, size);
      // The size and the baseline the font chose; the pixels below show that the glyph image
      // draws with them.
      platform::LogFont lf;
      lf.FaceName = face_->family;
      lf.Height = size * s;
      lf.Charset = set.charset;
      lf.Quality = image->FontQuality();
      auto font = platform::CreateTextFont(lf);
      ASSERT_NE(font, nullptr);
      const int ppem = font->PixelSize();
      const int baseline = font->Ascent();
      // The size the cell metrics give, one pixel per em less at most.
      EXPECT_LE(ppem, ref.NaturalSize(size * s));
      EXPECT_GE(ppem, ref.NaturalSize(size * s) - 1);

      // Glyphs that FreeType draws alike (a mark lost to hinting) are drawn otherwise, and so
      // may be those whose hinting lost a descender.
      std::map<int, RefGlyph> refs;
      std::map<std::tuple<int, int, std::vector<int>>, int> shapes;
      for (int code = 32; code < 256; ++code) {
        const RefGlyph& g = refs[code] = ref.Glyph(chars[static_cast<std::size_t>(code - 32)], ppem, rendering);
        ++shapes[ShapeOf(g)];
      }
      std::map<int, std::vector<ColorRef>> cells;
      for (int code = 32; code < 256; ++code) {
        const RefGlyph& g = refs[code];
        image->SelectChar(static_cast<unsigned char>(code));
        const int w = image->GetCharWidth();
        ASSERT_EQ(w, static_cast<int>(DivCeil(static_cast<unsigned>(std::max(g.a, 0) + g.b + std::max(g.c, 0)),
                                              static_cast<unsigned>(s))))
            << "code " << code;
        std::vector<int> expected;
        const bool normal = PlaceInk(g, baseline, w, h, s, expected) && shapes[ShapeOf(g)] == 1 &&
                            !ref.LostDescender(chars[static_cast<std::size_t>(code - 32)], ppem, g);
        std::vector<ColorRef> cell;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) cell.push_back(image->Pixel(x, y));
        if (normal && s == 1 && !rendering.lcdHinting) {
          ASSERT_NO_FATAL_FAILURE(CheckPlainPixels(cell, expected, w, h, kind_->type, code));
        } else if (normal && s == 1) {
          ASSERT_NO_FATAL_FAILURE(CheckSubpixelRows(cell, g, baseline, w, h, code));
        }
        cells[code] = std::move(cell);
      }
      for (const auto& [accented, base] : set.accented) {
        EXPECT_NE(cells[accented], cells[base]) << std::hex << "code 0x" << accented << " looks like 0x" << base;
      }
    }
  }
}

std::string ParamName(const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
  std::string face = kFaces[std::get<0>(info.param)].family;
  face.erase(std::remove(face.begin(), face.end(), ' '), face.end());
  return face + "_" + kKinds[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(Faces, GlyphFitTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kFaces))),
                                            ::testing::Range(0, static_cast<int>(std::size(kKinds)))),
                         ParamName);

}  // namespace
}  // namespace fontcreator
