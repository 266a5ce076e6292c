// Text rendering for the font creator over FreeType and fontconfig: process-local font
// files, the list of installed scalable families, logical fonts made from face, cell height,
// weight, italic flag, character set and output quality, character metrics, and drawing one
// character into a 1-bit or 32-bit bitmap.
#pragma once

#include "platform/imaging/bitmap.h"
#include "platform/system/charsets.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Colour value of the platform: red in the low byte, blue in bits 16..23.
using ColorRef = std::uint32_t;
inline Rgb RgbOf(ColorRef c) {
  return Rgb{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
             static_cast<std::uint8_t>(c >> 16)};
}

// Output qualities of logical fonts.
enum : int {
  DEFAULT_QUALITY = 0,
  DRAFT_QUALITY = 1,
  PROOF_QUALITY = 2,
  NONANTIALIASED_QUALITY = 3,
  ANTIALIASED_QUALITY = 4,
  CLEARTYPE_QUALITY = 5,
};

// The code page of a character set: ANSI 1252, East Europe 1250, Russian 1251, Greek 1253,
// Turkish 1254, Hebrew 1255, Arabic 1256, Baltic 1257, Vietnamese 1258, Johab 1361, Mac 10000;
// Default the process ANSI page; OEM 437, or 866 where the ANSI page is 1251. Others 1252.
int CharsetCodePage(int charset);
// The character of code 0..255 in a character set; nullopt where the set has none
// (Johab, a double-byte set, maps only 0..127).
std::optional<char32_t> CharsetToUnicode(int charset, unsigned char code);
// Upper case of a code by the letters of the character set's code page.
unsigned char CharsetUpperCase(int charset, unsigned char code);

// Font files of this process (in place of AddFontResourceA / RemoveFontResourceA). Results
// tell whether fontconfig took the file.
bool AddFontResource(const std::string& path);
bool RemoveFontResource(const std::string& path);

// Replaces the fontconfig configuration of the process by one that knows only the fonts of
// `dirs` (tests and the build's font generation, so that the host's fonts never leak in).
bool UsePrivateFontDirs(const std::vector<std::string>& dirs);

// Installed scalable font families, each once, in the order of SortFamilyNames (names in
// the process ANSI code page).
std::vector<std::string> ScreenFontFamilies();
// Sorts names as a reader looks them up: ignoring case (by the letters of the process ANSI
// code page); names equal but for case stay in byte order.
void SortFamilyNames(std::vector<std::string>& names);

struct LogFont {
  std::string FaceName;  // process ANSI code page
  int Height = 0;        // positive: cell height in pixels
  int Weight = 0;        // 0 default (400), 700 bold
  bool Italic = false;
  int Charset = DEFAULT_CHARSET;
  int Quality = DEFAULT_QUALITY;
};

struct TextSize {
  int Cx = 0;
  int Cy = 0;
};

struct ABC {
  int AbcA = 0;  // left bearing
  int AbcB = 0;  // ink width
  int AbcC = 0;  // right bearing
};

// A logical font; each one may be used by one thread at a time. Coordinates: (x, y) is the top-left corner of the character cell.
class TextFont {
public:
  virtual ~TextFont() = default;

  const LogFont& Font() const { return font_; }

  // Advance width and cell height of the one-character string `code`.
  virtual TextSize TextExtent(unsigned char code) = 0;
  // Widths of the character; false when the font cannot tell them.
  virtual bool CharABCWidths(unsigned char code, ABC& abc) = 0;
  // Pixels per em the glyphs are drawn at, and rows from the cell's top to the baseline;
  // chosen so that the ink of codes 32..255 of the character set lies inside the cell.
  // 0 where the font cannot tell.
  virtual int PixelSize() const { return 0; }
  virtual int Ascent() const { return 0; }
  // Draws the character with its cell at (x, y), clipped to the bitmap. A 1-bit bitmap gets
  // monochrome pixels in the palette entries nearest to the colours; a 32-bit bitmap gets
  // grey antialiasing for ANTIALIASED_QUALITY (and the default qualities), subpixel
  // rendering with a ClearType-like filter for CLEARTYPE_QUALITY, and monochrome pixels
  // for NONANTIALIASED_QUALITY. An opaque background fills the character cell first.
  virtual void DrawChar(Bitmap& surface, int x, int y, unsigned char code, ColorRef textColor,
                        bool opaqueBackground = false, ColorRef backColor = 0) = 0;

protected:
  explicit TextFont(LogFont font) : font_(std::move(font)) {}
  LogFont font_;
};

// Makes the logical font from the installed fonts; nullptr when fontconfig has no family of
// that name (a substitute family counts as failure) or the font file cannot be opened. Bold
// and italic are synthesised where the family lacks the face.
std::unique_ptr<TextFont> CreateTextFont(const LogFont& font);

}  // namespace platform
