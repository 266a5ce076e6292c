#include "platform/imaging/imagefile.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace platform;
using testing_support::ReadFile;

namespace {

const std::string kPictures = std::string(QW_SOURCE_DIR) + "/tests/assembly/data/pictures/";

std::string Convert() {
  return std::ifstream("/usr/bin/convert").good() ? "/usr/bin/convert" : "convert";
}

// ImageMagick's decoding of a file, flattened on white, as raw RGB bytes.
std::string MagickRgb(const std::string& file) {
  const std::string cmd = Convert() + " '" + file + "[0]' -background white -flatten -depth 8 rgb:- 2>/dev/null";
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[65536];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

Bitmap Decode(const std::string& name, const std::string& data) {
  const std::string ext = name.substr(name.rfind('.') + 1);
  if (ext == "gif") return DecodeGif(data);
  if (ext == "png") return DecodePng(data);
  return DecodeJpeg(data);
}

}  // namespace

TEST(PictureDecoders, AgreeWithAnotherDecoder) {
  QW_REQUIRE_TOOL("convert");
  struct Case { const char* file; int width, height, tolerance; };
  // JPEG decoders may round the colour conversion differently; CMYK inks more so.
  const Case cases[] = {
      {"rose.jpg", 70, 46, 3},         {"rose_progressive.jpg", 70, 46, 3}, {"rose_grey.jpg", 70, 46, 3},
      {"rose_cmyk.jpg", 70, 46, 8},    {"logo.gif", 160, 120, 0},           {"logo_interlaced.gif", 160, 120, 0},
      {"transparent.gif", 40, 30, 0},  {"transparent.png", 40, 30, 1},      {"grey16.png", 64, 16, 1},
      {"grey_alpha.png", 24, 24, 1},   {"interlaced.png", 35, 23, 0},       {"palette.png", 80, 60, 0},
      {"rgb.png", 70, 46, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const Bitmap b = Decode(c.file, ReadFile(kPictures + c.file));
    ASSERT_EQ(b.Format(), PixelFormat::pf24bit);
    ASSERT_EQ(b.Width(), c.width);
    ASSERT_EQ(b.Height(), c.height);
    const std::string ref = MagickRgb(kPictures + c.file);
    ASSERT_EQ(ref.size(), static_cast<std::size_t>(c.width * c.height * 3)) << "convert gave no picture";
    int worst = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const Rgb p = b.GetPixel(x, y);
        const auto* r = reinterpret_cast<const unsigned char*>(ref.data()) + (y * c.width + x) * 3;
        worst = std::max({worst, std::abs(p.red - r[0]), std::abs(p.green - r[1]), std::abs(p.blue - r[2])});
      }
    EXPECT_LE(worst, c.tolerance);
  }
  // Transparent parts are white.
  const Bitmap gif = DecodeGif(ReadFile(kPictures + "transparent.gif"));
  EXPECT_EQ(gif.GetPixel(39, 29), (Rgb{255, 255, 255}));
  EXPECT_EQ(gif.GetPixel(20, 15), (Rgb{255, 0, 0}));
  const Bitmap png = DecodePng(ReadFile(kPictures + "transparent.png"));
  EXPECT_EQ(png.GetPixel(39, 29), (Rgb{255, 255, 255}));
  EXPECT_EQ(png.GetPixel(2, 2), (Rgb{128, 128, 255}));  // half-transparent blue over white
}

TEST(PictureDecoders, BrokenAndTruncatedFilesRaise) {
  for (const char* name : {"rose.jpg", "logo.gif", "rgb.png", "interlaced.png", "logo_interlaced.gif"}) {
    SCOPED_TRACE(name);
    const std::string data = ReadFile(kPictures + name);
    EXPECT_THROW(Decode(name, data.substr(0, data.size() / 3)), EImageError);
    EXPECT_THROW(Decode(name, ""), EImageError);
    EXPECT_THROW(Decode(name, "not a picture at all, just some words"), EImageError);
  }
  // A PNG whose CRC is wrong in its IDAT.
  std::string png = ReadFile(kPictures + "rgb.png");
  const std::size_t idat = png.find("IDAT");
  png[idat + 10] = static_cast<char>(png[idat + 10] ^ 0x55);
  EXPECT_THROW(DecodePng(png), EImageError);
}

TEST(PictureDecoders, RefuseSizesBeyondTheBounds) {
  EXPECT_THROW(CheckPictureSize(10001, 10000, 1u << 30), EImageError);   // above 100 megapixels
  EXPECT_NO_THROW(CheckPictureSize(10000, 10000, 1u << 30));
  EXPECT_THROW(CheckPictureSize(5000, 5000, 100), EImageError);          // far beyond a 100-byte file
  EXPECT_NO_THROW(CheckPictureSize(1000, 1000, 100));
  EXPECT_THROW(CheckPictureSize(0, 5, 100), EImageError);

  // Declared sizes in real headers: a GIF image of 65535 x 65535 and a PNG of 60000 x 60000.
  const unsigned char gif[] = {'G',  'I',  'F',  '8',  '9', 'a', 1,   0,    1,    0, 0x80, 0,
                               0,    0,    0,    0,    255, 255, 255, 0x2C, 0,    0, 0,    0,
                               0xFF, 0xFF, 0xFF, 0xFF, 0,   2,   2,   0x44, 0x01, 0, 0x3B};
  EXPECT_THROW(DecodeGif(std::string(reinterpret_cast<const char*>(gif), sizeof gif)), EImageError);
  std::string png = ReadFile(kPictures + "palette.png");
  const unsigned char big[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};
  png.replace(16, 8, reinterpret_cast<const char*>(big), 8);
  EXPECT_THROW(DecodePng(png), EImageError);  // refused before the CRC is even read
}

TEST(PictureDecoders, GifWithALocalColourMapAtAnOffset) {
  // Screen 3 x 2 without a global map; one image of 2 x 1 at (1, 1) with its own map
  // {red, green}; LZW codes (3 bits): clear, 0, 1, end. The image comes at its own size.
  const unsigned char file[] = {
      'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x00, 0, 0,
      0x2C, 1, 0, 1, 0, 2, 0, 1, 0, 0x80,
      255, 0, 0, 0, 255, 0,
      2, 2, 0x44, 0x0A, 0,
      0x3B};
  const Bitmap b = DecodeGif(std::string(reinterpret_cast<const char*>(file), sizeof file));
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 1);
  EXPECT_EQ(b.GetPixel(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(b.GetPixel(1, 0), (Rgb{0, 255, 0}));
}
