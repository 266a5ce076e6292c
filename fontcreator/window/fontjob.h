// What the window asks of the font engine: its settings in, the preview and the file out.
#pragma once

#include "platform/bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fontcreator {

// The window's settings of a font; colours 0x00RRGGBB.
struct TFontJob {
  int FontType = 0;  // 0 black-and-white, 1 colour, 2 ClearType
  std::string FaceName;
  int Charset = 1;
  bool Antialiased = false;
  bool UpperCase = false;
  bool Italic = false;
  bool Bold = false;
  float Brightness = 0.5f;
  float Contrast = 0.5f;
  std::uint32_t BackgroundColor = 0xFFFFFF;
  std::uint32_t TextColor = 0x000000;
  int Size = 8;
};

struct TFontJobResult {
  int Height = 0;
  bool TooLarge = false;
  platform::Bitmap Sheet;
  platform::Bitmap Zoom;
};

// The preview; with a file name the font file is written too (EFontWriteError).
TFontJobResult RunFontJob(const TFontJob& job, const std::string* fileName = nullptr);

// Installed font families for the font list.
std::vector<std::string> InstalledFontFamilies();
// The version test of the ClearType type, and its replacement in tests.
bool ClearTypeAvailable();
void SetClearTypeAvailableForTesting(std::optional<bool> value);
// Only the fonts of these folders are installed (tests and tools).
bool UsePrivateFontFolders(const std::vector<std::string>& dirs);
// 0x00BBGGRR <-> 0x00RRGGBB.
std::uint32_t SwapRedBlueColor(std::uint32_t c);

}  // namespace fontcreator
