// Small files that declare huge pictures: each is refused or converted in bounded memory, and
// every message names the picture.
#include "assembly/booktext.h"
#include "assembly/picture.h"
#include "platform/imaging/picturedecoder.h"
#include "support/craftedpictures.h"
#include "support/recordinghost.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <vector>

using namespace assembly;
using testing_support::ProgressiveGreyJpeg;
using testing_support::ScreenGif;
using testing_support::TempDir;
using testing_support::TruncatedGif;
using testing_support::TruncatedPng;
using testing_support::WriteFile;

namespace {

const std::string kPictures = std::string(QW_TEST_DATA) + "/pictures/";

// An RGBA PNG written by libpng itself; pixel (x, y) is colour(x, y).
template <class Colour>
std::string WritePng(int w, int h, bool interlaced, Colour colour) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), n);
      },
      nullptr);
  png_set_compression_level(png, 6);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGBA,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  std::vector<png_byte> row(static_cast<std::size_t>(w) * 4);
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::array<png_byte, 4> c = colour(x, y);
        std::copy(c.begin(), c.end(), row.begin() + x * 4);
      }
      png_write_row(png, row.data());
    }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A progressive colour JPEG written by libjpeg itself, one colour all over.
std::string WriteProgressiveJpeg(int w, int h) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(w) * 3);
  for (std::size_t i = 0; i < row.size(); i += 3) row[i] = 200, row[i + 1] = 40, row[i + 2] = 90;
  JSAMPROW rows[1] = {row.data()};
  while (cinfo.next_scanline < cinfo.image_height) jpeg_write_scanlines(&cinfo, rows, 1);
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

// A GIF whose screen is 10000 x 10000 and whose one image is a single red pixel.
std::string HugeScreenGif() {
  return std::string(
      "GIF89a\x10\x27\x10\x27\x80\x00\x00\xFF\x00\x00\xFF\xFF\xFF"
      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
      35);
}

// A real PNG with a tEXt chunk declaring 0x7FFFFFF0 bytes after its header; the file ends soon.
std::string TextBombPng() {
  std::ifstream f(kPictures + "palette.png", std::ios::binary);
  std::string png{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  const std::string chunk("\x7F\xFF\xFF\xF0tEXtComment\0bomb", 20);
  return png.substr(0, 33) + chunk + std::string(60, 'x');
}

TImageConversionParameters Params() {
  TImageConversionParameters p;
  p.Colors = 3;
  p.MaxWidth = 96;
  p.MaxHeight = 64;
  return p;
}

constexpr int kBig = 6000;  // 36 megapixels: over 250 MB each for the old decoders

}  // namespace

TEST(HostilePictures, AreRefusedOrConvertedNamingThePicture) {
  TempDir dir;
  const auto solid = [](int, int) { return std::array<png_byte, 4>{10, 200, 30, 255}; };
  enum Outcome { Converted, Refused, Raised };  // Refused: a message; Raised: the PNG's error
  const struct {
    std::string name, data;
    Outcome outcome;
    int width, height;  // of the converted picture
  } cases[] = {
      {"text bomb.png", TextBombPng(), Raised, 0, 0},
      {"screen.gif", HugeScreenGif(), Refused, 0, 0},  // its screen needs more than the budget
      {"wide screen.gif", ScreenGif(65535, 65535, 0, 0, 2, 2), Refused, 0, 0},
      {"framed.gif", ScreenGif(300, 200, 250, 150, 40, 20), Converted, 96, 64},
      {"interlaced.png", WritePng(kBig, kBig, true, solid), Converted, 64, 64},  // width first, then height
      {"progressive.jpg", WriteProgressiveJpeg(kBig, kBig / 2), Converted, 96, 48},
      {"no dc.jpg", ProgressiveGreyJpeg(10000, 10000, -1, 6700), Refused, 0, 0},
      {"thin dc.jpg", ProgressiveGreyJpeg(2048, 2048, 1000, 40), Refused, 0, 0},
      {"over budget.jpg", ProgressiveGreyJpeg(7200, 7200, 810000 / 8, 200), Refused, 0, 0},
      // Cut off after 6.5 KB: beyond what the file can hold, or within it and broken.
      {"truncated bomb.gif", TruncatedGif(10000, 10000, 17000), Refused, 0, 0},
      {"truncated.gif", TruncatedGif(2000, 2000, 17000), Refused, 0, 0},
      {"truncated bomb.png", TruncatedPng(10000, 10000, 6500, 30010000), Raised, 0, 0},
      {"truncated.png", TruncatedPng(1000, 1000, 6500, 3001000), Raised, 0, 0},
  };
  EXPECT_LT(cases[0].data.size(), 120u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    WriteFile(path, c.data);
    assembly::testing::RecordingHost host;
    std::string png;
    try {
      EXPECT_EQ(ConvertImage(path, png, Params(), host), c.outcome == Converted);
      EXPECT_NE(c.outcome, Raised);
      EXPECT_EQ(host.messages.size(), c.outcome == Refused ? 1u : 0u);
      if (c.outcome != Converted) continue;
      ASSERT_GT(png.size(), 24u);
      const platform::Bitmap back = platform::TPngDecoder().Decode(png);
      EXPECT_EQ(back.Width(), c.width);
      EXPECT_EQ(back.Height(), c.height);
    } catch (const platform::EImageError& e) {
      EXPECT_EQ(c.outcome, Raised) << e.what();
      const std::string text = e.what();
      EXPECT_TRUE(text.starts_with("Broken PNG picture: ") || text.starts_with("Picture too large in ")) << text;
      EXPECT_TRUE(text.ends_with(" in \"" + path + "\"")) << text;
    }
    for (const auto& m : host.messages) EXPECT_EQ(m.text, "Unable to load image: " + path);
  }
}

TEST(HostilePictures, InterlacedRgbaComesOutAsThePlainOne) {
  // Every pixel its own colour and alpha, over sizes that leave passes empty.
  const auto pattern = [](int x, int y) {
    return std::array<png_byte, 4>{static_cast<png_byte>(x * 37 + y), static_cast<png_byte>(y * 11),
                                   static_cast<png_byte>(x ^ y), static_cast<png_byte>((x * 7 + y * 13) % 256)};
  };
  for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {5, 9}, {17, 23}}) {
    SCOPED_TRACE(::testing::Message() << w << " x " << h);
    const platform::Bitmap plain = platform::TPngDecoder().Decode(WritePng(w, h, false, pattern));
    const platform::Bitmap interlaced = platform::TPngDecoder().Decode(WritePng(w, h, true, pattern));
    ASSERT_EQ(interlaced.Width(), w);
    ASSERT_EQ(interlaced.Height(), h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::array<png_byte, 4> c = pattern(x, y);
        // Over white, by hand: c * a + 255 * (255 - a), rounded.
        const auto over = [&](unsigned v) {
          return static_cast<std::uint8_t>((v * c[3] + 255u * (255u - c[3]) + 127u) / 255u);
        };
        EXPECT_EQ(interlaced.GetPixel(x, y), (platform::Rgb{over(c[0]), over(c[1]), over(c[2])})) << x << "," << y;
        EXPECT_EQ(plain.GetPixel(x, y), interlaced.GetPixel(x, y));
      }
  }
}

namespace {

// Converts the pictures of the book on eight threads in a child process; its exit status is
// 0 when `pictures` were converted and each message names one of the `refused` files, and
// `peakKB` its peak memory.
void ConvertBookInChild(const std::string& book, std::size_t pictures, const std::vector<std::string>& refused,
                        long& peakKB) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    assembly::testing::RecordingHost host;
    TPictureList list;
    const TImageConversionParameters params = Params();
    const HostedPictureConverter convert = [&](const std::string& path, std::string& png, BuildHost& h) {
      return ConvertImage(path, png, params, h);
    };
    try {
      LoadTextFiles(host, {book}, false, list, convert, 8);
    } catch (...) {
      _exit(3);
    }
    std::vector<std::string> named;
    for (const auto& m : host.messages) named.push_back(m.text);
    std::vector<std::string> expected;
    for (const std::string& f : refused) expected.push_back("Unable to load image: " + f);
    std::sort(named.begin(), named.end());
    std::sort(expected.begin(), expected.end());
    _exit(list.size() == pictures && named == expected ? 0 : 4);
  }
  int status = 0;
  struct rusage usage {};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  peakKB = usage.ru_maxrss;
}

}  // namespace

// The pictures of a book are converted on all cores at once; eight copies of each hostile
// picture must stay within a gigabyte for the whole process.
TEST(HostilePictures, ABookOfEightOfEachStaysUnderAGigabyte) {
  TempDir dir;
  const auto solid = [](int, int) { return std::array<png_byte, 4>{10, 200, 30, 128}; };
  const std::pair<std::string, std::string> kinds[] = {
      {".gif", HugeScreenGif()},
      {".png", WritePng(kBig, kBig, true, solid)},
      {".jpg", WriteProgressiveJpeg(kBig, kBig)},
  };
  std::string html = "<html><body>";
  for (const auto& [ext, data] : kinds)
    for (int i = 0; i < 8; ++i) {
      const std::string name = "p" + std::to_string(i) + ext;
      WriteFile(dir.File(name), data);
      html += "<p>picture <img src=\"" + name + "\"></p>";
    }
  WriteFile(dir.File("book.htm"), html + "</body></html>");
  // The screen GIFs are refused, each with its name: their screens need more than the budget.
  std::vector<std::string> refused;
  for (int i = 0; i < 8; ++i) refused.push_back(dir.File("p" + std::to_string(i) + ".gif"));
  long peakKB = 0;
  ConvertBookInChild(dir.File("book.htm"), 16, refused, peakKB);
  std::printf("peak memory of the book's pictures: %ld MB\n", peakKB / 1024);
  EXPECT_LT(peakKB, 1024L * 1024L);
}

// Eight small progressive files declaring 10000 x 10000 with AC codes alone, and eight that
// carry their DC data for 1500 x 1500 pixels: the first are refused at once, the others fit.
TEST(HostilePictures, ABookOfEightProgressiveJpegBombsStaysUnder400MB) {
  TempDir dir;
  std::string html = "<html><body>";
  std::vector<std::string> refused;
  for (int i = 0; i < 8; ++i) {
    const std::string bomb = "bomb" + std::to_string(i) + ".jpg", dc = "dc" + std::to_string(i) + ".jpg";
    WriteFile(dir.File(bomb), ProgressiveGreyJpeg(10000, 10000, -1, 6700));
    WriteFile(dir.File(dc), ProgressiveGreyJpeg(1500, 1500, 188 * 188 / 8 + 1, 8));
    refused.push_back(dir.File(bomb));
    html += "<p><img src=\"" + bomb + "\"> and <img src=\"" + dc + "\"></p>";
  }
  WriteFile(dir.File("book.htm"), html + "</body></html>");
  long peakKB = 0;
  ConvertBookInChild(dir.File("book.htm"), 8, refused, peakKB);
  std::printf("peak memory of the book's progressive pictures: %ld MB\n", peakKB / 1024);
  EXPECT_LT(peakKB, 400L * 1024L);
}
