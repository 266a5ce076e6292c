// Writes placeholder reader fonts for the sample resource archive: one valid .fnt file for
// every font of the builder's catalogue, with boxes in place of glyphs.
//   make_sample_fonts <output folder>
// Creates <output folder>/fonts/<group>/<font>.fnt. A font creator run can take its place.
#include "assembly/fontcatalogue.h"
#include "assembly/fontfile.h"
#include "platform/bitmap.h"
#include "platform/png.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace assembly;

struct Metrics {
  int height, width;
};

// "6x3ce" is 6 pixels high with glyphs 3 wide; "Tah12we" is 12 high.
Metrics MetricsOf(const std::string& fontName) {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < fontName.size();) {
    if (std::isdigit(static_cast<unsigned char>(fontName[i]))) {
      std::size_t end = i;
      while (end < fontName.size() && std::isdigit(static_cast<unsigned char>(fontName[end]))) ++end;
      numbers.push_back(std::stoi(fontName.substr(i, end - i)));
      i = end;
    } else {
      ++i;
    }
  }
  if (numbers.size() >= 2) return {numbers[0], numbers[1] + 1};
  const int h = numbers.empty() ? 12 : numbers[0];
  return {h, h / 2 + 1};
}

platform::Palette TwoColours(uint32_t a, uint32_t b) {
  auto entry = [](uint32_t c) {
    return platform::PaletteEntry{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0};
  };
  return platform::Palette({entry(a), entry(b)});
}

// A sheet 200 pixels wide with every glyph's box, laid out row by row as the reader does.
std::string Sheet(const FontFile& f, uint32_t ink, uint32_t paper) {
  int x = 0, y = 0;
  for (uint8_t w : f.Widths) {
    if (x + w > 200) x = 0, y += f.Height;
    x += w;
  }
  int height = std::max(y + (x ? f.Height : 0), 48);
  height = std::min(height, 255);
  const bool bw = f.Type == FontBlackWhite;
  platform::Bitmap sheet(200, height, bw ? platform::PixelFormat::pf1bit : platform::PixelFormat::pf8bit);
  platform::Palette palette = TwoColours(paper, ink);
  if (!bw) {
    std::vector<platform::PaletteEntry> entries = palette.Entries();
    entries.resize(256, entries[0]);
    palette = platform::Palette(std::move(entries));
  }
  sheet.SetPalette(palette);
  x = 0, y = 0;
  for (std::size_t c = 0; c < f.Widths.size(); ++c) {
    const int w = f.Widths[c];
    if (x + w > 200) x = 0, y += f.Height;
    if (c > 0 && w > 1)  // no box for the blank
      for (int j = 1; j < f.Height - 1 && y + j < height; ++j)
        for (int i = 0; i < w - 1; ++i)
          if (j == 1 || j == f.Height - 2 || i == 0 || i == w - 2) sheet.SetIndex(x + i, y + j, 1);
    x += w;
  }
  return platform::EncodePalettePng(sheet);
}

uint32_t InkOf(const std::string& entry) {
  if (entry.find("_Aqua") != std::string::npos) return 0x00FFFF;
  if (entry.find("_Yel") != std::string::npos) return 0xFFFF00;
  return 0x000000;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_fonts <output folder>\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (const TFontDesc& d : FontCatalogueEntries()) {
    std::string relative = d.EntryName;
    for (char& c : relative)
      if (c == '\\') c = '/';
    const std::string fontName = d.DisplayName.substr(0, d.DisplayName.find(' '));
    const Metrics m = MetricsOf(fontName);

    FontFile f;
    f.Height = uint8_t(std::clamp(m.height, 1, 24));
    f.Type = d.FontType;
    const uint32_t ink = InkOf(d.EntryName);
    f.TextColor = ink;
    f.BackgroundColor = d.FontType == FontBlackWhite ? 0xFFFFFF : (ink ? 0x000000 : 0xFFFFFF);
    for (int i = 0; i < kFontCodeCount; ++i) f.Widths[i] = uint8_t(i == 0 ? m.width / 2 + 1 : m.width);
    f.Sheet = Sheet(f, f.TextColor, f.BackgroundColor);
    f.NegativeSheet = Sheet(f, f.BackgroundColor, f.TextColor);

    const std::filesystem::path file = out / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    const std::string bytes = WriteFontFile(f);
    stream.write(bytes.data(), std::streamsize(bytes.size()));
    if (!stream) {
      std::fprintf(stderr, "make_sample_fonts: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
