// Every letter legible at every size, against FreeType's own rendering of the face read
// here: at the size the face's metrics give a cell, no glyph's ink is cut where FreeType's
// glyph fits the cell, glyphs drawn normally are FreeType's pixels, descenders go below the
// baseline, and no letter with a mark is drawn like the letter it is made of.
#include "fontcreator/charimage.h"
#include "platform/imaging/textrender.h"
#include "platform/system/codepage.h"
#include "support/tempdir.h"

#include "accent_pairs_support.h"
#include "freetype_reference_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fontcreator {
namespace {

namespace fs = std::filesystem;
using testing::AccentPairsOf;
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
    {"Liberation Serif", "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"},
    {"Liberation Mono", "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf"},
};

// The three font kinds and how FreeType draws each.
struct Kind {
  const char* name;
  FontKind type;
  Rendering rendering;
};

const Kind kKinds[] = {
    {"BlackWhite", FontKind::BlackWhite, {false, true, 1, true}},
    {"Color", FontKind::Color, {false, false, 1, true}},
    {"ClearType", FontKind::ClearType, {true, false, 1, true}},
};

struct CharacterSet {
  const char* name;
  int charset;
  const char* codePage;
  std::vector<int> descenders;
};

const CharacterSet kSets[] = {
    {"default", platform::DEFAULT_CHARSET, "CP1252", {'g', 'p', 'q', 'y'}},
    {"east-european", platform::EASTEUROPE_CHARSET, "CP1250", {'g', 'p', 'q', 'y'}},
    {"russian", platform::RUSSIAN_CHARSET, "CP1251", {'g', 'p', 'q', 'y', 0xF0, 0xF3}},  // р у
};

// One glyph cell as the glyph image draws it white on black: coverage per pixel.
struct Cell {
  int width = 0, height = 0;
  std::vector<int> ink;
  long total = 0;  // all channels
  int At(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x]; }
  testing::InkBox Box() const { return testing::InkBoxOf(width, height, [this](int x, int y) { return At(x, y); }); }
  // First and last inked row, and the inked columns; rows.second < rows.first when there is
  // no ink.
  std::pair<int, int> Rows() const {
    const testing::InkBox box = Box();
    return {box.top, box.bottom};
  }
  int Columns() const {
    const testing::InkBox box = Box();
    return box.right - box.left + 1;
  }
};

Cell CellOf(const TCharImage& image, FontKind type) {
  Cell cell;
  cell.width = image.GetCharWidth();
  cell.height = image.GetHeight();
  for (int y = 0; y < cell.height; ++y)
    for (int x = 0; x < cell.width; ++x) {
      const ColorRef p = image.Pixel(x, y);
      const int r = static_cast<int>(p & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                b = static_cast<int>((p >> 16) & 0xFF);
      cell.ink.push_back(type == FontKind::BlackWhite ? (p == 0 ? 255 : 0) : std::max({r, g, b}));
      cell.total += type == FontKind::ClearType ? r + g + b : 0;
    }
  return cell;
}

// Inked rows and columns of FreeType's glyph.
std::pair<int, int> InkExtent(const RefGlyph& g) {
  const testing::InkBox box = testing::InkBoxOf(g);
  return {box.bottom - box.top + 1, box.right - box.left + 1};
}

// The face's mark has a pixel: unhinted, the marked letter has a pixel of half coverage or
// more beyond its letter's.
bool MarkHasAPixel(Reference& ref, std::optional<char32_t> accented, std::optional<char32_t> base, int ppem) {
  const Rendering unhinted{false, false, 1, false};
  const RefGlyph a = ref.Glyph(accented, ppem, unhinted), b = ref.Glyph(base, ppem, unhinted);
  for (int r = 0; r < a.rows; ++r)
    for (int c = 0; c < a.width; ++c)
      if (a.At(c, r) - b.AtPen(a.left + c, a.top - r) >= 128) return true;
  return false;
}

class LegibilityTest : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
  void SetUp() override {
    platform::SetAnsiCodePage(1252);
    face_ = &kFaces[std::get<0>(GetParam())];
    kind_ = &kKinds[std::get<1>(GetParam())];
    if (!fs::exists(face_->file)) GTEST_SKIP() << face_->file << " is not installed";
    fs::copy_file(face_->file, tmp_.Path() / fs::path(face_->file).filename());
    ASSERT_TRUE(platform::UsePrivateFontDirs({tmp_.Path().string()}));
    SetIsWindowsXPForTesting(true);
  }
  void TearDown() override { SetIsWindowsXPForTesting(std::nullopt); }

  void CheckSize(Reference& ref, const CharacterSet& set, int size);
  // Each glyph drawn normally (`normal`: unlike any other and not squashed by its hinting)
  // against FreeType's: whole where it fits, FreeType's own pixels where it fits unmoved.
  void CheckGlyph(const RefGlyph& g, const Cell& cell, int baseline, bool normal, int code) const;

  testing_support::TempDir tmp_;
  const Face* face_ = nullptr;
  const Kind* kind_ = nullptr;
};

void LegibilityTest::CheckGlyph(const RefGlyph& g, const Cell& cell, int baseline, bool normal, int code) const {
  const auto [rows, columns] = InkExtent(g);
  if (rows <= 0 || rows > cell.height || columns > cell.width || !normal) return;
  const auto [first, last] = cell.Rows();
  EXPECT_GE(last - first + 1, rows) << "code " << code << ": rows cut";
  EXPECT_GE(cell.Columns(), columns) << "code " << code << ": columns cut";
  if (kind_->type == FontKind::ClearType) {
    EXPECT_GE(cell.total * 10, g.lcdTotal * 9) << "code " << code << ": subpixel coverage lost";
    return;
  }
  const int x0 = std::max(-g.a, 0) + g.left, y0 = baseline - g.top;
  if (x0 < 0 || y0 < 0 || x0 + g.width > cell.width || y0 + g.rows > cell.height) return;
  for (int y = 0; y < cell.height; ++y)
    for (int x = 0; x < cell.width; ++x) {
      const int c = x - x0, r = y - y0;
      const int want = c >= 0 && c < g.width && r >= 0 && r < g.rows ? g.At(c, r) : 0;
      ASSERT_EQ(cell.At(x, y), want) << "code " << code << " at " << x << "," << y;
    }
}

void LegibilityTest::CheckSize(Reference& ref, const CharacterSet& set, int size) {
  const std::vector<std::optional<char32_t>> chars = CharactersOf(set.codePage);
  auto image = TCharImage::CreateCharImage(kind_->type, face_->family, set.charset, false, false, false, false, 0.5f,
                                           0.5f, false, 0x000000, 0xFFFFFF, size);
  ASSERT_EQ(image->GetHeight(), size);
  platform::LogFont lf;
  lf.FaceName = face_->family;
  lf.Height = size;
  lf.Charset = set.charset;
  lf.Quality = image->FontQuality();
  auto font = platform::CreateTextFont(lf);
  ASSERT_NE(font, nullptr);
  const int ppem = font->PixelSize(), natural = ref.NaturalSize(size);
  EXPECT_GE(ppem, natural - 1);
  EXPECT_LE(ppem, natural);

  std::map<int, RefGlyph> refs;
  std::map<std::tuple<int, int, std::vector<int>>, int> shapes;
  for (int code = 32; code < 256; ++code) {
    const RefGlyph& g = refs[code] = ref.Glyph(chars[static_cast<std::size_t>(code - 32)], ppem, kind_->rendering);
    ++shapes[ShapeOf(g)];
  }
  // Glyphs whose hinting pulled a descender onto the baseline may be drawn otherwise.
  auto drawnNormally = [&](int code) {
    const RefGlyph& g = refs[code];
    return shapes[ShapeOf(g)] == 1 && !ref.LostDescender(chars[static_cast<std::size_t>(code - 32)], ppem, g);
  };
  std::map<int, Cell> cells;
  for (int code = 32; code < 256; ++code) {
    image->SelectChar(static_cast<unsigned char>(code));
    cells[code] = CellOf(*image, kind_->type);
    const RefGlyph& g = refs[code];
    ASSERT_NO_FATAL_FAILURE(CheckGlyph(g, cells[code], font->Ascent(), drawnNormally(code), code));
  }
  for (int code : set.descenders) {
    if (size >= 6) {
      EXPECT_GT(cells[code].Rows().second, cells['x'].Rows().second) << "code " << code << " has no descender";
    }
  }
  for (const auto& [accented, base] : AccentPairsOf(set.codePage)) {
    if (size < 6) continue;
    if (size < 8 && !MarkHasAPixel(ref, chars[static_cast<std::size_t>(accented - 32)],
                                   chars[static_cast<std::size_t>(base - 32)], ppem))
      continue;
    EXPECT_NE(cells[accented].ink, cells[base].ink) << std::hex << "code 0x" << accented << " looks like 0x" << base;
  }
}

TEST_P(LegibilityTest, EveryLetterWholeWithItsMarksAndDescenders) {
  Reference ref(face_->file);
  ASSERT_TRUE(ref.Ok());
  for (const CharacterSet& set : kSets)
    for (int size = 5; size <= 24; ++size) {
      SCOPED_TRACE(std::string(face_->family) + " " + kind_->name + " " + set.name + " size " + std::to_string(size));
      ASSERT_NO_FATAL_FAILURE(CheckSize(ref, set, size));
    }
}

std::string ParamName(const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
  std::string face = kFaces[std::get<0>(info.param)].family;
  face.erase(std::remove(face.begin(), face.end(), ' '), face.end());
  return face + "_" + kKinds[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(Faces, LegibilityTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kFaces))),
                                            ::testing::Range(0, static_cast<int>(std::size(kKinds)))),
                         ParamName);

}  // namespace
}  // namespace fontcreator
