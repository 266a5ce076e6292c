// Times the picture conversion of large photos (64 colours, Floyd-Steinberg, shrunk to a phone
// screen) against ImageMagick's convert doing a box-filter resize to the same size with 64
// colours and Floyd-Steinberg, on the same files in the same run.
//
//   bench_picture [picture files...]   (without files, photos are made with ImageMagick)
#include "assembly/colorreduce.h"
#include "assembly/downsample.h"
#include "assembly/picture.h"
#include "assembly/pictureformats.h"
#include "platform/imaging/picturedecoder.h"
#include "platform/imaging/png.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

class QuietHost : public assembly::BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string&, assembly::MessageIcon) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  void RequestTerminate() override {}
};

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Magick() {
  return std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
}

bool Shell(const std::string& cmd) { return std::system(cmd.c_str()) == 0; }

constexpr int kMaxW = 240, kMaxH = 320, kRuns = 3;

// Photos made with ImageMagick in dir, kept there for the next run; false when one cannot be made.
bool MakePhotos(const std::filesystem::path& dir, std::vector<std::string>& files) {
  std::printf("making photos with ImageMagick in %s\n", dir.c_str());
  struct Make {
    const char* Name;
    const char* Args;
  };
  const Make makes[] = {
      {"plasma_4000x3000.jpg", "-seed 1 -size 4000x3000 plasma:fractal -blur 0x1 -quality 90"},
      {"rose_3000x2000.jpg", "rose: -resize 3000x2000! -attenuate 0.4 +noise Gaussian -quality 90"},
      {"plasma_2000x2500.png", "-seed 2 -size 2000x2500 plasma:fractal"},
      {"noise_3000x2000.jpg", "-seed 3 -size 3000x2000 xc: +noise Random -blur 0x3 -quality 90"},
  };
  for (const Make& m : makes) {
    const std::string path = (dir / m.Name).string();
    if (!std::filesystem::exists(path) && !Shell(Magick() + " " + m.Args + " '" + path + "'")) {
      std::fprintf(stderr, "could not make %s\n", path.c_str());
      return false;
    }
    files.push_back(path);
  }
  return true;
}

// Whole conversion, best of a few runs; false when it fails.
bool TimeConversion(const std::string& file, std::string& png, double& seconds) {
  assembly::TImageConversionParameters params;
  params.Colors = 3;  // 64 colours
  params.Dithering = 1;
  params.MaxWidth = kMaxW;
  params.MaxHeight = kMaxH;
  QuietHost host;
  seconds = 1e9;
  for (int r = 0; r < kRuns; ++r) {
    png.clear();
    const auto t = Clock::now();
    if (!assembly::ConvertImage(file, png, params, host)) {
      std::fprintf(stderr, "conversion failed: %s\n", file.c_str());
      return false;
    }
    seconds = std::min(seconds, Seconds(t));
  }
  return true;
}

// Stage by stage, once, to the size of the whole conversion's result.
struct Stages {
  platform::Bitmap Picture;
  double Decode = 0, Scale = 0, Reduce = 0, Encode = 0;
};

// The decoder of the file's format (by its ending, as the book build tells them).
platform::Bitmap Decode(const std::string& file, const std::string& data) {
  const assembly::TPictureFormat* format = assembly::PictureFormatOf(file);
  if (format == nullptr) throw std::runtime_error("not a picture file");
  return format->Decoder.Decode(data);
}

Stages TimeStages(const std::string& file, const std::string& data, const platform::Bitmap& result) {
  Stages s;
  auto t = Clock::now();
  s.Picture = Decode(file, data);
  s.Decode = Seconds(t);
  t = Clock::now();
  platform::Bitmap scaled(result.Width(), result.Height(), platform::PixelFormat::pf24bit);
  assembly::DownsampleBitmap(s.Picture, scaled);
  s.Scale = Seconds(t);
  t = Clock::now();
  const platform::Bitmap reduced = assembly::ReducePictureColors(scaled, 7, 1, 6);
  s.Reduce = Seconds(t);
  t = Clock::now();
  const std::string encoded = platform::EncodePalettePng(reduced);
  s.Encode = Seconds(t);
  return s;
}

// ImageMagick on the same file to the same size, best of a few runs; false when it fails.
bool TimeImageMagick(const std::string& file, const std::filesystem::path& dir, const platform::Bitmap& result,
                     double& seconds) {
  const std::string out = (dir / "convert_out.png").string();
  const std::string cmd = Magick() + " '" + file + "' -filter Box -resize " + std::to_string(result.Width()) + "x" +
                          std::to_string(result.Height()) + "! -dither FloydSteinberg -colors 64 'PNG8:" + out + "'";
  seconds = 1e9;
  for (int r = 0; r < kRuns; ++r) {
    const auto tc = Clock::now();
    if (!Shell(cmd)) {
      std::fprintf(stderr, "convert failed: %s\n", cmd.c_str());
      return false;
    }
    seconds = std::min(seconds, Seconds(tc));
  }
  return true;
}

// Without shrinking, the colour reduction of the whole photo (octree and nearest-colour
// search of every dithered pixel), as a line of the report.
std::string TimeFullSize(const std::string& file, const platform::Bitmap& picture) {
  auto t = Clock::now();
  const platform::Palette palette = assembly::BuildOctreePalette(picture, 64, false);
  const double octree = Seconds(t);
  t = Clock::now();
  const platform::Bitmap full = assembly::ReducePictureColors(picture, 9, 1, 8, &palette);
  const double dither = Seconds(t);
  return "  " + std::filesystem::path(file).filename().string() + ": octree " + std::to_string(octree) +
         " s, Floyd-Steinberg with nearest-colour search " + std::to_string(dither) + " s (" +
         std::to_string(dither * 1e9 / (static_cast<double>(picture.Width()) * picture.Height())) + " ns per pixel)\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files(argv + 1, argv + argc);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qw_bench_picture";
  std::filesystem::create_directories(dir);
  if (files.empty() && !MakePhotos(dir, files)) return 1;

  std::printf("%-24s %11s %9s | %7s %7s %7s %7s | %9s %7s\n", "picture", "size", "ours s", "decode", "scale",
              "reduce", "png", "convert s", "ratio");
  double oursTotal = 0, theirsTotal = 0;
  std::string fullLines;
  for (const std::string& file : files) {
    const std::string data = ReadFile(file);
    double ours = 0;
    std::string png;
    if (!TimeConversion(file, png, ours)) return 1;
    const platform::Bitmap result = platform::TPngDecoder().Decode(png);
    Stages st;
    try {
      st = TimeStages(file, data, result);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "cannot decode %s: %s\n", file.c_str(), e.what());
      return 1;
    }
    double theirs = 0;
    if (!TimeImageMagick(file, dir, result, theirs)) return 1;
    fullLines += TimeFullSize(file, st.Picture);
    oursTotal += ours;
    theirsTotal += theirs;
    const std::string size = std::to_string(st.Picture.Width()) + "x" + std::to_string(st.Picture.Height());
    std::printf("%-24s %11s %9.3f | %7.3f %7.3f %7.3f %7.3f | %9.3f %7.2f\n",
                std::filesystem::path(file).filename().c_str(), size.c_str(), ours, st.Decode, st.Scale, st.Reduce,
                st.Encode, theirs, ours / theirs);
  }
  std::printf("total: ours %.3f s, convert %.3f s, ratio ours/convert %.2f (%d pictures, best of %d runs, %dx%d, "
              "64 colours, Floyd-Steinberg)\n",
              oursTotal, theirsTotal, oursTotal / theirsTotal, static_cast<int>(files.size()), kRuns, kMaxW, kMaxH);
  std::printf("64 colours at full size:\n%s", fullLines.c_str());
  return 0;
}
