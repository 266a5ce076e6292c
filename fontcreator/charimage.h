// Glyph images: one character of an installed font at a time, rendered off-screen, answering
// pixel by pixel the final colour of that character in the font being made. Four kinds serve
// the three font types: black-and-white, colour (supersampled, or through the system's own
// smoothing) and ClearType.
#pragma once

#include "platform/imaging/bitmap.h"
#include "platform/imaging/textrender.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace fontcreator {

using platform::ColorRef;

// Makes the logical fonts of glyph images (the platform's text layer unless replaced).
using FontFactory = std::function<std::unique_ptr<platform::TextFont>(const platform::LogFont&)>;

unsigned DivCeil(unsigned a, unsigned b);
// Exchanges bytes 0 and 2 and clears byte 3 (0x00RRGGBB <-> platform colour).
std::uint32_t SwapRedBlue(std::uint32_t c);
ColorRef MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// The version test for the colour kind: the system's own smoothing is always there.
bool IsWindowsXP();
// Tests: answer IsWindowsXP with `value` (nullopt: the real answer).
void SetIsWindowsXPForTesting(std::optional<bool> value);

// The font types, numbered as the font file stores them.
enum class FontKind : std::uint8_t { BlackWhite = 0, Color = 1, ClearType = 2 };

class TCharImage {
public:
  // The factory. Black-and-white, colour (TCharImage_ColorXP when IsWindowsXP, else
  // TCharImage_Color) or ClearType; colours are 0x00RRGGBB. Another kind, or a font that
  // cannot be made, raises std::logic_error "Assertion failure (T_CharImage)".
  static std::unique_ptr<TCharImage> CreateCharImage(FontKind fontType, const std::string& faceName, int charset,
                                                     bool antialiased, bool upperCase, bool italic, bool bold,
                                                     float brightness, float contrast, bool negative,
                                                     std::uint32_t backgroundColor, std::uint32_t textColor,
                                                     int size, const FontFactory& factory = {});
  virtual ~TCharImage() = default;
  TCharImage(const TCharImage&) = delete;
  TCharImage& operator=(const TCharImage&) = delete;

  // Makes the code current: its width, then its rendering.
  void SelectChar(unsigned char code);
  int GetHeight() const { return Height; }
  int GetCharWidth() const { return CharWidth; }
  unsigned char GetCharText() const { return CharText; }

  virtual int Scale() const = 0;
  virtual int FontQuality() const = 0;
  virtual platform::PixelFormat PixelFormat() const = 0;
  // Final colour of glyph pixel (x, y) of the current character, platform order.
  virtual ColorRef Pixel(int x, int y) const = 0;
  // Background of sheets, 0x00RRGGBB.
  virtual std::uint32_t BackColor() const = 0;

  // The rendering surface (tests and tools look at it).
  const platform::Bitmap& Surface() const { return DIB; }

protected:
  TCharImage() = default;
  virtual void Init() = 0;
  virtual void RenderChar() = 0;
  // Construction common to all kinds, once the kind has stored its own fields.
  void Construct(const std::string& faceName, int charset, bool upperCase, bool italic, bool bold,
                 bool negative, int size, const FontFactory& factory);
  void CreateCharFont(const std::string& faceName, int charset, bool italic, bool bold, int size,
                      const FontFactory& factory);
  void MeasureHeight();

  bool UpperCase = false;
  bool Negative = false;
  int Charset = platform::DEFAULT_CHARSET;
  std::unique_ptr<platform::TextFont> Font;
  int Height = 0;
  unsigned char CharCode = 0;
  unsigned char CharText = 0;
  int CharWidth = 0;
  // Where the character is drawn: right of 0 by its negative left bearing, so that all its
  // ink lands inside its width.
  int DrawX = 0;
  platform::Bitmap DIB;
};

class TCharImage_BW : public TCharImage {
public:
  int Scale() const override { return 1; }
  int FontQuality() const override { return platform::ANTIALIASED_QUALITY; }
  platform::PixelFormat PixelFormat() const override { return platform::PixelFormat::pf1bit; }
  ColorRef Pixel(int x, int y) const override;
  std::uint32_t BackColor() const override { return Negative ? 0 : 0xFFFFFF; }

protected:
  void Init() override;
  void RenderChar() override;
  friend class TCharImage;
};

// Base of the colour kinds: ink and paper, contrast and brightness.
class TCharImage_ColorBase : public TCharImage {
public:
  platform::PixelFormat PixelFormat() const override { return platform::PixelFormat::pf24bit; }
  std::uint32_t BackColor() const override { return Paper; }
  // The final colour of a coverage 0..1.
  ColorRef ColorOf(float a) const;

protected:
  void StoreColors(float brightness, float contrast, bool negative, std::uint32_t backgroundColor,
                   std::uint32_t textColor);
  float Contrast = 0.5f;
  float Brightness = 0.5f;
  std::uint32_t Ink = 0;    // 0x00RRGGBB
  std::uint32_t Paper = 0;  // 0x00RRGGBB
};

class TCharImage_Color : public TCharImage_ColorBase {
public:
  int Scale() const override { return Antialiased ? 4 : 1; }
  int FontQuality() const override { return platform::ANTIALIASED_QUALITY; }
  ColorRef Pixel(int x, int y) const override;

protected:
  void Init() override;
  void RenderChar() override;
  bool Antialiased = false;
  friend class TCharImage;
};

class TCharImage_ColorXP : public TCharImage_ColorBase {
public:
  int Scale() const override { return 1; }
  int FontQuality() const override {
    return Antialiased ? platform::CLEARTYPE_QUALITY : platform::ANTIALIASED_QUALITY;
  }
  ColorRef Pixel(int x, int y) const override;

protected:
  void Init() override;
  void RenderChar() override;
  bool Antialiased = false;
  friend class TCharImage;
};

class TCharImage_ClearType : public TCharImage_ColorBase {
public:
  int Scale() const override { return 1; }
  int FontQuality() const override { return platform::CLEARTYPE_QUALITY; }
  ColorRef Pixel(int x, int y) const override;

protected:
  void Init() override;
  void RenderChar() override;
  friend class TCharImage;
};

}  // namespace fontcreator
