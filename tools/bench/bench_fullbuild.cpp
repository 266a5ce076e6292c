// Times full edition builds from the sample resource archive beside the program: one build in
// test mode, and the all-versions set (10 cores x 2 ZIP choices x 11 languages), each build
// after a font fitting of nine test-mode builds, without and with the JAR cache. Checks that
// both ways write the same JARs.
#include "assembly/fontcatalogue.h"
#include "assembly/fullbuild.h"
#include "assembly/host.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "platform/system/exedir.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace assembly;
namespace fs = std::filesystem;

namespace {

class QuietHost : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    std::fprintf(stderr, "build message: %s\n", text.c_str());
    ++Messages;
  }
  void RequestTerminate() override {}
  int Messages = 0;
};

// The texts' names stand in for the texts.
class NameTexts : public NamedTexts {
public:
  std::string TextByName(std::string_view name) const override { return std::string(name); }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Five fonts of the language's group, with negative sheets: the default slots.
TMIDLETCONFIG Record(int core, int zip, int language) {
  TMIDLETCONFIG c;
  c.Core = uint8_t(core);
  c.Edition = uint8_t(zip);
  c.InterfaceLanguage = uint8_t(language);
  c.KeysConfig = DefaultKeysByCore[core];
  c.JarLimit = (zip ? 128 : 64) * 1024;
  const int group = FontGroupByLanguage[language];
  std::vector<TFontDesc> fonts;  // the group's 25 fonts: 15 scheme fonts, then 10 face fonts
  for (TFontDesc& d : FontCatalogueEntries())
    if (d.LanguageGroup == group) fonts.push_back(std::move(d));
  const int picks[5] = {3, 10, 14, 15, 24};
  for (int slot = 0; slot < 5; ++slot) {
    c.FontNames[slot] = ExtractNameNoExt(fonts[picks[slot]].EntryName);
    c.FontSources[slot] = "ZIP:" + fonts[picks[slot]].EntryName;
    c.NegativeFlags[slot] = 1;
  }
  return c;
}

// The fitting's nine estimates: as given, then negatives off from slot 5 down, then fonts 5, 4, 2.
void FitFonts(const BuildContext& ctx, TMIDLETCONFIG& c) {
  BuildFullMidlet(ctx, true, c, "test0000000000000nameqwertyuiop", "testnameqwertyuiop00000000000000");
  for (int slot = 5; slot >= 1; --slot) {
    c.NegativeFlags[slot - 1] = 0;
    BuildFullMidlet(ctx, true, c, "test0000000000000nameqwertyuiop", "testnameqwertyuiop00000000000000");
  }
  for (int slot : {5, 4, 2}) {
    c.FontNames[slot - 1].clear();
    c.FontSources[slot - 1].clear();
    BuildFullMidlet(ctx, true, c, "test0000000000000nameqwertyuiop", "testnameqwertyuiop00000000000000");
  }
  // Fonts back as they were, negatives off: what the fit would leave for a small limit.
  c = Record(c.Core, c.Edition, c.InterfaceLanguage);
  c.NegativeFlags = {0, 0, 0, 0, 0};
}

double AllVersions(const BuildContext& ctx, const fs::path& out) {
  const auto start = std::chrono::steady_clock::now();
  for (int core = 0; core < 10; ++core)
    for (int zip = 0; zip < 2; ++zip)
      for (int language = 0; language < 11; ++language) {
        TMIDLETCONFIG c = Record(core, zip, language);
        FitFonts(ctx, c);
        const fs::path dir = out / CoreNames[core] / EditionNames[zip] / LanguageNames[language];
        fs::create_directories(dir);
        BuildFullMidlet(ctx, false, c, "Tomefalcon.jar", (dir / "Tomefalcon").string());
      }
  return Seconds(start);
}

bool SameJars(const fs::path& a, const fs::path& b) {
  int compared = 0;
  for (const auto& e : fs::recursive_directory_iterator(a)) {
    if (e.path().extension() != ".jar") continue;
    TZipFile x, y;
    x.LoadFromFile(e.path().string());
    y.LoadFromFile((b / fs::relative(e.path(), a)).string());
    if (x.Count() != y.Count() || x.ArchiveSize() != y.ArchiveSize()) return false;
    for (int i = 0; i < x.Count(); ++i)
      if (x.FileName(i) != y.FileName(i) || x.LocalFile(i).CompressedData != y.LocalFile(i).CompressedData ||
          x.LocalFile(i).Common.CRC32 != y.LocalFile(i).Common.CRC32)
        return false;
    ++compared;
  }
  return compared == 220;
}

}  // namespace

int main() {
  TZipFile archive;
  const std::string file = platform::ExecutableDir() + "quirewright.dat";
  try {
    archive.LoadFromFile(file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot load %s: %s\n", file.c_str(), e.what());
    return 1;
  }
  QuietHost host;
  const NameTexts texts;
  BuildInputs inputs;
  inputs.Vendor = "Bench";
  const BuildContext plain{archive, host, inputs, texts};

  const TMIDLETCONFIG one = Record(7, 1, 4);
  const int repeats = 50;
  auto start = std::chrono::steady_clock::now();
  long long size = 0;
  for (int i = 0; i < repeats; ++i) size = BuildFullMidlet(plain, true, one, "Tomefalcon.jar", "unused").PackedSize();
  std::printf("one full build in test mode: %.2f ms (JAR of %lld bytes)\n", Seconds(start) * 1000 / repeats, size);

  TJarCache cache;
  const BuildContext cached{archive, host, inputs, texts, nullptr, &cache};
  BuildFullMidlet(cached, true, one, "Tomefalcon.jar", "unused");
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) BuildFullMidlet(cached, true, one, "Tomefalcon.jar", "unused");
  std::printf("the same, repeated with the JAR cache: %.2f ms\n", Seconds(start) * 1000 / repeats);

  const fs::path out = fs::temp_directory_path() / ("qw-bench-" + std::to_string(::getpid()));
  const double uncached = AllVersions(plain, out / "plain");
  std::printf("all versions (220 builds, each after 9 estimates): %.2f s\n", uncached);
  cache.Clear();
  const double withCache = AllVersions(cached, out / "cached");
  std::printf("all versions with the JAR cache: %.2f s (%.1fx)\n", withCache, uncached / withCache);
  const bool same = SameJars(out / "plain", out / "cached");
  std::printf("JARs written both ways are identical: %s\n", same ? "yes" : "NO");
  fs::remove_all(out);
  return same && host.Messages == 0 ? 0 : 1;
}
