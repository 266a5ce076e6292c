#include "fontcreator/charimage.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace fontcreator {

using platform::Bitmap;
using platform::PixelFormat;

namespace {
std::optional<bool>& XPOverride() {
  static std::optional<bool> v;
  return v;
}
[[noreturn]] void Fail() { throw std::logic_error("Assertion failure (T_CharImage)"); }
}  // namespace

unsigned DivCeil(unsigned a, unsigned b) { return a / b + (a % b != 0 ? 1 : 0); }

std::uint32_t SwapRedBlue(std::uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

ColorRef MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 | static_cast<ColorRef>(b) << 16;
}

bool IsWindowsXP() { return XPOverride().value_or(true); }

void SetIsWindowsXPForTesting(std::optional<bool> value) { XPOverride() = value; }

std::unique_ptr<TCharImage> TCharImage::CreateCharImage(FontKind fontType, const std::string& faceName, int charset,
                                                        bool antialiased, bool upperCase, bool italic, bool bold,
                                                        float brightness, float contrast, bool negative,
                                                        std::uint32_t backgroundColor, std::uint32_t textColor,
                                                        int size, const FontFactory& factory) {
  std::unique_ptr<TCharImage> image;
  switch (fontType) {
    case FontKind::BlackWhite:
      image.reset(new TCharImage_BW());
      break;
    case FontKind::Color:
      if (IsWindowsXP()) {
        auto* xp = new TCharImage_ColorXP();
        image.reset(xp);
        xp->Antialiased = antialiased;
        xp->StoreColors(brightness, contrast, negative, backgroundColor, textColor);
      } else {
        auto* c = new TCharImage_Color();
        image.reset(c);
        c->Antialiased = antialiased;
        c->StoreColors(brightness, contrast, negative, backgroundColor, textColor);
      }
      break;
    case FontKind::ClearType: {
      auto* ct = new TCharImage_ClearType();
      image.reset(ct);
      ct->StoreColors(0.5f, 0.5f, negative, backgroundColor, textColor);
      break;
    }
    default:
      Fail();
  }
  image->Construct(faceName, charset, upperCase, italic, bold, negative, size, factory);
  return image;
}

void TCharImage::Construct(const std::string& faceName, int charset, bool upperCase, bool italic, bool bold,
                           bool negative, int size, const FontFactory& factory) {
  UpperCase = upperCase;
  Negative = negative;
  Charset = charset;
  Init();
  CreateCharFont(faceName, charset, italic, bold, size, factory);
  MeasureHeight();
  SelectChar(0);
}

void TCharImage::CreateCharFont(const std::string& faceName, int charset, bool italic, bool bold, int size,
                                const FontFactory& factory) {
  platform::LogFont lf;
  lf.FaceName = faceName;
  lf.Height = size * Scale();
  lf.Weight = bold ? 700 : 0;
  lf.Italic = italic;
  lf.Charset = charset;
  lf.Quality = FontQuality();
  Font = factory ? factory(lf) : platform::CreateTextFont(lf);
  if (!Font) Fail();
}

void TCharImage::MeasureHeight() {
  int h = 0;
  for (int code = 0; code < 256; ++code) {
    auto c = static_cast<unsigned char>(code);
    if (UpperCase) c = platform::CharsetUpperCase(Charset, c);
    int cy = std::max(0, Font->TextExtent(c).Cy);
    h = std::max(h, static_cast<int>(DivCeil(static_cast<unsigned>(cy), static_cast<unsigned>(Scale()))));
  }
  Height = std::min(h, 24);
}

void TCharImage::SelectChar(unsigned char code) {
  CharCode = code;
  CharText = UpperCase ? platform::CharsetUpperCase(Charset, code) : code;
  platform::ABC abc;
  int w;
  DrawX = 0;
  if (Font->CharABCWidths(CharText, abc)) {
    w = std::max(abc.AbcA, 0) + abc.AbcB + std::max(abc.AbcC, 0);
    DrawX = std::max(-abc.AbcA, 0);
  } else {
    w = Font->TextExtent(CharText).Cx;
  }
  CharWidth = std::min(static_cast<int>(DivCeil(static_cast<unsigned>(std::max(w, 0)),
                                                static_cast<unsigned>(Scale()))),
                       32);
  RenderChar();
  if (code < 32) CharWidth = 0;
}

// Black-and-white: white text on black in the surface (black on white when negative); a set
// bit reads as a black glyph pixel.
void TCharImage_BW::Init() {
  DIB = Bitmap(32, 24, PixelFormat::pf1bit);
  DIB.SetPalette(platform::Palette::Monochrome());
}

void TCharImage_BW::RenderChar() {
  // The whole surface takes the background, not only the character's cell, so that the
  // negative image is the exact inverse of the normal one.
  const ColorRef text = Negative ? 0x000000 : 0xFFFFFF;
  const ColorRef back = Negative ? 0xFFFFFF : 0x000000;
  DIB.Fill(platform::RgbOf(back));
  Font->DrawChar(DIB, DrawX, 0, CharText, text, true, back);
}

ColorRef TCharImage_BW::Pixel(int x, int y) const {
  return DIB.GetIndex(x, y) != 0 ? 0x000000 : 0xFFFFFF;
}

void TCharImage_ColorBase::StoreColors(float brightness, float contrast, bool negative,
                                       std::uint32_t backgroundColor, std::uint32_t textColor) {
  Brightness = brightness;
  Contrast = contrast;
  Ink = negative ? backgroundColor : textColor;
  Paper = negative ? textColor : backgroundColor;
}

ColorRef TCharImage_ColorBase::ColorOf(float a) const {
  float v = static_cast<float>((static_cast<double>(a) - 0.5) * (static_cast<double>(Contrast) + 0.5) + 0.5 -
                               static_cast<double>(Brightness) + 0.5);
  if (v > 1) v = 1;
  if (!(v >= 0)) v = 0;
  auto channel = [v](std::uint32_t ink, std::uint32_t paper, int shift) {
    double i = static_cast<double>((ink >> shift) & 0xFF);
    double p = static_cast<double>((paper >> shift) & 0xFF);
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<std::uint8_t>(std::nearbyint(i * v + p * (1.0 - static_cast<double>(v))));
  };
  return MakeColor(channel(Ink, Paper, 16), channel(Ink, Paper, 8), channel(Ink, Paper, 0));
}

void TCharImage_Color::Init() { DIB = Bitmap(32 * Scale(), 24 * Scale(), PixelFormat::pf32bit); }

void TCharImage_Color::RenderChar() {
  DIB.Fill(platform::Rgb{0, 0, 0});
  Font->DrawChar(DIB, DrawX, 0, CharText, 0xFFFFFF);
}

ColorRef TCharImage_Color::Pixel(int x, int y) const {
  const int s = Scale();
  unsigned sum = 0;
  for (int j = 0; j < s; ++j) {
    const std::uint8_t* line = DIB.ScanLine(y * s + j);
    for (int i = 0; i < s; ++i) sum += line[static_cast<std::size_t>(x * s + i) * 4];
  }
  float mean = static_cast<float>(sum) / static_cast<float>(s * s);
  return ColorOf(mean / 255.0f);
}

void TCharImage_ColorXP::Init() { DIB = Bitmap(32, 24, PixelFormat::pf32bit); }

void TCharImage_ColorXP::RenderChar() {
  DIB.Fill(platform::Rgb{0, 0, 0});
  Font->DrawChar(DIB, DrawX, 0, CharText, 0xFFFFFF);
}

ColorRef TCharImage_ColorXP::Pixel(int x, int y) const {
  const std::uint8_t* p = DIB.ScanLine(y) + static_cast<std::size_t>(x) * 4;
  float a = static_cast<float>(11 * p[0] + 60 * p[1] + 29 * p[2]) / 255.0f / 100.0f;
  return ColorOf(a);
}

void TCharImage_ClearType::Init() { DIB = Bitmap(64, 24, PixelFormat::pf32bit); }

void TCharImage_ClearType::RenderChar() {
  DIB.Fill(platform::RgbOf(SwapRedBlue(Paper)));
  Font->DrawChar(DIB, DrawX, 0, CharText, SwapRedBlue(Ink));
}

ColorRef TCharImage_ClearType::Pixel(int x, int y) const {
  const std::uint8_t* p = DIB.ScanLine(y) + static_cast<std::size_t>(x) * 4;
  return MakeColor(p[2], p[1], p[0]);
}

}  // namespace fontcreator
