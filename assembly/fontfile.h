// The reader's bitmap font file (.fnt): a header, one advance width per code 32..255 and two
// length-prefixed PNG glyph sheets, the second in exchanged colours (the negative set).
// Little-endian:
//   0 u8 0x01, 1 u8 0x34, 2 u32 offset of the second block (244 + N1), 6 u8 glyph height,
//   7 u8 font type, 8 u32 text colour, 12 u32 background colour (both 0x00RRGGBB),
//   16 224 x u8 widths, 240 u32 N1, 244 N1 bytes first PNG, then u32 N2 and N2 bytes.
// A file cut at the offset of byte 2 is a complete font without its negative set.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace assembly {

inline constexpr unsigned char kFontMagic0 = 0x01;
inline constexpr unsigned char kFontMagic1 = 0x34;
inline constexpr std::size_t kFontHeaderSize = 244;  // up to and including N1
inline constexpr int kFontFirstCode = 32;
inline constexpr int kFontCodeCount = 224;           // codes 32..255
// No sound font is larger than its header and two sheets of at most 255 rows of 200 pixels,
// each counted at 4 bytes a pixel uncompressed with room for the PNG chunks around them.
inline constexpr std::size_t kFontMaxSheetBytes = 255 * (1 + 200 * 4) + (64u << 10);
inline constexpr std::size_t kFontMaxFileSize = kFontHeaderSize + kFontMaxSheetBytes + 4 + kFontMaxSheetBytes;

enum FontType : uint8_t { FontBlackWhite = 0, FontColour = 1, FontClearType = 2 };

struct FontFile {
  uint8_t Height = 0;     // 1..24
  uint8_t Type = FontBlackWhite;
  uint32_t TextColor = 0;        // 0x00RRGGBB
  uint32_t BackgroundColor = 0;  // 0x00RRGGBB
  std::array<uint8_t, kFontCodeCount> Widths{};  // codes 32..255, each 0..32
  std::string Sheet;             // PNG of the glyph sheet
  bool HasNegativeSheet = true;  // false for a font cut after its first sheet
  std::string NegativeSheet;     // PNG of the negative sheet
};

// The bytes of a font file.
std::string WriteFontFile(const FontFile& font);

// Checks font bytes: magic, at most kFontMaxFileSize bytes, at least the header, the offset at byte 2 between the
// header's end and the end of the bytes and equal to 244 + N1, type 0..2, and, when bytes follow the first sheet, a
// second block that fills them exactly. Returns an empty string for sound bytes, else what is wrong with them.
std::string CheckFontBytes(std::string_view bytes);

// Parses checked bytes; nullopt (and the reason, when asked) for bytes that fail the check.
std::optional<FontFile> ReadFontFile(std::string_view bytes, std::string* reason = nullptr);

// The u32 at offset 2 (bytes of the font without its negative set); 0 for fewer than 6 bytes.
uint32_t FontPositivePartSize(std::string_view bytes);

// Little-endian helpers of the file formats.
uint32_t ReadU32LE(std::string_view bytes, std::size_t offset);
void AppendU32LE(std::string& out, uint32_t value);

}  // namespace assembly
