#include "assembly/fontfile.h"
#include "assembly/archivecopy.h"
#include "assembly/fontcatalogue.h"
#include "assembly/tables.h"
#include "assembly/zipfile.h"
#include "fontcreator/fontbuilder.h"
#include "support/tempdir.h"

#include "accent_pairs_support.h"
#include "fake_font_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <utility>

namespace fontcreator {
namespace {

namespace fs = std::filesystem;
using platform::Rgb;
using testing::FakeFactory;
using testing::FakeGlyph;
using testing::FakeScript;

// A palette PNG read back with libpng, without any conversion.
struct PalettePng {
  int width = 0, height = 0, bitDepth = 0, colorType = -1, paletteSize = 0;
  std::vector<png_color> palette;
  std::vector<std::vector<int>> index;  // [y][x]
  Rgb At(int x, int y) const {
    const png_color& c = palette.at(static_cast<std::size_t>(index[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return {c.red, c.green, c.blue};
  }
};

PalettePng DecodePng(const std::string& bytes) {
  PalettePng out;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  struct Reader { const std::string* b; std::size_t at; } reader{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "not a PNG";
    return {};
  }
  png_set_read_fn(png, &reader, [](png_structp p, png_bytep data, png_size_t n) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(p));
    if (r->at + n > r->b->size()) png_error(p, "short");
    std::memcpy(data, r->b->data() + r->at, n);
    r->at += n;
  });
  png_read_info(png, info);
  out.width = static_cast<int>(png_get_image_width(png, info));
  out.height = static_cast<int>(png_get_image_height(png, info));
  out.bitDepth = png_get_bit_depth(png, info);
  out.colorType = png_get_color_type(png, info);
  png_colorp pal = nullptr;
  int n = 0;
  if (png_get_PLTE(png, info, &pal, &n)) out.palette.assign(pal, pal + n);
  out.paletteSize = n;
  std::vector<png_byte> row(png_get_rowbytes(png, info));
  for (int y = 0; y < out.height; ++y) {
    png_read_row(png, row.data(), nullptr);
    std::vector<int> line;
    for (int x = 0; x < out.width; ++x) {
      if (out.bitDepth == 1) line.push_back((row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1);
      else line.push_back(row[static_cast<std::size_t>(x)]);
    }
    out.index.push_back(line);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

// `type` is the font file's type byte.
FontSettings Settings(int type) {
  FontSettings s;
  s.FontType = static_cast<FontKind>(type);
  s.FaceName = "Fake";
  s.Size = 11;
  if (type == 0) {
    s.TextColor = 0x000000;
    s.BackgroundColor = 0xFFFFFF;
  } else {
    s.TextColor = 0x00FFFF;
    s.BackgroundColor = 0x102040;
  }
  return s;
}

// Code c: 2 + c % 7 pixels wide, and in every second row j one ink pixel at column
// (c + j) % width, drawn with the coverage red 255, green c, blue 90.
int ScriptWidth(int code) { return 2 + code % 7; }

FakeScript Script() {
  FakeScript s;
  s.cellHeight = 11;
  for (int c = 32; c < 256; ++c) {
    int w = ScriptWidth(c);
    FakeGlyph g{{0, w, 0}, true, w, {}};
    for (int j = 0; j < 11; j += 2) g.ink.push_back({(c + j) % w, j, 255, static_cast<std::uint8_t>(c), 90});
    s.glyphs[c] = g;
  }
  return s;
}

// Rows of the sheets of Script(): the glyphs fill six rows of 11 pixels, so 66 (over the
// least height of 48).
constexpr int kScriptSheetHeight = 66;

Rgb RgbOfValue(std::uint32_t rrggbb) {
  return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
          static_cast<std::uint8_t>(rrggbb)};
}

// The colour of Script()'s ink of code `code` and the sheet's background, worked out from the
// glyph definition: black and white draws every inked pixel black (white in the negative set);
// the colour kind weighs the drawn channels 29 red, 60 green, 11 blue into a coverage and mixes
// ink over paper by it, halves to even; ClearType keeps what the fake drew, ink mixed over
// paper channel by channel. The negative set exchanges ink and paper.
struct ScriptColours {
  Rgb paper;
  Rgb ink;
};

std::uint8_t MixHalfToEven(int ink, int paper, int coverage, int whole) {
  const int num = ink * coverage + paper * (whole - coverage);
  int q = num / whole;
  const int twice = 2 * (num % whole);
  if (twice > whole || (twice == whole && q % 2 == 1)) ++q;
  return static_cast<std::uint8_t>(q);
}

ScriptColours ColoursOf(int type, bool negative, int code) {
  if (type == 0) {
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    return negative ? ScriptColours{black, white} : ScriptColours{white, black};
  }
  Rgb ink = RgbOfValue(Settings(type).TextColor), paper = RgbOfValue(Settings(type).BackgroundColor);
  if (negative) std::swap(ink, paper);
  if (type == 1) {
    // Coverage (29 x 255 + 60 x code + 11 x 90) / 25500, as an exact fraction; no code of the
    // script lies near a half.
    const int coverage = 29 * 255 + 60 * code + 11 * 90;
    return {paper,
            {MixHalfToEven(ink.Red, paper.Red, coverage, 25500), MixHalfToEven(ink.Green, paper.Green, coverage, 25500),
             MixHalfToEven(ink.Blue, paper.Blue, coverage, 25500)}};
  }
  auto over = [](int i, int p, int a) { return static_cast<std::uint8_t>((p * (255 - a) + i * a + 127) / 255); };
  return {paper, {over(ink.Red, paper.Red, 255), over(ink.Green, paper.Green, code), over(ink.Blue, paper.Blue, 90)}};
}

// The whole sheet of Script() as the font file must hold it, [y][x]: the background, and the
// glyphs of codes 32..255 side by side in rows of 11, a glyph that would pass column 200
// beginning the next row.
std::vector<std::vector<Rgb>> ExpectedSheet(int type, bool negative) {
  std::vector<std::vector<Rgb>> sheet(kScriptSheetHeight, std::vector<Rgb>(200, ColoursOf(type, negative, 32).paper));
  int x = 0, y = 0;
  for (int c = 32; c < 256; ++c) {
    const int w = ScriptWidth(c);
    if (x + w > 200) {
      x = 0;
      y += 11;
    }
    for (int j = 0; j < 11; j += 2)
      sheet[static_cast<std::size_t>(y + j)][static_cast<std::size_t>(x + (c + j) % w)] =
          ColoursOf(type, negative, c).ink;
    x += w;
  }
  return sheet;
}

std::string Describe(Rgb c) {
  return "(" + std::to_string(c.Red) + ", " + std::to_string(c.Green) + ", " + std::to_string(c.Blue) + ")";
}

// A sheet of a font built from Script() is a palette PNG, 200 x 66, of exactly the expected
// pixels.
void ExpectScriptSheet(const std::string& pngBytes, int type, bool negative) {
  SCOPED_TRACE(negative ? "negative sheet" : "sheet");
  const PalettePng png = DecodePng(pngBytes);
  EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.bitDepth, type == 0 ? 1 : 8);
  EXPECT_EQ(png.paletteSize, type == 0 ? 2 : 256);
  ASSERT_EQ(png.width, 200);
  ASSERT_EQ(png.height, kScriptSheetHeight);
  const std::vector<std::vector<Rgb>> expected = ExpectedSheet(type, negative);
  int wrong = 0;
  for (int y = 0; y < png.height; ++y)
    for (int x = 0; x < png.width; ++x) {
      const Rgb want = expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      if (png.At(x, y) == want) continue;
      if (++wrong <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << " is " << Describe(png.At(x, y)) << ", not " << Describe(want);
    }
  EXPECT_EQ(wrong, 0) << "pixels differ";
}

TEST(FontFileTest, RoundTripThroughTheBuildersReader) {
  for (int type : {0, 1, 2}) {
    SCOPED_TRACE(type);
    FakeScript script = Script();
    const std::string bytes = BuildFontFile(Settings(type), nullptr, FakeFactory(script));

    std::string reason;
    auto font = assembly::ReadFontFile(bytes, &reason);
    ASSERT_TRUE(font) << reason;
    EXPECT_EQ(assembly::GetFontTypeByte(bytes), type);
    EXPECT_EQ(font->Height, 11);
    EXPECT_EQ(font->TextColor, Settings(type).TextColor);
    EXPECT_EQ(font->BackgroundColor, Settings(type).BackgroundColor);
    for (int c = 32; c < 256; ++c) EXPECT_EQ(font->Widths[static_cast<std::size_t>(c - 32)], ScriptWidth(c)) << c;
    const std::uint32_t offset = assembly::ReadU32LE(bytes, 2);
    EXPECT_EQ(offset, 244 + font->Sheet.size());
    EXPECT_EQ(assembly::ReadU32LE(bytes, offset), font->NegativeSheet.size());
    EXPECT_EQ(bytes.size(), offset + 4 + font->NegativeSheet.size());

    // Without its negative set the font is still a font.
    std::string positive = bytes;
    assembly::CutNegativeSheet(positive);
    EXPECT_EQ(positive.size(), offset);
    auto cut = assembly::ReadFontFile(positive, &reason);
    ASSERT_TRUE(cut) << reason;
    EXPECT_FALSE(cut->HasNegativeSheet);
    EXPECT_EQ(static_cast<unsigned char>(positive[7]), type);

    ExpectScriptSheet(font->Sheet, type, false);
    ExpectScriptSheet(font->NegativeSheet, type, true);
  }
}

// Pixels of the sheets worked out by hand: the first ink of the first code (32 at column 0,
// ink at column 32 % 6), of code 65 (column 166) and of code 71, which would pass column 200
// and begins the second row; the last ink of code 255 (column 122 of the sixth row); and the
// background past it.
TEST(FontFileTest, SheetsHoldTheseHandWorkedPixels) {
  const Rgb white{255, 255, 255}, black{0, 0, 0}, navy{16, 32, 64}, aqua{0, 255, 255};
  // The colour kind at code 32: coverage 10305 / 25500 of aqua over navy, so 16 x 0.596 = 9.53,
  // 32 + 223 x 0.404 = 122.1, 64 + 191 x 0.404 = 141.2. ClearType at code 32: red all ink,
  // green (32 x 223 + 255 x 32 + 127) / 255 = 60, blue (64 x 165 + 255 x 90 + 127) / 255 = 131.
  const struct {
    int type, x, y;
    Rgb sheet, negative;
  } cases[] = {
      {0, 2, 0, black, white},
      {0, 3, 0, white, black},
      {0, 167, 0, black, white},
      {0, 2, 11, black, white},
      {0, 122, 65, black, white},
      {0, 199, 65, white, black},
      {1, 2, 0, {10, 122, 141}, {6, 165, 178}},
      {1, 167, 0, {8, 139, 156}, {8, 148, 163}},
      {1, 2, 11, {8, 143, 159}, {8, 144, 160}},
      {1, 122, 65, {1, 239, 241}, {15, 48, 78}},
      {1, 199, 65, navy, aqua},
      {2, 2, 0, {0, 60, 131}, {16, 227, 188}},
      {2, 167, 0, {0, 89, 131}, {16, 198, 188}},
      {2, 2, 11, {0, 94, 131}, {16, 193, 188}},
      {2, 122, 65, {0, 255, 131}, {16, 32, 188}},
      {2, 199, 65, navy, aqua},
  };
  std::map<int, std::pair<PalettePng, PalettePng>> sheets;
  for (int type : {0, 1, 2}) {
    FakeScript script = Script();
    auto font = assembly::ReadFontFile(BuildFontFile(Settings(type), nullptr, FakeFactory(script)));
    ASSERT_TRUE(font);
    sheets[type] = {DecodePng(font->Sheet), DecodePng(font->NegativeSheet)};
    ASSERT_EQ(sheets[type].first.height, kScriptSheetHeight);
    ASSERT_EQ(sheets[type].second.height, kScriptSheetHeight);
  }
  for (const auto& c : cases) {
    const auto& [sheet, negative] = sheets[c.type];
    EXPECT_EQ(Describe(sheet.At(c.x, c.y)), Describe(c.sheet)) << "type " << c.type << " at " << c.x << "," << c.y;
    EXPECT_EQ(Describe(negative.At(c.x, c.y)), Describe(c.negative))
        << "type " << c.type << " at " << c.x << "," << c.y << ", negative";
  }
}

class SaveFontTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directories(dir_ / "out");
    old_ = fs::current_path();
    fs::create_directories(dir_ / "cwd");
    fs::current_path(dir_ / "cwd");
  }
  void TearDown() override {
    fs::current_path(old_);
  }
  static std::string Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }
  static std::vector<std::string> Names(const fs::path& d) {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(d)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
  }
  testing_support::TempDir tmp_;
  const fs::path dir_ = tmp_.Path();
  fs::path old_;
};

TEST_F(SaveFontTest, WritesTheFileAndNothingElse) {
  FakeScript script = Script();
  const fs::path target = dir_ / "out" / "my.fnt";
  {
    std::ofstream old(target);
    old << "an older, longer font file that must be replaced completely.........................";
  }
  FontPreview p = SaveFont(Settings(1), target.string(), FakeFactory(script));
  // The whole file is the font: header, widths and both sheets, nothing of the older file.
  const std::string bytes = Read(target);
  auto font = assembly::ReadFontFile(bytes);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Type, 1);
  EXPECT_EQ(bytes.size(), 248 + font->Sheet.size() + font->NegativeSheet.size());
  ExpectScriptSheet(font->Sheet, 1, false);
  ExpectScriptSheet(font->NegativeSheet, 1, true);
  EXPECT_EQ(Names(dir_ / "out"), std::vector<std::string>{"my.fnt"});
  EXPECT_TRUE(Names(dir_ / "cwd").empty());  // no font.png
  EXPECT_EQ(p.Height, 11);
  // Readable like any file the user makes, not private as a temporary file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(static_cast<int>(fs::status(target).permissions() & fs::perms::all), static_cast<int>(0666 & ~mask));
}

TEST_F(SaveFontTest, FailedSaveLeavesNoPartialFile) {
  FakeScript script = Script();
  // A missing folder.
  const fs::path missing = dir_ / "nowhere" / "a.fnt";
  EXPECT_THROW(SaveFont(Settings(0), missing.string(), FakeFactory(script)), EFontWriteError);
  EXPECT_FALSE(fs::exists(dir_ / "nowhere"));
  // A target that cannot be replaced: a folder of that name. Its folder stays as it was.
  fs::create_directories(dir_ / "out" / "b.fnt" / "inner");
  try {
    SaveFont(Settings(0), (dir_ / "out" / "b.fnt").string(), FakeFactory(script));
    FAIL();
  } catch (const EFontWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("b.fnt"), std::string::npos);
  }
  EXPECT_EQ(Names(dir_ / "out"), std::vector<std::string>{"b.fnt"});
  EXPECT_TRUE(Names(dir_ / "cwd").empty());
}

}  // namespace
}  // namespace fontcreator

namespace fontcreator {
namespace {

TEST_F(SaveFontTest, BuilderPacksWrittenFontsWithOrWithoutTheNegativeSet) {
  std::string files[3], bytes[3];
  for (int type = 0; type < 3; ++type) {
    FakeScript script = Script();
    files[type] = (dir_ / "out" / ("f" + std::to_string(type) + ".fnt")).string();
    SaveFont(Settings(type), files[type], FakeFactory(script));
    bytes[type] = Read(files[type]);
  }
  const assembly::TZipFile archive;
  for (int core = 0; core < 10; ++core) {
    for (std::uint8_t keep : {0, 1}) {
      assembly::TMIDLETCONFIG c;
      c.Core = static_cast<std::uint8_t>(core);
      c.FontNames = {"f0", "f1", "f2", "", ""};
      c.FontSources = {files[0], files[1], files[2], "", ""};
      c.NegativeFlags = {keep, keep, keep, 0, 0};
      assembly::TZipFile jar;
      assembly::AddFonts(archive, c, jar);
      ASSERT_EQ(jar.Count(), 3);
      for (int type = 0; type < 3; ++type) {
        SCOPED_TRACE(::testing::Message() << "core " << core << " type " << type << " keep " << int(keep));
        const bool negative = keep && assembly::NegativeSetDropTable.at(static_cast<std::size_t>(type * 10 + core)) == 0;
        const std::string packed = jar.ReadEntryData(type);
        EXPECT_EQ(packed, negative ? bytes[type] : bytes[type].substr(0, assembly::ReadU32LE(bytes[type], 2)));
        auto font = assembly::ReadFontFile(packed);
        ASSERT_TRUE(font);
        EXPECT_EQ(font->HasNegativeSheet, negative);
        ExpectScriptSheet(font->Sheet, type, false);
        if (negative) ExpectScriptSheet(font->NegativeSheet, type, true);
      }
    }
  }
}

}  // namespace
}  // namespace fontcreator

namespace fontcreator {
namespace {

TEST(SampleArchiveTest, BuiltInFontsAreRenderedFonts) {
  assembly::TZipFile archive;
  archive.LoadFromFile(QW_BIN_DIR "/quirewright.dat");
  const auto entries = assembly::FontCatalogueEntries();
  ASSERT_EQ(entries.size(), 150u);
  for (const assembly::TFontDesc& d : entries) {
    SCOPED_TRACE(d.EntryName);
    const std::string bytes = assembly::ReadArchiveEntry(archive, d.EntryName);
    std::string reason;
    auto font = assembly::ReadFontFile(bytes, &reason);
    ASSERT_TRUE(font) << reason;
    EXPECT_EQ(font->Type, d.FontType);
    // The height is the first number of the name: "6x3ce" 6, "Tah12we" 12, "David15hb" 15.
    const std::string name = d.DisplayName.substr(0, d.DisplayName.find(' '));
    const std::size_t digit = name.find_first_of("0123456789");
    EXPECT_EQ(font->Height, std::stoi(name.substr(digit)));
    PalettePng png = DecodePng(font->Sheet);
    EXPECT_EQ(png.width, 200);
    EXPECT_EQ(png.bitDepth, d.FontType == 0 ? 1 : 8);
    // Letters have ink: the sheet has more than its background colour.
    std::set<int> used;
    for (const auto& row : png.index) used.insert(row.begin(), row.end());
    EXPECT_GE(used.size(), 2u);
    // Proportional glyphs of a real face.
    EXPECT_GE(std::set<int>(font->Widths.begin(), font->Widths.end()).size(), 4u);
  }
}

// Rows the glyphs of a font need: rows of H pixels, a glyph wrapping when it would pass the
// 200th column.
int RowsNeeded(int h, const std::array<std::uint8_t, kCodeCount>& widths) {
  int x = 0, y = 0;
  for (std::uint8_t w : widths) {
    if (x + w > 200) {
      x = 0;
      y += h;
    }
    x += w;
  }
  return y + (x != 0 ? h : 0);
}

std::uint32_t PngHeight(const std::string& png) {
  // The IHDR chunk follows the 8-byte signature: length, type, width, then height.
  EXPECT_GE(png.size(), 24u);
  if (png.size() < 24) return 0;
  return std::uint32_t(std::uint8_t(png[20])) << 24 | std::uint32_t(std::uint8_t(png[21])) << 16 |
         std::uint32_t(std::uint8_t(png[22])) << 8 | std::uint32_t(std::uint8_t(png[23]));
}

TEST(SampleArchiveTest, EveryBuiltInFontsSheetsHoldAllItsRows) {
  assembly::TZipFile archive;
  archive.LoadFromFile(QW_BIN_DIR "/quirewright.dat");
  for (const assembly::TFontDesc& d : assembly::FontCatalogueEntries()) {
    SCOPED_TRACE(d.EntryName);
    std::string reason;
    auto font = assembly::ReadFontFile(assembly::ReadArchiveEntry(archive, d.EntryName), &reason);
    ASSERT_TRUE(font) << reason;
    const int rows = RowsNeeded(font->Height, font->Widths);
    // The font creator saves only fonts under 255 rows; the sheets are that tall (48 at least).
    EXPECT_LT(rows, 255);
    EXPECT_EQ(PngHeight(font->Sheet), static_cast<std::uint32_t>(std::max(rows, 48)));
    ASSERT_TRUE(font->HasNegativeSheet);
    EXPECT_EQ(PngHeight(font->NegativeSheet), static_cast<std::uint32_t>(std::max(rows, 48)));
  }
}

// One glyph of a font file's sheet: its colours, row by row, and its lowest row with ink.
struct SheetGlyph {
  std::vector<std::uint32_t> colours;
  int lowestInk = -1;
};

std::map<int, SheetGlyph> GlyphsOfSheet(const assembly::FontFile& font, const PalettePng& png) {
  std::map<int, SheetGlyph> glyphs;
  const Rgb back{static_cast<std::uint8_t>(font.BackgroundColor >> 16),
                 static_cast<std::uint8_t>(font.BackgroundColor >> 8), static_cast<std::uint8_t>(font.BackgroundColor)};
  int x = 0, y = 0;
  for (int i = 0; i < kCodeCount; ++i) {
    const int w = font.Widths[static_cast<std::size_t>(i)];
    if (x + w > png.width) {
      x = 0;
      y += font.Height;
    }
    SheetGlyph& g = glyphs[kFirstCode + i];
    for (int r = 0; r < font.Height; ++r)
      for (int c = 0; c < w; ++c) {
        EXPECT_LT(y + r, png.height) << "code " << kFirstCode + i << " falls off the sheet";
        if (y + r >= png.height) return glyphs;
        const Rgb p = png.At(x + c, y + r);
        g.colours.push_back(std::uint32_t(p.Red) << 16 | std::uint32_t(p.Green) << 8 | p.Blue);
        // Ink: more than a trace away from the background (the palette of 256 colours may
        // hold the background only nearly).
        if (std::abs(p.Red - back.Red) + std::abs(p.Green - back.Green) + std::abs(p.Blue - back.Blue) > 48)
          g.lowestInk = r;
      }
    x += w;
  }
  return glyphs;
}

TEST(SampleArchiveTest, BuiltInFontsKeepDescendersAndAccents) {
  assembly::TZipFile archive;
  archive.LoadFromFile(QW_BIN_DIR "/quirewright.dat");
  // The code page of each language group, and the descenders to look for (g p q y, and the
  // Cyrillic er and u).
  const char* const codePages[] = {"CP1250", "CP1252", "CP1251", "CP1255", "CP1256", "CP1253"};
  for (const assembly::TFontDesc& d : assembly::FontCatalogueEntries()) {
    SCOPED_TRACE(d.EntryName);
    std::string reason;
    auto font = assembly::ReadFontFile(assembly::ReadArchiveEntry(archive, d.EntryName), &reason);
    ASSERT_TRUE(font) << reason;
    const PalettePng png = DecodePng(font->Sheet);
    std::map<int, SheetGlyph> glyphs = GlyphsOfSheet(*font, png);
    ASSERT_EQ(glyphs.size(), static_cast<std::size_t>(kCodeCount));
    std::vector<int> descenders{'g', 'p', 'q', 'y'};
    if (d.LanguageGroup == 2) descenders.insert(descenders.end(), {0xF0, 0xF3});
    for (int code : descenders) {
      if (font->Height >= 6) {
        EXPECT_GT(glyphs[code].lowestInk, glyphs['x'].lowestInk) << "code " << code << " has no descender";
      }
    }
    for (const auto& [accented, base] : testing::AccentPairsOf(codePages[d.LanguageGroup])) {
      if (font->Height >= 7) {
        EXPECT_NE(glyphs[accented].colours, glyphs[base].colours)
            << std::hex << "code 0x" << accented << " looks like 0x" << base;
      }
    }
  }
}

TEST(SampleFontsToolTest, FailsOnATooLargeFont) {
  // With only the bold face, the widest font of the catalogue needs more than 255 rows.
  const testing_support::TempDir tmp;
  fs::create_directories(tmp.Path() / "faces");
  fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", tmp.Path() / "faces" / "bold.ttf");
  std::string output;
  const int status = testing_support::RunCommand(testing_support::ShellQuote(QW_BIN_DIR "/make_sample_fonts") + " " +
                                                     testing_support::ShellQuote((tmp.Path() / "out").string()) + " " +
                                                     testing_support::ShellQuote((tmp.Path() / "faces").string()),
                                                 &output);
  EXPECT_NE(status, 0) << output;
  EXPECT_NE(output.find("Arial20ar"), std::string::npos) << output;
  EXPECT_NE(output.find("too large"), std::string::npos) << output;
  // The regular face makes every font.
  output.clear();
  EXPECT_EQ(testing_support::RunCommand(testing_support::ShellQuote(QW_BIN_DIR "/make_sample_fonts") + " " +
                                            testing_support::ShellQuote((tmp.Path() / "regular").string()),
                                        &output),
            0)
      << output;
  EXPECT_TRUE(fs::exists(tmp.Path() / "regular" / "fonts" / "Arabic" / "Arial20ar_CT.fnt"));
}

}  // namespace
}  // namespace fontcreator

namespace fontcreator {
namespace {

TEST(FontFileTest, DamagedWrittenFontsAreRefusedWithoutOverRead) {
  FakeScript script = Script();
  const std::string good = BuildFontFile(Settings(1), nullptr, FakeFactory(script));
  const std::uint32_t offset = assembly::ReadU32LE(good, 2);
  auto with = [&](std::size_t at, std::uint32_t value, int bytes) {
    std::string b = good;
    for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    return b;
  };
  struct Case { const char* what; std::string bytes; } cases[] = {
      {"empty", ""},
      {"one byte", good.substr(0, 1)},
      {"header only", good.substr(0, 16)},
      {"widths cut", good.substr(0, 200)},
      {"first sheet cut", good.substr(0, offset - 1)},
      {"second length cut", good.substr(0, offset + 2)},
      {"second sheet cut", good.substr(0, good.size() - 1)},
      {"wrong magic", with(0, 0x02, 1)},
      {"wrong second magic", with(1, 0x35, 1)},
      {"offset past the end", with(2, static_cast<std::uint32_t>(good.size() + 1), 4)},
      {"offset far past the end", with(2, 0xFFFFFFF0u, 4)},
      {"first length past the end", with(240, 0xFFFFFFF0u, 4)},
      {"second length past the end", with(offset, 0x7FFFFFFFu, 4)},
      {"font type 3", with(7, 3, 1)},
      {"font type 127", with(7, 127, 1)},
  };
  for (const Case& c : cases) {
    // The bytes live in a buffer of their own size, so that ASan sees any read past them.
    std::unique_ptr<char[]> exact(new char[c.bytes.size() + 1]);
    std::memcpy(exact.get(), c.bytes.data(), c.bytes.size());
    const std::string_view view(exact.get(), c.bytes.size());
    std::string reason;
    EXPECT_FALSE(assembly::ReadFontFile(view, &reason)) << c.what;
    EXPECT_FALSE(reason.empty()) << c.what;
    (void)assembly::GetFontTypeByte(view);
    std::string cut(view);
    assembly::CutNegativeSheet(cut);
    EXPECT_LE(cut.size(), c.bytes.size()) << c.what;
  }
  EXPECT_TRUE(assembly::ReadFontFile(good));
}

}  // namespace
}  // namespace fontcreator
