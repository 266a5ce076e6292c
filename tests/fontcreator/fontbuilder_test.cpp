#include "fontcreator/fontbuilder.h"

#include "fake_font_support.h"
#include "platform/imaging/textrender.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace fontcreator {
namespace {

using platform::Bitmap;
using platform::PixelFormat;
using platform::Rgb;
using testing::FakeFactory;
using testing::FakeGlyph;
using testing::FakeScript;

std::array<std::uint8_t, kCodeCount> Widths(std::initializer_list<std::pair<int, int>> runs) {
  std::array<std::uint8_t, kCodeCount> w{};
  int i = 0;
  for (auto [count, width] : runs)
    for (int k = 0; k < count && i < kCodeCount; ++k) w[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(width);
  return w;
}

TEST(SheetLayoutTest, HeightsAndTheTooLargeFlag) {
  struct Case { int h; std::array<std::uint8_t, kCodeCount> widths; int total, sheet; bool tooLarge; } cases[] = {
      {10, Widths({}), 0, 48, false},                       // nothing drawn
      {10, Widths({{224, 1}}), 20, 48, false},              // 200 + 24
      {12, Widths({{224, 5}}), 72, 72, false},              // 40 a row: 6 rows
      {2, Widths({{127, 101}}), 254, 254, false},           // one glyph a row
      {5, Widths({{51, 101}}), 255, 255, true},
      {2, Widths({{128, 101}}), 256, 255, true},
      {24, Widths({{224, 32}}), 24 * 38, 255, true},        // 6 a row
  };
  for (const auto& c : cases) {
    SheetLayout l = LayoutSheet(c.h, c.widths);
    EXPECT_EQ(l.Total, c.total) << c.h;
    EXPECT_EQ(l.SheetHeight, c.sheet) << c.h;
    EXPECT_EQ(l.TooLarge, c.tooLarge) << c.h;
  }
}

TEST(SheetLayoutTest, ExactFitStaysOnTheRow) {
  SheetLayout fit = LayoutSheet(9, Widths({{2, 100}, {1, 1}}));
  EXPECT_EQ(fit.X[1], 100);
  EXPECT_EQ(fit.Y[1], 0);
  EXPECT_EQ(fit.X[2], 0);
  EXPECT_EQ(fit.Y[2], 9);
  SheetLayout over = LayoutSheet(9, Widths({{1, 100}, {1, 101}}));
  EXPECT_EQ(over.X[1], 0);
  EXPECT_EQ(over.Y[1], 9);
  EXPECT_EQ(over.Total, 18);
}

// `type` is the font file's type byte.
FontSettings Settings(int type) {
  FontSettings s;
  s.FontType = static_cast<FontKind>(type);
  s.FaceName = "Fake";
  s.Size = 10;
  s.TextColor = 0x2040C0;
  s.BackgroundColor = 0xF0E0D0;
  return s;
}

// Glyph of code c: 3 + c % 5 pixels wide, full ink on its diagonal. The glyphs fill six rows of
// 10 pixels (codes 72, 112, 152, 192 and 232 would pass column 200 and begin a row), so the
// sheet is 60 rows. Full ink is the text colour in every kind (black in black and white).
TEST(SheetTest, SheetHoldsEveryGlyphAtItsPlace) {
  FakeScript script;
  auto width = [](int c) { return 3 + c % 5; };
  for (int c = 32; c < 256; ++c) {
    int w = width(c);
    FakeGlyph g{{0, w, 0}, true, w, {}};
    for (int i = 0; i < w && i < 10; ++i) g.ink.push_back({i, i});
    script.glyphs[c] = g;
  }
  for (int type : {0, 1, 2}) {
    SCOPED_TRACE(type);
    FontPreview p = BuildFont(Settings(type), FakeFactory(script));
    EXPECT_EQ(p.Height, 10);
    ASSERT_EQ(p.Sheet.Width(), 200);
    ASSERT_EQ(p.Sheet.Height(), 60);
    EXPECT_EQ(p.Sheet.Format(), type == 0 ? PixelFormat::pf1bit : PixelFormat::pf8bit);
    if (type != 0) {
      EXPECT_EQ(p.Sheet.GetPalette().Count(), 256);
    }
    const Rgb ink = type == 0 ? Rgb{0, 0, 0} : Rgb{0x20, 0x40, 0xC0};
    const Rgb paper = type == 0 ? Rgb{255, 255, 255} : Rgb{0xF0, 0xE0, 0xD0};
    std::vector<std::vector<Rgb>> expected(60, std::vector<Rgb>(200, paper));
    int x = 0, y = 0;
    for (int c = 32; c < 256; ++c) {
      const int w = width(c);
      ASSERT_EQ(p.Widths[static_cast<std::size_t>(c - 32)], w);
      if (x + w > 200) {
        x = 0;
        y += 10;
      }
      for (int i = 0; i < w && i < 10; ++i)
        expected[static_cast<std::size_t>(y + i)][static_cast<std::size_t>(x + i)] = ink;
      x += w;
    }
    ASSERT_EQ(y, 50);  // the sixth row
    for (int j = 0; j < 60; ++j)
      for (int i = 0; i < 200; ++i)
        ASSERT_EQ(p.Sheet.GetPixel(i, j), expected[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)])
            << i << "," << j;
    // Code 72 begins the second row with its diagonal.
    EXPECT_EQ(p.Sheet.GetPixel(0, 10), ink);
    EXPECT_EQ(p.Sheet.GetPixel(4, 14), ink);
    EXPECT_EQ(p.Sheet.GetPixel(1, 10), paper);
  }
}

TEST(SheetTest, BlackAndWhiteSheetIsBlackOnWhite) {
  FakeScript script;
  FontSettings s = Settings(0);
  FontPreview p = BuildFont(s, FakeFactory(script));
  // Code 32 at (0, 0): the fake's ink at (0, 0) and (1, 1).
  EXPECT_EQ(p.Sheet.GetPixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(p.Sheet.GetPixel(1, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(p.Sheet.GetPixel(1, 0), (Rgb{255, 255, 255}));
}

TEST(SheetTest, ZoomIsFourTimesTheLetterInALimeFrame) {
  FakeScript script;
  script.glyphs['A'] = FakeGlyph{{0, 3, 0}, true, 3, {{0, 0}, {2, 9}}};
  auto image = CreateCharImage(Settings(1), false, FakeFactory(script));
  Bitmap zoom = RenderZoomGlyph(*image);
  ASSERT_EQ(zoom.Width(), 4 * 3 + 2);
  ASSERT_EQ(zoom.Height(), 4 * 10 + 2);
  EXPECT_EQ(zoom.Format(), PixelFormat::pf24bit);
  const Rgb lime{0, 255, 0};
  EXPECT_EQ(zoom.GetPixel(0, 0), lime);
  EXPECT_EQ(zoom.GetPixel(13, 41), lime);
  EXPECT_EQ(zoom.GetPixel(7, 0), lime);
  EXPECT_EQ(zoom.GetPixel(0, 20), lime);
  // Inside the frame every glyph pixel is a 4 x 4 square: ink at glyph pixels (0, 0) and (2, 9).
  const Rgb ink{0x20, 0x40, 0xC0}, paper{0xF0, 0xE0, 0xD0};
  for (int j = 0; j < 40; ++j)
    for (int i = 0; i < 12; ++i) {
      const bool inked = (i / 4 == 0 && j / 4 == 0) || (i / 4 == 2 && j / 4 == 9);
      EXPECT_EQ(zoom.GetPixel(i + 1, j + 1), inked ? ink : paper) << i << "," << j;
    }
  EXPECT_EQ(zoom.GetPixel(1, 1), platform::RgbOf(MakeColor(0x20, 0x40, 0xC0)));
  EXPECT_EQ(zoom.GetPixel(9, 37), platform::RgbOf(MakeColor(0x20, 0x40, 0xC0)));
  EXPECT_EQ(zoom.GetPixel(5, 1), platform::RgbOf(MakeColor(0xF0, 0xE0, 0xD0)));
}

// A smaller enlargement of the same letter: each glyph pixel becomes a square of the new
// size, inside the same lime frame.
TEST(SheetTest, ShrunkZoomKeepsTheLetterAndItsFrame) {
  FakeScript script;
  script.glyphs['A'] = FakeGlyph{{0, 3, 0}, true, 3, {{0, 0}, {2, 9}}};
  auto image = CreateCharImage(Settings(1), false, FakeFactory(script));
  const Bitmap zoom = ShrinkZoom(RenderZoomGlyph(*image), 2);
  ASSERT_EQ(zoom.Width(), 2 * 3 + 2);
  ASSERT_EQ(zoom.Height(), 2 * 10 + 2);
  const Rgb lime{0, 255, 0};
  const Rgb ink = platform::RgbOf(MakeColor(0x20, 0x40, 0xC0));
  const Rgb paper = platform::RgbOf(MakeColor(0xF0, 0xE0, 0xD0));
  for (int x : {0, 7}) EXPECT_EQ(zoom.GetPixel(x, 11), lime);
  for (int y : {0, 21}) EXPECT_EQ(zoom.GetPixel(4, y), lime);
  // Ink at glyph pixels (0, 0) and (2, 9): zoom squares (1..2, 1..2) and (5..6, 19..20).
  for (auto [x, y] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{5, 19}, std::pair{6, 20}})
    EXPECT_EQ(zoom.GetPixel(x, y), ink) << x << "," << y;
  for (auto [x, y] : {std::pair{3, 1}, std::pair{1, 3}, std::pair{4, 20}, std::pair{6, 18}})
    EXPECT_EQ(zoom.GetPixel(x, y), paper) << x << "," << y;
}

class DejaVuTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(platform::UsePrivateFontDirs({"/usr/share/fonts/truetype/dejavu"})); }
};

TEST_F(DejaVuTest, EveryHeightGivesACellOfThatHeight) {
  for (int type : {0, 1, 2}) {
    for (int size = 5; size <= 24; ++size) {
      for (bool aa : {false, true}) {
        auto image = TCharImage::CreateCharImage(static_cast<FontKind>(type), "DejaVu Sans", platform::DEFAULT_CHARSET, aa, false, false,
                                                 false, 0.5f, 0.5f, false, 0xFFFFFF, 0, size);
        EXPECT_EQ(image->GetHeight(), size) << type << " " << size;
      }
    }
  }
  SetIsWindowsXPForTesting(false);
  auto sampled = TCharImage::CreateCharImage(FontKind::Color, "DejaVu Sans", platform::DEFAULT_CHARSET, true, false, false, false,
                                             0.5f, 0.5f, false, 0xFFFFFF, 0, 13);
  SetIsWindowsXPForTesting(std::nullopt);
  EXPECT_EQ(sampled->GetHeight(), 13);
  EXPECT_EQ(sampled->Surface().Width(), 128);
}

TEST_F(DejaVuTest, RussianSetDrawsCyrillicA) {
  auto make = [](int charset) {
    return TCharImage::CreateCharImage(FontKind::BlackWhite, "DejaVu Sans", charset, false, false, false, false, 0.5f, 0.5f, false,
                                       0xFFFFFF, 0, 14);
  };
  auto glyph = [](TCharImage& img, unsigned char code) {
    img.SelectChar(code);
    std::vector<ColorRef> px;
    for (int y = 0; y < img.GetHeight(); ++y)
      for (int x = 0; x < img.GetCharWidth(); ++x) px.push_back(img.Pixel(x, y));
    return px;
  };
  auto ru = make(platform::RUSSIAN_CHARSET);
  auto we = make(platform::ANSI_CHARSET);
  EXPECT_EQ(glyph(*ru, 0xC0), glyph(*we, 'A'));
  EXPECT_NE(glyph(*we, 0xC0), glyph(*we, 'A'));
}

TEST_F(DejaVuTest, ItalicInkIsInsideTheWidth) {
  // Italic glyphs reach left of their origin; all their ink must still be in the sheet.
  for (unsigned char code : {'f', 'j', 'y'}) {
    auto image = TCharImage::CreateCharImage(FontKind::ClearType, "DejaVu Serif", platform::ANSI_CHARSET, false, false, true, false,
                                             0.5f, 0.5f, false, 0x000000, 0xFFFFFF, 20);
    image->SelectChar(code);
    const platform::Bitmap& dib = image->Surface();
    for (int y = 0; y < dib.Height(); ++y)
      for (int x = image->GetCharWidth(); x < dib.Width(); ++x)
        EXPECT_EQ(dib.GetPixel(x, y), (Rgb{0, 0, 0})) << code << " " << x << "," << y;
  }
}

}  // namespace
}  // namespace fontcreator
