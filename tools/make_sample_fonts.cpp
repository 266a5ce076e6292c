// Renders the reader fonts of the sample resource archive with the font engine: one .fnt file
// for every font of the builder's catalogue, from the DejaVu faces.
//   make_sample_fonts <output folder> [font folder]
// Creates <output folder>/fonts/<group>/<font>.fnt.
#include "assembly/fontcatalogue.h"
#include "fontcreator/fontbuilder.h"
#include "platform/imaging/textrender.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using assembly::TFontDesc;
using fontcreator::FontSettings;

// The height of a catalogue font: the first number of its name ("6x3ce" 6, "Tah12we" 12).
int HeightOf(const std::string& fontName) {
  std::size_t i = 0;
  while (i < fontName.size() && !std::isdigit(static_cast<unsigned char>(fontName[i]))) ++i;
  int h = 0;
  while (i < fontName.size() && std::isdigit(static_cast<unsigned char>(fontName[i])))
    h = h * 10 + (fontName[i++] - '0');
  return std::clamp(h == 0 ? 12 : h, 5, 24);
}

int CharsetOf(int group) {
  static const int kCharsets[] = {platform::EASTEUROPE_CHARSET, platform::ANSI_CHARSET, platform::RUSSIAN_CHARSET,
                                  platform::HEBREW_CHARSET,     platform::ARABIC_CHARSET, platform::GREEK_CHARSET};
  return group >= 0 && group < 6 ? kCharsets[group] : platform::ANSI_CHARSET;
}

FontSettings SettingsOf(const TFontDesc& d) {
  FontSettings s;
  // Every screen face of the catalogue (Arial, Tahoma, Verdana, David) and the pixel sizes
  // come from the one sans face that has all six scripts.
  s.FaceName = "DejaVu Sans";
  s.Size = HeightOf(d.DisplayName.substr(0, d.DisplayName.find(' ')));
  s.Charset = CharsetOf(d.LanguageGroup);
  s.FontType = static_cast<fontcreator::FontKind>(d.FontType);
  s.TextColor = 0x000000;
  s.BackgroundColor = 0xFFFFFF;
  if (d.EntryName.find("_Aqua") != std::string::npos) {
    s.TextColor = 0x00FFFF;
    s.BackgroundColor = 0x000000;
  } else if (d.EntryName.find("_Yel") != std::string::npos) {
    s.TextColor = 0xFFFF00;
    s.BackgroundColor = 0x000000;
  }
  s.Antialiased = d.EntryName.find("_AA") != std::string::npos;
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make_sample_fonts <output folder> [font folder]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const std::string fontDir = argc == 3 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
  if (!platform::UsePrivateFontDirs({fontDir})) {
    std::fprintf(stderr, "make_sample_fonts: cannot read the fonts of %s\n", fontDir.c_str());
    return 1;
  }
  const std::vector<TFontDesc> fonts = assembly::FontCatalogueEntries();
  // The fonts are independent of each other: a few threads share them out.
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::mutex report;
  auto work = [&] {
    for (std::size_t i; !failed && (i = next++) < fonts.size();) {
      const TFontDesc& d = fonts[i];
      std::string relative = d.EntryName;
      std::replace(relative.begin(), relative.end(), '\\', '/');
      const std::filesystem::path file = out / relative;
      try {
        std::filesystem::create_directories(file.parent_path());
        fontcreator::FontPreview preview;
        const std::string bytes = fontcreator::BuildFontFile(SettingsOf(d), &preview);
        // The font creator refuses to save such a font: its sheet loses the bottom rows.
        if (preview.TooLarge)
          throw std::runtime_error("too large: its glyphs need " + std::to_string(preview.Layout.Total) + " rows");
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!stream.flush()) throw std::runtime_error("cannot write " + file.string());
      } catch (const std::exception& e) {
        std::lock_guard lock(report);
        std::fprintf(stderr, "make_sample_fonts: %s: %s\n", d.DisplayName.c_str(), e.what());
        failed = true;
      }
    }
  };
  const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < count; ++t) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  return failed ? 1 : 0;
}
