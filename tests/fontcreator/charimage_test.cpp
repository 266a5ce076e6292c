#include "fontcreator/charimage.h"

#include "fake_font_support.h"
#include "platform/system/codepage.h"

#include <gtest/gtest.h>

namespace fontcreator {
namespace {

using testing::FakeFactory;
using testing::FakeGlyph;
using testing::FakeScript;
using testing::Ink;

std::unique_ptr<TCharImage> Make(FakeScript& s, FontKind type, bool antialiased = false, bool negative = false,
                                 std::uint32_t back = 0xFFFFFF, std::uint32_t text = 0x000000,
                                 float brightness = 0.5f, float contrast = 0.5f, int size = 10,
                                 bool upper = false, int charset = platform::ANSI_CHARSET) {
  return TCharImage::CreateCharImage(type, "Fake", charset, antialiased, upper, false, false, brightness, contrast,
                                     negative, back, text, size, FakeFactory(s));
}

class CharImageTest : public ::testing::Test {
protected:
  void TearDown() override {
    SetIsWindowsXPForTesting(std::nullopt);
    platform::SetAnsiCodePage(1252);
  }
};

TEST_F(CharImageTest, Helpers) {
  EXPECT_EQ(DivCeil(8, 4), 2u);
  EXPECT_EQ(DivCeil(9, 4), 3u);
  EXPECT_EQ(DivCeil(0, 4), 0u);
  EXPECT_EQ(SwapRedBlue(0xFF123456), 0x00563412u);
  EXPECT_EQ(MakeColor(1, 2, 3), 0x030201u);
  EXPECT_TRUE(IsWindowsXP());
}

TEST_F(CharImageTest, FontsAskedForByKind) {
  struct Case { FontKind type; bool aa; int height; int quality; int dibW, dibH; platform::PixelFormat format; } cases[] = {
      {FontKind::BlackWhite, false, 10, platform::ANTIALIASED_QUALITY, 32, 24, platform::PixelFormat::pf1bit},
      {FontKind::Color, false, 10, platform::ANTIALIASED_QUALITY, 32, 24, platform::PixelFormat::pf24bit},
      {FontKind::Color, true, 10, platform::CLEARTYPE_QUALITY, 32, 24, platform::PixelFormat::pf24bit},
      {FontKind::ClearType, false, 10, platform::CLEARTYPE_QUALITY, 64, 24, platform::PixelFormat::pf24bit},
  };
  for (const Case& c : cases) {
    FakeScript s;
    auto img = Make(s, c.type, c.aa);
    ASSERT_EQ(s.created.size(), 1u);
    EXPECT_EQ(s.created[0].Height, c.height);
    EXPECT_EQ(s.created[0].Quality, c.quality);
    EXPECT_EQ(img->Surface().Width(), c.dibW);
    EXPECT_EQ(img->Surface().Height(), c.dibH);
    EXPECT_EQ(img->PixelFormat(), c.format);
    EXPECT_EQ(img->GetHeight(), 10);
  }
  // Without the system's smoothing the colour kind supersamples four times.
  SetIsWindowsXPForTesting(false);
  FakeScript s;
  s.scale = 4;
  s.cellHeight = 8;
  auto img = Make(s, FontKind::Color, true, false, 0xFFFFFF, 0, 0.5f, 0.5f, 8);
  EXPECT_EQ(s.created[0].Height, 32);
  EXPECT_EQ(s.created[0].Quality, platform::ANTIALIASED_QUALITY);
  EXPECT_EQ(img->Surface().Width(), 128);
  EXPECT_EQ(img->Surface().Height(), 96);
  EXPECT_EQ(img->GetHeight(), 8);
}

TEST_F(CharImageTest, Failures) {
  FakeScript s;
  EXPECT_THROW(Make(s, static_cast<FontKind>(3)), std::logic_error);
  EXPECT_THROW(Make(s, static_cast<FontKind>(255)), std::logic_error);
  s.fail = true;
  try {
    Make(s, FontKind::BlackWhite);
    FAIL();
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "Assertion failure (T_CharImage)");
  }
}

TEST_F(CharImageTest, WidthsAndHeight) {
  FakeScript s;
  s.glyphs['a'] = FakeGlyph{{-2, 5, -1}, true, 2, {}};    // max(A,0) + B + max(C,0) = 5
  s.glyphs['b'] = FakeGlyph{{1, 3, 2}, false, 7, {}};     // no ABC widths: the extent
  s.glyphs['c'] = FakeGlyph{{0, 40, 0}, true, 40, {}};    // capped at 32
  s.glyphs[10] = FakeGlyph{{0, 4, 0}, true, 4, {}};       // codes below 32 have no width
  auto img = Make(s, FontKind::BlackWhite);
  struct Case { unsigned char code; int width; } cases[] = {{'a', 5}, {'b', 7}, {'c', 32}, {10, 0}, {'x', 3}};
  for (const Case& c : cases) {
    img->SelectChar(c.code);
    EXPECT_EQ(img->GetCharWidth(), c.width) << int(c.code);
  }
  FakeScript tall;
  tall.cellHeight = 30;
  EXPECT_EQ(Make(tall, FontKind::BlackWhite)->GetHeight(), 24);
  // Supersampled widths and heights are divided by the scale, rounding up.
  SetIsWindowsXPForTesting(false);
  FakeScript big;
  big.scale = 4;
  big.glyphs['w'] = FakeGlyph{{0, 2, 0}, true, 2, {}};
  big.cellHeight = 9;
  auto color = Make(big, FontKind::Color, true, false, 0xFFFFFF, 0, 0.5f, 0.5f, 9);
  color->SelectChar('w');
  EXPECT_EQ(color->GetCharWidth(), 2);
  EXPECT_EQ(color->GetHeight(), 9);
}

TEST_F(CharImageTest, NegativeLeftBearingKeepsAllInk) {
  FakeScript s;
  // Ink in the columns A .. A + B - 1 relative to the pen; A = -2.
  s.glyphs['f'] = FakeGlyph{{-2, 4, 1}, true, 3, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}};
  auto img = Make(s, FontKind::BlackWhite);
  img->SelectChar('f');
  ASSERT_EQ(img->GetCharWidth(), 5);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(img->Pixel(x, 0), 0x000000u) << x;
  EXPECT_EQ(img->Pixel(4, 0), 0xFFFFFFu);
}

TEST_F(CharImageTest, BlackAndWhiteNegativeIsTheExactInverse) {
  FakeScript s;
  s.glyphs['H'] = FakeGlyph{{0, 3, 1}, true, 4, {{0, 0}, {2, 3}, {1, 9}}};
  auto pos = Make(s, FontKind::BlackWhite, false, false);
  auto neg = Make(s, FontKind::BlackWhite, false, true);
  pos->SelectChar('H');
  neg->SelectChar('H');
  EXPECT_EQ(pos->BackColor(), 0xFFFFFFu);
  EXPECT_EQ(neg->BackColor(), 0u);
  EXPECT_EQ(pos->Pixel(0, 0), 0u);       // ink is black
  EXPECT_EQ(pos->Pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(neg->Pixel(0, 0), 0xFFFFFFu);
  // Everywhere, also past the cell's advance and below the cell.
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) EXPECT_EQ(pos->Pixel(x, y) ^ neg->Pixel(x, y), 0xFFFFFFu) << x << "," << y;
}

TEST_F(CharImageTest, ColourFormulaRoundsHalvesToEven) {
  FakeScript s;
  struct Case { float a, brightness, contrast; std::uint32_t ink, paper; ColorRef expected; } cases[] = {
      // 0.5 x (1, 3, 5): 0.5, 1.5, 2.5 round to 0, 2, 2.
      {0.5f, 0.5f, 0.5f, 0x010305, 0x000000, MakeColor(0, 2, 2)},
      {0.5f, 0.5f, 0.5f, 0xFFFFFF, 0x000000, MakeColor(128, 128, 128)},
      {0.0f, 0.5f, 0.5f, 0x102030, 0xA0B0C0, MakeColor(0xA0, 0xB0, 0xC0)},
      {1.0f, 0.5f, 0.5f, 0x102030, 0xA0B0C0, MakeColor(0x10, 0x20, 0x30)},
      // Brightness 0 adds 0.5 and saturates at the ink; 1 takes 0.5 off and stops at the paper.
      {0.6f, 0.0f, 0.5f, 0xFF0000, 0x0000FF, MakeColor(255, 0, 0)},
      {0.25f, 0.0f, 0.5f, 0xFFFFFF, 0x000000, MakeColor(191, 191, 191)},
      {0.4f, 1.0f, 0.5f, 0xFFFFFF, 0x000000, MakeColor(0, 0, 0)},
      // Contrast 1.0 stretches around the middle: (0.75 - 0.5) x 1.5 + 0.5 = 0.875.
      {0.75f, 0.5f, 1.0f, 0xFFFFFF, 0x000000, MakeColor(223, 223, 223)},
  };
  for (const Case& c : cases) {
    auto img = Make(s, FontKind::Color, false, false, c.paper, c.ink, c.brightness, c.contrast);
    auto* color = dynamic_cast<TCharImage_ColorBase*>(img.get());
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->ColorOf(c.a), c.expected) << c.a << " " << c.brightness << " " << c.contrast;
    EXPECT_EQ(color->BackColor(), c.paper);
  }
  // Negative exchanges ink and paper.
  auto neg = Make(s, FontKind::Color, false, true, 0x0000FF, 0xFF0000);
  EXPECT_EQ(dynamic_cast<TCharImage_ColorBase&>(*neg).ColorOf(1.0f), MakeColor(0, 0, 255));
  EXPECT_EQ(neg->BackColor(), 0xFF0000u);
}

TEST_F(CharImageTest, CoverageOfTheColourKinds) {
  // System smoothing: weighted channels 11 blue, 60 green, 29 red.
  {
    FakeScript s;
    Ink green{0, 0, 0, 255, 0};
    Ink red{1, 0, 255, 0, 0};
    Ink blue{2, 0, 0, 0, 255};
    s.fallback = FakeGlyph{{0, 3, 0}, true, 3, {green, red, blue}};
    auto img = Make(s, FontKind::Color, true, false, 0x000000, 0xFFFFFF);
    img->SelectChar('x');
    EXPECT_EQ(img->Pixel(0, 0), MakeColor(153, 153, 153));  // 0.60
    EXPECT_EQ(img->Pixel(1, 0), MakeColor(74, 74, 74));     // 0.29 x 255 = 73.95
    EXPECT_EQ(img->Pixel(2, 0), MakeColor(28, 28, 28));     // 0.11 x 255 = 28.05
    EXPECT_EQ(img->Pixel(3, 0), MakeColor(0, 0, 0));
  }
  // Supersampling: the mean of a 4 x 4 block; half of it inked gives exactly 0.5.
  {
    SetIsWindowsXPForTesting(false);
    FakeScript s;
    s.fallback = FakeGlyph{{0, 2, 0}, true, 2, {}};
    auto img = Make(s, FontKind::Color, true, false, 0x000000, 0x030503);
    // Paint half of the block of glyph pixel (0, 0) by hand through the fake's ink at scale 1.
    s.fallback.ink = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}};
    img->SelectChar('x');
    EXPECT_EQ(img->Pixel(0, 0), MakeColor(2, 2, 2));  // 1.5 -> 2, 2.5 -> 2
    EXPECT_EQ(img->Pixel(1, 0), MakeColor(0, 0, 0));
  }
  // ClearType: the surface's own pixel, paper where nothing is drawn.
  {
    FakeScript s;
    s.fallback = FakeGlyph{{0, 2, 0}, true, 2, {{0, 0, 255, 128, 0}}};
    auto img = Make(s, FontKind::ClearType, false, false, 0x000000, 0xFFFFFF);
    img->SelectChar('x');
    EXPECT_EQ(img->Pixel(0, 0), MakeColor(255, 128, 0));
    EXPECT_EQ(img->Pixel(1, 0), MakeColor(0, 0, 0));
    auto coloured = Make(s, FontKind::ClearType, false, false, 0x102030, 0xFFFFFF);
    coloured->SelectChar('x');
    EXPECT_EQ(coloured->Pixel(1, 5), MakeColor(0x10, 0x20, 0x30));
  }
}

TEST_F(CharImageTest, UpperCaseFollowsTheCharacterSet) {
  platform::SetAnsiCodePage(1252);
  FakeScript s;
  auto ru = Make(s, FontKind::BlackWhite, false, false, 0xFFFFFF, 0, 0.5f, 0.5f, 10, true, platform::RUSSIAN_CHARSET);
  s.drawn.clear();
  ru->SelectChar(0xFF);  // я -> Я
  ru->SelectChar('a');
  EXPECT_EQ(ru->GetCharText(), 'A');
  ASSERT_EQ(s.drawn.size(), 2u);
  EXPECT_EQ(s.drawn[0], 0xDF);
  EXPECT_EQ(s.drawn[1], 'A');
  auto we = Make(s, FontKind::BlackWhite, false, false, 0xFFFFFF, 0, 0.5f, 0.5f, 10, false);
  we->SelectChar('a');
  EXPECT_EQ(we->GetCharText(), 'a');
}

}  // namespace
}  // namespace fontcreator
