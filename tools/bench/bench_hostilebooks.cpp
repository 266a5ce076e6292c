// Times HTML books of eight small hostile pictures each, converted on eight threads as a book
// build does: progressive JPEG files of 6.7 KB declaring 10000 x 10000 with AC codes alone,
// and GIF and PNG files declaring 10000 x 10000 cut off after 6.5 KB. Each book runs in a
// process of its own; the figures are its wall time, its peak memory and what became of the
// pictures. Given the same benchmark built from other code, it runs that one on the same
// books and prints both side by side.
//   bench_hostilebooks [other bench_hostilebooks]
#include "assembly/booktext.h"
#include "assembly/host.h"
#include "assembly/midletconfig.h"
#include "assembly/picture.h"

#include <zlib.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CountingHost : public assembly::BuildHost {
public:
  void ShowMessage(const std::string&, const std::string&, assembly::MessageIcon) override { ++Messages; }
  void RequestTerminate() override {}
  int Messages = 0;
};

std::string Be16(int v) { return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}; }
std::string Le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string Be32(std::uint32_t v) { return Be16(static_cast<int>(v >> 16)) + Be16(static_cast<int>(v & 0xFFFF)); }

// Grey 10000 x 10000 with a DC table and an AC table of one code each and one AC scan of
// "16384 empty blocks" codes: no DC scan at all.
std::string JpegBomb() {
  std::string j("\xFF\xD8", 2);
  j += std::string("\xFF\xDB\0\x43\0", 5) + std::string(64, '\x01');
  j += std::string("\xFF\xC2\0\x0B\x08", 5) + Be16(10000) + Be16(10000) + std::string("\x01\x01\x11\0", 4);
  const std::string oneCode = std::string(1, '\x01') + std::string(15, '\0');
  j += std::string("\xFF\xC4\0\x14\x00", 5) + oneCode + std::string(1, '\x00');
  j += std::string("\xFF\xC4\0\x14\x10", 5) + oneCode + std::string(1, '\xE0');
  j += std::string("\xFF\xDA\0\x08\x01\x01\0\x01\x3F\0", 10) + std::string(6500, '\0');
  return j + std::string("\xFF\xD9", 2);
}

// A 10000 x 10000 GIF image whose LZW data (3-bit codes, a clear code before every two
// pixels) stops after 6.5 KB.
std::string GifBomb() {
  std::string gif = "GIF89a" + Le16(10000) + Le16(10000) + std::string("\x81\0\0", 3);
  gif += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0", 12);
  gif += "\x2C" + Le16(0) + Le16(0) + Le16(10000) + Le16(10000) + std::string(1, '\0') + '\x02';
  // Codes clear, 1, 2 repeated: 9 bits, so 8 codes fill 3 bytes.
  std::string codes;
  unsigned bits = 0, count = 0;
  for (int i = 0; codes.size() < 6500; ++i) {
    bits |= static_cast<unsigned>(i % 3 == 0 ? 4 : i % 3) << count;
    for (count += 3; count >= 8; count -= 8, bits >>= 8) codes += static_cast<char>(bits & 0xFF);
  }
  for (std::size_t i = 0; i < codes.size(); i += 255) gif += '\xFF' + codes.substr(i, 255);
  return gif;
}

std::string PngChunk(const std::string& type, const std::string& data, std::uint32_t declared) {
  const std::string body = type + data;
  const auto crc = static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
  return Be32(declared) + body + Be32(crc);
}

// A 10000 x 10000 RGB PNG whose IDAT declares the deflate stream of every row but holds only
// its first 6.5 KB of them.
std::string PngBomb() {
  std::string raw(1 << 24, '\0');
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<char>(i % 30001 == 0 ? 0 : (i * 7) % 251);
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 9);
  const std::string ihdr = Be32(10000) + Be32(10000) + std::string("\x08\x02\0\0\0", 5);
  std::string png = "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", ihdr, 13);
  return png + PngChunk("IDAT", packed.substr(0, 6500), 30'010'000).substr(0, 8 + 6500);
}

void Write(const fs::path& path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }

fs::path MakeBook(const fs::path& dir, const std::string& ext, const std::string& picture) {
  std::string html = "<html><body>";
  for (int i = 0; i < 8; ++i) {
    const std::string name = "p" + std::to_string(i) + ext;
    Write(dir / name, picture);
    html += "<p>picture " + std::to_string(i) + " <img src=\"" + name + "\"></p>";
  }
  const fs::path book = dir / ("book" + ext + ".htm");
  Write(book, html + "</body></html>");
  return book;
}

// The child's work: the book's pictures converted as a book build converts them.
int Convert(const std::string& book) {
  CountingHost host;
  assembly::TPictureList pictures;
  assembly::TImageConversionParameters params;
  params.Colors = 3;
  params.MaxWidth = 240;
  params.MaxHeight = 320;
  const assembly::HostedPictureConverter convert = [&](const std::string& path, std::string& png,
                                                       assembly::BuildHost& h) {
    return assembly::ConvertImage(path, png, params, h);
  };
  int raised = 0;
  try {
    assembly::LoadTextFiles(host, {book}, false, pictures, convert, 8);
  } catch (const std::exception&) {
    raised = 1;
  }
  std::printf("%zu converted, %d messages%s", pictures.size(), host.Messages, raised ? ", build ended" : "");
  return 0;
}

struct Run {
  double Seconds = 0;
  long PeakMb = 0;
  std::string Outcome;
};

Run RunChild(const std::string& program, const fs::path& book, const fs::path& dir) {
  const fs::path out = dir / "child.txt";
  std::fflush(stdout);  // the child must not write the parent's buffered lines again
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen(out.c_str(), "w", stdout);
    execl(program.c_str(), program.c_str(), "--convert", book.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  Run run;
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.PeakMb = usage.ru_maxrss / 1024;
  std::ifstream f(out);
  std::getline(f, run.Outcome);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) run.Outcome += " (exit " + std::to_string(status) + ")";
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--convert") return Convert(argv[2]);
  const fs::path dir = fs::temp_directory_path() / ("bench_hostilebooks-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<std::string> programs{fs::canonical("/proc/self/exe").string()};
  if (argc > 1) programs.push_back(fs::absolute(argv[1]).string());
  const std::pair<const char*, fs::path> books[] = {
      {"8 progressive JPEG", MakeBook(dir, ".jpg", JpegBomb())},
      {"8 truncated GIF", MakeBook(dir, ".gif", GifBomb())},
      {"8 truncated PNG", MakeBook(dir, ".png", PngBomb())},
  };
  std::printf("each picture %zu (JPEG), %zu (GIF), %zu (PNG) bytes, declaring 10000 x 10000\n",
              static_cast<std::size_t>(fs::file_size(dir / "p0.jpg")),
              static_cast<std::size_t>(fs::file_size(dir / "p0.gif")),
              static_cast<std::size_t>(fs::file_size(dir / "p0.png")));
  for (std::size_t p = 0; p < programs.size(); ++p) std::printf("program %zu: %s\n", p + 1, programs[p].c_str());
  std::printf("%-20s %-8s %9s %9s  %s\n", "book", "program", "seconds", "peak MB", "pictures");
  for (const auto& [name, book] : books)
    for (std::size_t p = 0; p < programs.size(); ++p) {
      const Run run = RunChild(programs[p], book, dir);
      std::printf("%-20s %-8zu %9.2f %9ld  %s\n", name, p + 1, run.Seconds, run.PeakMb, run.Outcome.c_str());
      std::fflush(stdout);
    }
  fs::remove_all(dir);
  return 0;
}
