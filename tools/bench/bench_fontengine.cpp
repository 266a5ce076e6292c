// Times the font engine with the DejaVu faces: the preview of each font kind at a small, a
// middle and the largest size, a whole font file of each, the quantizer on a full-size sheet,
// and the 150 built-in fonts of the sample archive one after another.
//   bench_fontengine [font folder]
#include "fontcreator/colorquantizer.h"
#include "fontcreator/fontbuilder.h"
#include "platform/imaging/textrender.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

using fontcreator::FontKind;

fontcreator::FontSettings Settings(FontKind type, int size, bool aa) {
  fontcreator::FontSettings s;
  s.FontType = type;
  s.FaceName = "DejaVu Sans";
  s.Size = size;
  s.Antialiased = aa;
  s.Charset = platform::ANSI_CHARSET;
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string fonts = argc > 1 ? argv[1] : "/usr/share/fonts/truetype/dejavu";
  if (!platform::UsePrivateFontDirs({fonts})) {
    std::fprintf(stderr, "bench_fontengine: cannot use the fonts of %s\n", fonts.c_str());
    return 1;
  }
  const char* kinds[] = {"black-and-white", "colour", "colour antialiased", "ClearType"};
  const FontKind types[] = {FontKind::BlackWhite, FontKind::Color, FontKind::Color, FontKind::ClearType};
  const bool aa[] = {false, false, true, true};
  std::printf("%-20s %5s %12s %12s %10s\n", "kind", "size", "preview ms", "file ms", "file bytes");
  for (int k = 0; k < 4; ++k) {
    for (int size : {8, 16, 24}) {
      auto t = std::chrono::steady_clock::now();
      fontcreator::BuildFont(Settings(types[k], size, aa[k]));
      const double preview = Ms(t);
      t = std::chrono::steady_clock::now();
      const std::string bytes = fontcreator::BuildFontFile(Settings(types[k], size, aa[k]));
      std::printf("%-20s %5d %12.1f %12.1f %10zu\n", kinds[k], size, preview, Ms(t), bytes.size());
    }
  }
  // The quantizer's worst case: 200 x 255 pixels of many colours.
  platform::Bitmap sheet(200, 255, platform::PixelFormat::pf24bit);
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 200; ++x)
      sheet.SetPixel(x, y, platform::Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                         static_cast<std::uint8_t>(x ^ y)});
  auto t = std::chrono::steady_clock::now();
  fontcreator::ReduceToPalette(sheet, platform::PixelFormat::pf8bit, 256);
  std::printf("quantizer, 200 x 255 sheet of many colours: %.1f ms\n", Ms(t));

  // The sample archive's fonts: 30 of each scheme size and 60 faces, rendered in one thread.
  t = std::chrono::steady_clock::now();
  std::size_t total = 0;
  const int heights[] = {5, 6, 6, 7, 8, 15, 12, 13, 12, 13};
  for (int group = 0; group < 6; ++group) {
    for (int i = 0; i < 5; ++i)
      for (int scheme = 0; scheme < 3; ++scheme)
        total += fontcreator::BuildFontFile(Settings(scheme == 0 ? FontKind::BlackWhite : FontKind::Color, heights[i], false)).size();
    for (int i = 5; i < 10; ++i)
      for (int mode = 0; mode < 2; ++mode)
        total += fontcreator::BuildFontFile(Settings(mode == 0 ? FontKind::Color : FontKind::ClearType, heights[i], mode == 0)).size();
  }
  std::printf("150 built-in fonts in one thread: %.0f ms, %zu bytes\n", Ms(t), total);
  return 0;
}
