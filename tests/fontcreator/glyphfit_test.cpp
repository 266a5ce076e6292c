// Glyph images of real faces against FreeType's own hinted rendering, read here: every glyph
// of codes 32..255 keeps all its ink inside its H rows and CharWidth columns, its width is
// max(A, 0) + B + max(C, 0) of the hinted metrics, and accented capitals keep their accents.
#include "fontcreator/charimage.h"
#include "platform/system/codepage.h"
#include "platform/imaging/textrender.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fontcreator {
namespace {

namespace fs = std::filesystem;

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

// How FreeType is asked for a kind's glyphs: hinting target, 1-bit or grey, scale.
struct Rendering {
  bool lcdHinting;
  bool mono;
  int scale;
};

Rendering RenderingOf(const Kind& k) {
  if (k.type == FontKind::BlackWhite) return {false, true, 1};
  if (k.type == FontKind::ClearType) return {true, false, 1};
  if (!k.systemSmoothing) return {false, false, k.antialiased ? 4 : 1};
  return {k.antialiased, false, 1};
}

// One glyph as FreeType hints and renders it: the ink (coverage, 255 for a set bit) in the
// bitmap's box, the hinted metrics in whole pixels.
struct RefGlyph {
  int left = 0, top = 0, width = 0, rows = 0;
  std::vector<int> ink;
  int a = 0, b = 0, c = 0;
  // Subpixel rendering: the most coverage of each row, from its top row down.
  int lcdTop = 0;
  std::vector<int> lcdRows;
  int At(int col, int row) const { return ink[static_cast<std::size_t>(row) * width + col]; }
};

class Reference {
public:
  explicit Reference(const char* file) {
    FT_Init_FreeType(&lib_);
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
    const FT_Int32 target = r.lcdHinting ? FT_LOAD_TARGET_LCD : FT_LOAD_TARGET_MONO;
    EXPECT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | target), 0);
    FT_GlyphSlot slot = face_->glyph;
    g.a = static_cast<int>(slot->metrics.horiBearingX >> 6);
    g.b = static_cast<int>(slot->metrics.width >> 6);
    g.c = static_cast<int>((slot->advance.x + 32) >> 6) - g.a - g.b;
    EXPECT_EQ(FT_Render_Glyph(slot, r.mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL), 0);
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.rows = static_cast<int>(bm.rows);
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        g.ink.push_back(r.mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255 : row[x]);
      }
    if (r.lcdHinting) {
      EXPECT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | target), 0);
      EXPECT_EQ(FT_Render_Glyph(slot, FT_RENDER_MODE_LCD), 0);
      g.lcdTop = slot->bitmap_top;
      for (unsigned y = 0; y < slot->bitmap.rows; ++y) {
        const unsigned char* row = slot->bitmap.buffer + static_cast<std::ptrdiff_t>(y) * slot->bitmap.pitch;
        g.lcdRows.push_back(*std::max_element(row, row + slot->bitmap.width + (slot->bitmap.width == 0)));
      }
    }
    return g;
  }

  // Most rows of ink above and below the baseline among the given characters.
  std::pair<int, int> InkRows(const std::vector<std::optional<char32_t>>& chars, int ppem, const Rendering& r) {
    int above = 0, below = 0;
    for (const auto& ch : chars) {
      RefGlyph g = Glyph(ch, ppem, Rendering{r.lcdHinting, false, 1});
      if (r.lcdHinting) {
        for (int y = 0; y < static_cast<int>(g.lcdRows.size()); ++y)
          if (g.lcdRows[static_cast<std::size_t>(y)]) {
            above = std::max(above, g.lcdTop - y);
            below = std::max(below, y - g.lcdTop + 1);
          }
        continue;
      }
      for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x)
          if (g.At(x, y)) {
            above = std::max(above, g.top - y);
            below = std::max(below, y - g.top + 1);
          }
    }
    return {above, below};
  }

  bool Ok() const { return face_ != nullptr; }

private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// The characters of codes 32..255 of a code page, by glibc's converter (none: undefined).
std::vector<std::optional<char32_t>> CharactersOf(const char* codePage) {
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

// All the characters' ink fits the cell's rows at that size, and one size larger
// would not (or would be larger than the cell metrics ask for).
void ExpectInkFitsTheRows(Reference& ref, const std::vector<std::optional<char32_t>>& chars, int ppem, int size,
                          const Rendering& rendering) {
  const int s = rendering.scale;
  const auto [above, below] = ref.InkRows(chars, ppem, rendering);
  EXPECT_LE(above + below, size * s) << "ppem " << ppem;
  EXPECT_LE(ppem, ref.NaturalSize(size * s));
  if (ppem < ref.NaturalSize(size * s)) {
    const auto [above1, below1] = ref.InkRows(chars, ppem + 1, rendering);
    EXPECT_GT(above1 + below1, size * s) << "ppem " << ppem << " is smaller than needed";
  }
}

// Where FreeType's ink lands in a w x h cell: right of the cell's left edge by the negative
// bearing. At scale 1 the coverage is placed in `expected`.
void PlaceInk(const RefGlyph& g, int code, int baseline, int w, int h, int s, std::vector<int>& expected) {
  const int x0 = std::max(-g.a, 0) + g.left;
  const int y0 = baseline - g.top;
  expected.assign(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.width; ++x) {
      if (!g.At(x, y)) continue;
      const int cx = x0 + x, cy = y0 + y;
      ASSERT_TRUE(cx >= 0 && cx < w * s && cy >= 0 && cy < h * s)
          << "code " << code << ": ink at " << cx << "," << cy << " outside " << w * s << "x" << h * s;
      if (s == 1) expected[static_cast<std::size_t>(cy) * w + cx] = g.At(x, y);
    }
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
      ExpectInkFitsTheRows(ref, chars, ppem, size, rendering);

      std::map<int, std::vector<ColorRef>> cells;
      std::map<int, std::vector<int>> references;
      for (int code = 32; code < 256; ++code) {
        const RefGlyph g = ref.Glyph(chars[static_cast<std::size_t>(code - 32)], ppem, rendering);
        image->SelectChar(static_cast<unsigned char>(code));
        const int w = image->GetCharWidth();
        ASSERT_EQ(w, static_cast<int>(DivCeil(static_cast<unsigned>(std::max(g.a, 0) + g.b + std::max(g.c, 0)),
                                              static_cast<unsigned>(s))))
            << "code " << code;
        std::vector<int> expected;
        ASSERT_NO_FATAL_FAILURE(PlaceInk(g, code, baseline, w, h, s, expected));
        std::vector<ColorRef> cell;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) cell.push_back(image->Pixel(x, y));
        if (s == 1 && !rendering.lcdHinting) {
          ASSERT_NO_FATAL_FAILURE(CheckPlainPixels(cell, expected, w, h, kind_->type, code));
        } else if (s == 1) {
          ASSERT_NO_FATAL_FAILURE(CheckSubpixelRows(cell, g, baseline, w, h, code));
        }
        cells[code] = std::move(cell);
        if (s == 1) references[code] = expected;
      }
      for (const auto& [accented, base] : set.accented) {
        // At the smallest sizes a face's own monochrome hinting may fold an accent into its
        // letter (FreeType draws both alike); then there is nothing to keep.
        if (kind_->type == FontKind::BlackWhite && size < 13 && references[accented] == references[base]) continue;
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
