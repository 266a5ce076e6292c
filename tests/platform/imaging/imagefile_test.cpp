#include "platform/imaging/imagefile.h"
#include "platform/imaging/picturedecoder.h"
#include "support/craftedpictures.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

using namespace platform;
using testing_support::ProgressiveGreyJpeg;
using testing_support::ReadFile;
using testing_support::ScreenGif;

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
  if (ext == "gif") return TGifDecoder().Decode(data);
  if (ext == "png") return TPngDecoder().Decode(data);
  return TJpegDecoder().Decode(data);
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
        worst = std::max({worst, std::abs(p.Red - r[0]), std::abs(p.Green - r[1]), std::abs(p.Blue - r[2])});
      }
    EXPECT_LE(worst, c.tolerance);
  }
  // Transparent parts are white.
  const Bitmap gif = TGifDecoder().Decode(ReadFile(kPictures + "transparent.gif"));
  EXPECT_EQ(gif.GetPixel(39, 29), (Rgb{255, 255, 255}));
  EXPECT_EQ(gif.GetPixel(20, 15), (Rgb{255, 0, 0}));
  const Bitmap png = TPngDecoder().Decode(ReadFile(kPictures + "transparent.png"));
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
  EXPECT_THROW(TPngDecoder().Decode(png), EImageError);
}

TEST(PictureDecoders, RefuseSizesBeyondTheBounds) {
  const struct {
    std::uint64_t width, height;
    std::size_t fileSize;
    std::uint64_t perByte;
    bool refused;
  } cases[] = {
      {10001, 10000, 1u << 30, kPngPixelsPerFileByte, true},  // above 100 megapixels
      {10000, 10000, 1u << 30, kPngPixelsPerFileByte, false},
      {5000, 5000, 100, kPngPixelsPerFileByte, true},  // far beyond a 100-byte file
      {1000, 1000, 121, kPngPixelsPerFileByte, true},  // 8256 pixels a byte: 121 bytes hold 998976
      {1000, 1000, 122, kPngPixelsPerFileByte, false},
      {1000, 1000, 122, kGifPixelsPerFileByte, true},
      {1000, 1000, 245, kGifPixelsPerFileByte, false},   // 4096 a byte
      {1000, 1000, 1953, kJpegPixelsPerFileByte, true},  // 512 a byte: one bit per 8 x 8 block
      {1000, 1000, 1954, kJpegPixelsPerFileByte, false},
      {0, 5, 100, kPngPixelsPerFileByte, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " in " << c.fileSize << " bytes");
    if (c.refused) EXPECT_THROW(CheckPictureSize(c.width, c.height, c.fileSize, c.perByte), EImageError);
    else EXPECT_NO_THROW(CheckPictureSize(c.width, c.height, c.fileSize, c.perByte));
  }

  // Declared sizes in real headers: a GIF image of 65535 x 65535 and a PNG of 60000 x 60000.
  const unsigned char gif[] = {'G',  'I',  'F',  '8',  '9', 'a', 1,   0,    1,    0, 0x80, 0,
                               0,    0,    0,    0,    255, 255, 255, 0x2C, 0,    0, 0,    0,
                               0xFF, 0xFF, 0xFF, 0xFF, 0,   2,   2,   0x44, 0x01, 0, 0x3B};
  EXPECT_THROW(TGifDecoder().Decode(std::string(reinterpret_cast<const char*>(gif), sizeof gif)), EImageError);
  std::string png = ReadFile(kPictures + "palette.png");
  const unsigned char big[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};
  png.replace(16, 8, reinterpret_cast<const char*>(big), 8);
  EXPECT_THROW(TPngDecoder().Decode(png), EImageError);  // refused before the CRC is even read
}

TEST(PictureDecoders, GifWithALocalColourMapAtAnOffset) {
  // Screen 3 x 2 without a global map; one image of 2 x 1 at (1, 1) with its own map
  // {red, green}; LZW codes (3 bits): clear, 0, 1, end. The image keeps its place on the
  // white screen.
  const unsigned char file[] = {
      'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x00, 0, 0,
      0x2C, 1, 0, 1, 0, 2, 0, 1, 0, 0x80,
      255, 0, 0, 0, 255, 0,
      2, 2, 0x44, 0x0A, 0,
      0x3B};
  const Bitmap b = TGifDecoder().Decode(std::string(reinterpret_cast<const char*>(file), sizeof file));
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  const Rgb white{255, 255, 255};
  EXPECT_EQ(b.GetPixel(0, 0), white);
  EXPECT_EQ(b.GetPixel(1, 0), white);
  EXPECT_EQ(b.GetPixel(2, 0), white);
  EXPECT_EQ(b.GetPixel(0, 1), white);
  EXPECT_EQ(b.GetPixel(1, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(b.GetPixel(2, 1), (Rgb{0, 255, 0}));
}

TEST(PictureDecoders, GifImageSitsOnItsWhiteScreen) {
  const Bitmap b = TGifDecoder().Decode(ScreenGif(100, 80, 30, 40, 40, 20));
  ASSERT_EQ(b.Width(), 100);
  ASSERT_EQ(b.Height(), 80);
  const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
  const struct {
    int x, y;
    Rgb colour;
  } cases[] = {
      {0, 0, white},   {99, 79, white}, {29, 40, white}, {70, 40, white}, {30, 39, white},
      {30, 60, white}, {50, 10, white}, {30, 40, red},   {31, 40, green}, {32, 40, blue},
      {33, 40, white}, {34, 40, red},   {30, 41, blue},  {31, 41, white}, {69, 59, green},
      {68, 59, red},   {69, 40, white}, {0, 79, white},  {99, 50, white},
  };
  for (const auto& c : cases) EXPECT_EQ(b.GetPixel(c.x, c.y), c.colour) << c.x << "," << c.y;
  // Every pixel outside the image is white.
  int notWhite = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x)
      if ((x < 30 || x >= 70 || y < 40 || y >= 60) && b.GetPixel(x, y) != white) ++notWhite;
  EXPECT_EQ(notWhite, 0);
}

TEST(PictureDecoders, GifScreensBeyondTheLimitsAreRefused) {
  // 65535 x 65535 is beyond the pixel limit; 10000 x 10000 is within it but needs more than
  // the whole memory budget; a screen of no size takes the image's extent.
  EXPECT_THROW(TGifDecoder().Decode(ScreenGif(65535, 65535, 0, 0, 2, 2)), EImageError);
  EXPECT_THROW(TGifDecoder().Decode(ScreenGif(10000, 10000, 0, 0, 2, 2)), EImageError);
  const Bitmap b = TGifDecoder().Decode(ScreenGif(0, 0, 1, 2, 2, 1));
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.GetPixel(1, 2), (Rgb{255, 0, 0}));
  EXPECT_EQ(b.GetPixel(2, 2), (Rgb{0, 255, 0}));
  EXPECT_EQ(b.GetPixel(0, 0), (Rgb{255, 255, 255}));
}

TEST(PictureDecoders, ProgressiveJpegMustCarryTheDcOfEveryBlock) {
  // 256 x 256 grey: 1024 blocks, so a DC scan needs at least 128 bytes.
  const struct {
    const char* name;
    int width, height, dcBytes, acBytes;
    const char* refusal;  // nullptr: decoded
  } cases[] = {
      {"DC for every block", 256, 256, 128, 4, nullptr},
      {"no DC scan", 256, 256, -1, 4, "Progressive JPEG picture without the data of its pixels"},
      {"DC scan short of its blocks", 256, 256, 100, 4, "Progressive JPEG picture without the data of its pixels"},
      {"10000 x 10000 in AC codes alone", 10000, 10000, -1, 6700, "Picture too large"},
      // 7200 x 7200 with its DC: bitmap and coefficients need more than the whole budget.
      {"beyond the memory budget", 7200, 7200, 810000 / 8, 200, "Picture too large for the memory of the conversion"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = ProgressiveGreyJpeg(c.width, c.height, c.dcBytes, c.acBytes);
    if (c.refusal != nullptr) {
      try {
        TJpegDecoder().Decode(file);
        ADD_FAILURE() << "decoded";
      } catch (const EImageError& e) {
        EXPECT_STREQ(e.what(), c.refusal);
      }
      continue;
    }
    const Bitmap b = TJpegDecoder().Decode(file);
    ASSERT_EQ(b.Width(), c.width);
    ASSERT_EQ(b.Height(), c.height);
    for (const auto& [x, y] : {std::pair{0, 0}, {255, 255}, {100, 37}})
      EXPECT_EQ(b.GetPixel(x, y), (Rgb{128, 128, 128}));
  }
}
