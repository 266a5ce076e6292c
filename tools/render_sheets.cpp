// Renders a few glyph sheets with the DejaVu and Liberation fonts and saves them as PNG files
// to look at.
//   render_sheets <output folder> [font folder]
// Writes <name>.png (the sheet), <name>_neg.png (the negative sheet) and <name>_zoom.png.
#include "fontcreator/colorquantizer.h"
#include "fontcreator/fontbuilder.h"
#include "platform/imaging/png.h"
#include "platform/imaging/textrender.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using fontcreator::FontKind;
using fontcreator::FontSettings;

struct Sample {
  const char* Name;
  FontSettings Settings;
};

FontSettings Make(FontKind type, const char* face, int size, int charset, bool aa, bool bold, bool italic,
                  std::uint32_t text, std::uint32_t back) {
  FontSettings s;
  s.FontType = type;
  s.FaceName = face;
  s.Size = size;
  s.Charset = charset;
  s.Antialiased = aa;
  s.Bold = bold;
  s.Italic = italic;
  s.TextColor = text;
  s.BackgroundColor = back;
  return s;
}

bool Save(const std::filesystem::path& file, platform::Bitmap bitmap) {
  if (bitmap.Format() == platform::PixelFormat::pf24bit)
    fontcreator::ReduceToPalette(bitmap, platform::PixelFormat::pf8bit, 256);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  const std::string png = platform::EncodePalettePng(bitmap);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

// The sheets to render: each kind of font at the sizes and character sets worth a look.
const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples = {
      {"bw_sans_12",
       Make(FontKind::BlackWhite, "DejaVu Sans", 12, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"bw_sans_8_cyrillic",
       Make(FontKind::BlackWhite, "DejaVu Sans", 8, platform::RUSSIAN_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"bw_serif_16_bold",
       Make(FontKind::BlackWhite, "DejaVu Serif", 16, platform::ANSI_CHARSET, false, true, false, 0, 0xFFFFFF)},
      {"aa_sans_13",
       Make(FontKind::Color, "DejaVu Sans", 13, platform::ANSI_CHARSET, true, false, false, 0x000000, 0xFFFFFF)},
      {"aa_serif_18_italic",
       Make(FontKind::Color, "DejaVu Serif", 18, platform::EASTEUROPE_CHARSET, true, false, true, 0x00FFFF, 0x000040)},
      {"color_sans_12_plain",
       Make(FontKind::Color, "DejaVu Sans", 12, platform::GREEK_CHARSET, false, false, false, 0xFFFF00, 0x000000)},
      {"ct_sans_12",
       Make(FontKind::ClearType, "DejaVu Sans", 12, platform::ANSI_CHARSET, false, false, false, 0x000000, 0xFFFFFF)},
      // Accented capitals of the Western and East European sets in the three kinds.
      {"bw_sans_10_ce",
       Make(FontKind::BlackWhite, "DejaVu Sans", 10, platform::EASTEUROPE_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"bw_sans_16_we",
       Make(FontKind::BlackWhite, "DejaVu Sans", 16, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"aa_sans_10_we",
       Make(FontKind::Color, "DejaVu Sans", 10, platform::ANSI_CHARSET, true, false, false, 0x000000, 0xFFFFFF)},
      {"aa_sans_16_ce",
       Make(FontKind::Color, "DejaVu Sans", 16, platform::EASTEUROPE_CHARSET, true, false, false, 0x000000, 0xFFFFFF)},
      {"ct_sans_10_ce", Make(FontKind::ClearType, "DejaVu Sans", 10, platform::EASTEUROPE_CHARSET, false, false, false,
                             0x000000, 0xFFFFFF)},
      {"ct_sans_16_we",
       Make(FontKind::ClearType, "DejaVu Sans", 16, platform::ANSI_CHARSET, false, false, false, 0x000000, 0xFFFFFF)},
      {"ct_sans_15_hebrew",
       Make(FontKind::ClearType, "DejaVu Sans", 15, platform::HEBREW_CHARSET, false, false, false, 0xFFFF00, 0x000000)},
      // The small sizes where hinting loses marks and descenders, in the three kinds.
      {"bw_libserif_10",
       Make(FontKind::BlackWhite, "Liberation Serif", 10, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"aa_libserif_10",
       Make(FontKind::Color, "Liberation Serif", 10, platform::ANSI_CHARSET, true, false, false, 0, 0xFFFFFF)},
      {"ct_libserif_10",
       Make(FontKind::ClearType, "Liberation Serif", 10, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"bw_libsans_8_ce", Make(FontKind::BlackWhite, "Liberation Sans", 8, platform::EASTEUROPE_CHARSET, false, false,
                               false, 0, 0xFFFFFF)},
      {"aa_libsans_8_ce",
       Make(FontKind::Color, "Liberation Sans", 8, platform::EASTEUROPE_CHARSET, true, false, false, 0, 0xFFFFFF)},
      {"ct_libsans_8_ce",
       Make(FontKind::ClearType, "Liberation Sans", 8, platform::EASTEUROPE_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"bw_sans_6",
       Make(FontKind::BlackWhite, "DejaVu Sans", 6, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
      {"aa_sans_6", Make(FontKind::Color, "DejaVu Sans", 6, platform::ANSI_CHARSET, true, false, false, 0, 0xFFFFFF)},
      {"ct_sans_6",
       Make(FontKind::ClearType, "DejaVu Sans", 6, platform::ANSI_CHARSET, false, false, false, 0, 0xFFFFFF)},
  };
  return samples;
}

// Renders one sample's sheet, negative sheet and zoom into the folder; false when a file cannot
// be written.
bool RenderSample(const Sample& sample, const std::filesystem::path& out) {
  fontcreator::FontPreview p = fontcreator::BuildFont(sample.Settings);
  auto negative = fontcreator::CreateCharImage(sample.Settings, true);
  platform::Bitmap neg = fontcreator::RenderSheet(*negative, fontcreator::kSheetWidth, p.Layout.SheetHeight);
  const std::string base = sample.Name;
  if (!Save(out / (base + ".png"), p.Sheet) || !Save(out / (base + "_neg.png"), neg) ||
      !Save(out / (base + "_zoom.png"), p.Zoom))
    return false;
  std::printf("%-22s height %2d, sheet 200 x %d%s\n", sample.Name, p.Height, p.Layout.SheetHeight,
              p.TooLarge ? " (too large)" : "");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: render_sheets <output folder> [font folder]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const std::vector<std::string> fonts =
      argc == 3 ? std::vector<std::string>{argv[2]}
                : std::vector<std::string>{"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation"};
  if (!platform::UsePrivateFontDirs(fonts)) {
    std::fprintf(stderr, "render_sheets: cannot use the fonts of %s\n", fonts.front().c_str());
    return 1;
  }
  std::filesystem::create_directories(out);
  for (const Sample& sample : Samples()) {
    if (!RenderSample(sample, out)) {
      std::fprintf(stderr, "render_sheets: cannot write into %s\n", out.c_str());
      return 1;
    }
  }
  return 0;
}
