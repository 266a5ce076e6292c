// Times book midlet builds from the sample resource archive beside the program: a text book
// of several megabytes and an HTML book with a few hundred pictures, each at JAR limits of
// 64 KB and 512 KB. Prints the build time, the number of midlets and the ratio of the build
// time to one raw deflate of the whole book text, the least any build of the book must do,
// also for the build without loading the book; and the picture conversion of the HTML book
// on one core and on all cores.
//   bench_bookbuild [text megabytes] [pictures]
#include "assembly/bookbuild.h"
#include "assembly/booktext.h"
#include "assembly/colorreduce.h"
#include "assembly/host.h"
#include "assembly/normalize.h"
#include "assembly/picture.h"
#include "assembly/tables.h"
#include "assembly/zipfile.h"
#include "platform/imaging/bitmap.h"
#include "platform/system/exedir.h"
#include "platform/imaging/png.h"
#include "bookbench.h"

#include <zlib.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <thread>

using namespace assembly;
using namespace bookbench;
namespace fs = std::filesystem;

namespace {

// Notes when the build turns from loading the book to making the midlets (the status line).
class QuietHost : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    std::fprintf(stderr, "build message: %s\n", text.c_str());
  }
  void RequestTerminate() override {}
  void SetStatus(const std::string& text) override {
    if (text == "GeneratingMidlets") Loaded = std::chrono::steady_clock::now();
  }
  void Wait(int) override {}  // the engine alone is measured
  std::chrono::steady_clock::time_point Loaded;
};

// The texts' names stand in for the texts.
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Write(const fs::path& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

// Raw deflate at the default level, as every JAR entry is stored.
double DeflateSeconds(const std::string& data) {
  const auto start = std::chrono::steady_clock::now();
  z_stream zs{};
  deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, uLong(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = uInt(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  deflate(&zs, Z_FINISH);
  deflateEnd(&zs);
  return Seconds(start);
}

// A text book, and an HTML book whose pictures are a dozen different photos-like PNGs.
void WriteBooks(const fs::path& work, std::mt19937& rng, double megabytes, int pictures) {
  Write(work / "book.txt", Words(rng, std::size_t(megabytes * 1024 * 1024)));
  for (int p = 0; p < 12; ++p) {
    platform::Bitmap b(160, 120, platform::PixelFormat::pf24bit);
    for (int y = 0; y < b.Height(); ++y) {
      std::uint8_t* row = b.ScanLine(y);
      for (int x = 0; x < b.Width(); ++x) {
        row[3 * x] = std::uint8_t(x * (p + 1) + rng() % 16);
        row[3 * x + 1] = std::uint8_t(y * 2 + p * 20);
        row[3 * x + 2] = std::uint8_t((x ^ y) + rng() % 32);
      }
    }
    Write(work / "pics" / ("p" + std::to_string(p) + ".png"),
          platform::EncodePalettePng(ReducePictureColors(b, 7, 0, 8)));
  }
  std::string html = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                     "<title>Bench</title></head><body>";
  for (int i = 0; i < pictures; ++i)
    html += "<p>" + Words(rng, 1500) + "</p><img src=\"pics/p" + std::to_string(i % 12) + ".png\">";
  Write(work / "book.htm", html + "</body></html>");
}

BuildInputs BenchInputs() {
  BuildInputs inputs;
  inputs.Vendor = "Bench";
  inputs.MidletName = "Bench";
  inputs.BookTitle = "Bench";
  inputs.LiteVersion = true;
  inputs.IntroText = "Introduction\r\n\r\n";
  inputs.ImageParams.Colors = 3;
  inputs.ImageParams.MaxWidth = 128;
  inputs.ImageParams.MaxHeight = 128;
  inputs.ImageParams.Dithering = 1;
  return inputs;
}

// The picture conversion (loading the book) on one core and on all, side by side, and the
// floor. Each figure is the best of several runs (the machine may be busy).
struct LoadTimes {
  double One = 1e9, All = 1e9, Floor = 1e9;
  std::string Normal;  // the book text as the build cuts it
};

LoadTimes TimeLoading(QuietHost& host, const BuildInputs& inputs) {
  const HostedPictureConverter convert = [&](const std::string& path, std::string& png, BuildHost& h) {
    return ConvertImage(path, png, inputs.ImageParams, h);
  };
  LoadTimes times;
  for (int run = 0; run < 3; ++run) {
    for (unsigned threads : {1u, 0u}) {
      TPictureList list;
      const auto loadStart = std::chrono::steady_clock::now();
      const std::string text = LoadTextFiles(host, inputs.TextFiles, false, list, convert, threads);
      double& best = threads == 1 ? times.One : times.All;
      best = std::min(best, Seconds(loadStart));
      times.Normal = NormalizeBookText(inputs.IntroText + text);
    }
  }
  for (int run = 0; run < 10; ++run) times.Floor = std::min(times.Floor, DeflateSeconds(times.Normal));
  return times;
}

// Builds the book at a JAR limit of `kb` KB three times and prints the best figures.
void TimeBuild(const TZipFile& archive, QuietHost& host, const BuildInputs& inputs, const fs::path& work,
               const char* book, int kb, const LoadTimes& loading) {
  const NameTexts texts;
  TMIDLETCONFIG c;
  c.Core = 0;
  c.Edition = 2;
  c.KeysConfig = DefaultKeysByCore[0];
  c.JarLimit = kb * 1024;
  c.FontNames = {"6x3we", "", "", "", ""};
  c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "", "", ""};
  const fs::path out = work / (std::string(book) + std::to_string(kb));
  fs::create_directories(out);
  bool warned = false;
  const BuildContext ctx{archive, host, inputs, texts, &warned};
  double build = 1e9, load = 1e9, midlets = 1e9;
  bool ok = true;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    ok = BuildBookMidlets(ctx, false, c, false, (out / "Bench").string()).Ok() && ok;
    const auto end = std::chrono::steady_clock::now();
    build = std::min(build, std::chrono::duration<double>(end - start).count());
    load = std::min(load, std::chrono::duration<double>(host.Loaded - start).count());
    midlets = std::min(midlets, std::chrono::duration<double>(end - host.Loaded).count());
  }
  if (!ok) std::fprintf(stderr, "build of %s at %d KB failed\n", book, kb);
  const double floor = loading.Floor;
  std::printf("%-6s %9zu %8d %9.3f %8d %8.3f %10.4f %7.1f %10.1f\n", fs::path(book).extension().c_str() + 1,
              loading.Normal.size() / 1024, kb, build, CountJars(out), load, floor, build / floor, midlets / floor);
}

void PrintNotes(const fs::path& work) {
  std::printf("Times are the best of three runs (the deflate: of ten).\n");
  std::printf(
      "ratio = build time / one deflate of the whole normalised book text. load s is the\n"
      "build's loading of the book: reading it, converting the pictures of the HTML book\n"
      "and deflating their JAR entries, on all cores. w/o load is the rest of the build,\n"
      "the midlets made and saved, as the same ratio. The HTML book's JARs also take its\n"
      "pictures.\n");
  std::printf(
      "The midlets are saved under %s (set TMPDIR for another place); every JAR and JAD is\n"
      "flushed to its disk, which on a disk file system weighs in w/o load too.\n",
      work.parent_path().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 4.0;
  const int pictures = argc > 2 ? std::atoi(argv[2]) : 300;
  TZipFile archive;
  archive.LoadFromFile(platform::ExecutableDir() + "quirewright.dat");

  const fs::path work = fs::temp_directory_path() / ("qw_bench_book_" + std::to_string(::getpid()));
  fs::create_directories(work / "pics");
  std::mt19937 rng(42);
  WriteBooks(work, rng, megabytes, pictures);

  QuietHost host;
  BuildInputs inputs = BenchInputs();
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());

  std::printf("%-6s %9s %8s %9s %8s %8s %10s %7s %10s\n", "book", "text KB", "JAR KB", "build s", "midlets", "load s",
              "deflate s", "ratio", "w/o load");
  double oneCore = 0, allCores = 0;
  for (const char* book : {"book.txt", "book.htm"}) {
    inputs.TextFiles = {(work / book).string()};
    const LoadTimes loading = TimeLoading(host, inputs);
    if (std::string_view(book) == "book.htm") {
      oneCore = loading.One;
      allCores = loading.All;
    }
    for (int kb : {64, 512}) TimeBuild(archive, host, inputs, work, book, kb, loading);
  }
  PrintNotes(work);
  std::printf(
      "\npicture conversion (loading the HTML book, %d pictures): one core %.3f s, all %u cores "
      "%.3f s: %.1f times faster\n",
      pictures, oneCore, cores, allCores, oneCore / allCores);
  fs::remove_all(work);
  return 0;
}
