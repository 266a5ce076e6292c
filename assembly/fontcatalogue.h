// The catalogue of the resource archive's built-in fonts, and the font bytes of a slot.
#pragma once

#include "assembly/midletconfig.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

struct TFontDesc {
  std::string DisplayName;  // "6x3ce BW", "Arial15we ClearType"
  std::string EntryName;    // "fonts\EnglishCE\6x3ce.fnt"
  uint8_t LanguageGroup = 0;  // 0..5: EnglishCE, EnglishWE, Cyrillic, Hebrew, Arabic, Greek
  uint8_t FontType = 0;       // 0 black-and-white, 1 colour, 2 ClearType
  int32_t PositiveSize = 0;   // bytes without the negative glyph sheet
  int32_t WholeSize = 0;      // bytes of the whole font file
};

inline constexpr int kFontCatalogueSize = 150;

struct TFontCatalogue {
  std::array<TFontDesc, kFontCatalogueSize> Entries;
  int Count = 0;
};

// The font a language group really has in place of a generic name ("Arial15hb" -> "David15hb");
// other names are returned unchanged.
std::string MapFontName(const std::string& name);

// The 150 catalogue entries without their sizes, in catalogue order (no archive needed).
std::vector<TFontDesc> FontCatalogueEntries();

// Fills the catalogue with the sizes read from the resource archive. A listed font missing
// from the archive, or one too short to hold its length field, raises EBuildError.
void BuildFontCatalogue(const TZipFile& archive, TFontCatalogue& catalogue);

// Index of the entry whose DisplayName equals the name exactly. An unknown name is an error of
// the program: std::logic_error.
int FindFontDesc(const TFontCatalogue& catalogue, std::string_view displayName);

// With the positive flag the u32 at offset 2 of the entry's data, else its uncompressed size.
int32_t GetFontEntrySize(const TZipFile& archive, const std::string& entryName, bool positive);

// The bytes of font slot 1..5: empty for an unused slot; "ZIP:" + entry reads the archive,
// any other source is a font file. Bytes that are not a sound font file, or a file that
// cannot be read, raise EBuildError naming the entry or file.
std::string GetFontData(const TZipFile& archive, const TMIDLETCONFIG& config, int slot);

// Byte 7 of font bytes (the callers use its low 7 bits as the font type); 0 for fewer bytes.
uint8_t GetFontTypeByte(std::string_view font);
// Drops the negative glyph sheet: the bytes are cut to the u32 at offset 2, never lengthened.
void CutNegativeSheet(std::string& font);

}  // namespace assembly
