// Glyph sheets and the font file: the glyphs of codes 32..255 packed row by row into a sheet
// 200 pixels wide, the live preview with its enlarged letter, and the .fnt file with the
// sheet and its negative.
#pragma once

#include "fontcreator/charimage.h"
#include "platform/imaging/bitmap.h"
#include "platform/system/message.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace fontcreator {

inline constexpr int kFirstCode = 32;
inline constexpr int kCodeCount = 224;  // codes 32..255
inline constexpr int kSheetWidth = 200;
inline constexpr int kMinSheetHeight = 48;
inline constexpr int kMaxSheetHeight = 255;

// Where the glyphs go: positions follow from the glyph height and the widths alone.
struct SheetLayout {
  std::array<int, kCodeCount> X{};
  std::array<int, kCodeCount> Y{};
  int Total = 0;        // rows the glyphs use
  int SheetHeight = 0;  // at least 48, at most 255
  bool TooLarge = false;  // the glyphs need 255 rows or more
};
SheetLayout LayoutSheet(int glyphHeight, const std::array<std::uint8_t, kCodeCount>& widths,
                        int sheetWidth = kSheetWidth);

// The settings of a font, as the window shows them; colours 0x00RRGGBB.
struct FontSettings {
  FontKind FontType = FontKind::BlackWhite;
  std::string FaceName;
  int Charset = platform::DEFAULT_CHARSET;
  bool Antialiased = false;
  bool UpperCase = false;
  bool Italic = false;
  bool Bold = false;
  float Brightness = 0.5f;  // track bar position / 10
  float Contrast = 0.5f;
  std::uint32_t BackgroundColor = 0xFFFFFF;
  std::uint32_t TextColor = 0x000000;
  int Size = 8;
};

// What a build shows: the glyph height, the widths, the sheet and the enlarged "A".
struct FontPreview {
  int Height = 0;
  std::array<std::uint8_t, kCodeCount> Widths{};
  SheetLayout Layout;
  bool TooLarge = false;
  platform::Bitmap Sheet;  // 200 x SheetHeight; 1 bit, or 8 bits with 256 palette entries
  platform::Bitmap Zoom;
};

// A new sheet of the given size in the glyph image's background, with every glyph placed;
// 24-bit sheets are reduced to an 8-bit palette of 256 colours.
platform::Bitmap RenderSheet(TCharImage& image, int width, int height);
// The letter "A" four times enlarged in a one-pixel lime frame.
platform::Bitmap RenderZoomGlyph(TCharImage& image);
// The same letter `factor` (1..4) times enlarged, taken from the four times enlarged one.
platform::Bitmap ShrinkZoom(const platform::Bitmap& zoom, int factor);

std::unique_ptr<TCharImage> CreateCharImage(const FontSettings& settings, bool negative,
                                            const FontFactory& factory = {});

// The preview of the settings (no file).
FontPreview BuildFont(const FontSettings& settings, const FontFactory& factory = {});

// The bytes of the .fnt file of the settings: header and widths, the sheet of the preview
// (given back through `preview` when asked) and the negative sheet of the same height.
std::string BuildFontFile(const FontSettings& settings, FontPreview* preview = nullptr,
                          const FontFactory& factory = {});

// A font file that cannot be written.
class EFontWriteError : public platform::EMessageError {
public:
  using platform::EMessageError::EMessageError;
};

// Builds the font file and writes it: to a temporary file beside the target, renamed into
// place, so that a failure leaves no partial font behind (EFontWriteError).
FontPreview SaveFont(const FontSettings& settings, const std::string& fileName, const FontFactory& factory = {});

}  // namespace fontcreator
