// Times the book build, with the progress gauge on as the builder window runs it, of a book
// made only of picture-start bytes (0x01, no end byte) against an ordinary text book of the
// same size, side by side, at several sizes. The build should stay linear in the book's
// length whatever its bytes.
//   bench_markerbook [megabytes ...]   (default 4 8 16)
#include "assembly/bookbuild.h"
#include "assembly/host.h"
#include "assembly/tables.h"
#include "assembly/zipfile.h"
#include "platform/system/exedir.h"
#include "bookbench.h"

#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace assembly;
using namespace bookbench;
namespace fs = std::filesystem;

namespace {

class QuietHost : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    if (text != "TooManyMidletsMsg") std::fprintf(stderr, "build message: %s\n", text.c_str());
  }
  void RequestTerminate() override {}
  void SetProgress(int, int) override { ++Gauge; }
  void Wait(int) override {}
  int Gauge = 0;
};

// An ordinary book of exactly length bytes.
std::string WordsOfLength(std::mt19937& rng, std::size_t length) {
  std::string s = Words(rng, length);
  s.resize(length);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<double> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atof(argv[i]));
  if (sizes.empty()) sizes = {4, 8, 16};
  TZipFile archive;
  archive.LoadFromFile(platform::ExecutableDir() + "quirewright.dat");
  const fs::path work = fs::temp_directory_path() / ("qw_bench_marker_" + std::to_string(::getpid()));
  fs::create_directories(work);
  std::mt19937 rng(7);

  QuietHost host;
  const NameTexts texts;
  BuildInputs inputs;
  inputs.Vendor = inputs.MidletName = inputs.BookTitle = "Bench";
  inputs.LiteVersion = true;
  inputs.IntroText = "Introduction\r\n\r\n";
  TMIDLETCONFIG c;
  c.Core = 0;
  c.Edition = 2;
  c.KeysConfig = DefaultKeysByCore[0];
  c.JarLimit = 512 * 1024;
  c.FontNames = {"6x3we", "", "", "", ""};
  c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "", "", ""};

  std::printf("%6s | %10s %8s %8s | %10s %8s %8s | %6s\n", "MB", "ordinary s", "midlets", "s/MB", "0x01 s", "midlets",
              "s/MB", "ratio");
  for (const double mb : sizes) {
    const std::size_t bytes = static_cast<std::size_t>(mb * 1024 * 1024);
    double seconds[2] = {0, 0};
    int midlets[2] = {0, 0};
    for (int kind = 0; kind < 2; ++kind) {
      const fs::path book = work / (kind == 0 ? "ordinary.txt" : "starts.txt");
      std::ofstream(book, std::ios::binary) << (kind == 0 ? WordsOfLength(rng, bytes) : std::string(bytes, '\x01'));
      inputs.TextFiles = {book.string()};
      const fs::path out = work / ("out" + std::to_string(kind));
      fs::remove_all(out);
      fs::create_directories(out);
      bool warned = false;
      const BuildContext ctx{archive, host, inputs, texts, &warned};
      const auto start = std::chrono::steady_clock::now();
      if (!BuildBookMidlets(ctx, false, c, true, (out / "Bench").string()).Ok()) std::fprintf(stderr, "build failed\n");
      seconds[kind] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      midlets[kind] = CountJars(out);
    }
    std::printf("%6.1f | %10.3f %8d %8.3f | %10.3f %8d %8.3f | %6.2f\n", mb, seconds[0], midlets[0], seconds[0] / mb,
                seconds[1], midlets[1], seconds[1] / mb, seconds[1] / seconds[0]);
  }
  std::printf("Both books are built with the progress gauge on, JAR limit 512 KB; ratio = 0x01 / ordinary.\n");
  fs::remove_all(work);
  return 0;
}
