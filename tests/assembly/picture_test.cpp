#include "assembly/picture.h"
#include "assembly/colorreduce.h"
#include "platform/system/codepage.h"
#include "platform/imaging/picturedecoder.h"
#include "platform/imaging/png.h"
#include "support/recordinghost.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace assembly;
using assembly::testing::RecordingHost;
using platform::Bitmap;
using platform::PixelFormat;
using platform::Rgb;
using testing_support::ReadFile;

namespace {

const std::string kPictures = std::string(QW_TEST_DATA) + "/pictures/";

// The texts of the messages shown, in order.
std::vector<std::string> MessageTexts(const RecordingHost& host) {
  std::vector<std::string> texts;
  for (const RecordingHost::Message& m : host.messages) texts.push_back(m.text);
  return texts;
}

struct Header {
  int width, height, depth, colourType;
};

Header ReadHeader(const std::string& png) {
  auto u32 = [&](std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(png.data() + at);
    return static_cast<int>((std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
  };
  if (png.size() < 33) return {0, 0, 0, 0};
  return {u32(16), u32(20), static_cast<unsigned char>(png[24]), static_cast<unsigned char>(png[25])};
}

// The picture settings with the advanced options shown and nothing skipped.
TImageConversionParameters Settings(std::uint8_t colors, int maxW = -1, int maxH = -1, std::uint8_t dither = 0) {
  TImageConversionParameters p;
  p.Colors = colors;
  p.MaxWidth = maxW;
  p.MaxHeight = maxH;
  p.Dithering = dither;
  return p;
}

// As the window gathers them with the advanced options hidden.
TImageConversionParameters HiddenDefaults(std::uint8_t colors) {
  TImageConversionParameters p = Settings(colors, -1, -1, 1);
  p.MinWidth = p.MinHeight = 8;
  p.IgnoreEmpty = 1;
  p.IgnoreNames = "145x67;banner;counter;top100";
  return p;
}

std::string RunCommand(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int rc = pclose(p);
    if (rc != 0) out += "\nexit status " + std::to_string(rc);
  }
  return out;
}

// A 24-bit picture saved as PNG (through our own encoder at 8 bits when it has few colours).
std::string SavePicture(const testing_support::TempDir& dir, const std::string& name, const Bitmap& b) {
  const std::string path = dir.File(name);
  testing_support::WriteFile(path, platform::EncodePalettePng(ReducePictureColors(b, 7, 0, 8)));
  return path;
}

}  // namespace

namespace {

// Converts every test picture under every colour, dither and size setting into `dir`, checking
// each; `allFiles` gets the quoted paths written and `listing` the width, height and bit depth
// of each, one line each.
void ConvertEveryKind(const testing_support::TempDir& dir, std::string& allFiles, std::string& listing) {
  const char* files[] = {"rose.jpg", "rose_progressive.jpg", "rose_grey.jpg", "rose_cmyk.jpg", "logo.gif",
                         "logo_interlaced.gif", "transparent.gif", "transparent.png", "grey16.png",
                         "grey_alpha.png", "interlaced.png", "palette.png", "rgb.png"};
  struct Setting {
    std::uint8_t colors;
    int depth;
    int paletteMax;
  };
  const Setting settings[] = {{1, 1, 2}, {2, 4, 16}, {3, 8, 64}, {4, 8, 256}};
  int n = 0;
  for (const char* file : files)
    for (const Setting& s : settings)
      for (std::uint8_t dither : {0, 1})
        for (auto [mw, mh] : {std::pair{-1, -1}, {50, 20}}) {
          SCOPED_TRACE(std::string(file) + " colors " + std::to_string(s.colors) + " dither " +
                       std::to_string(dither) + " max " + std::to_string(mw));
          RecordingHost host;
          std::string png;
          ASSERT_TRUE(ConvertImage(kPictures + file, png, Settings(s.colors, mw, mh, dither), host));
          EXPECT_TRUE(host.messages.empty());
          const Bitmap source = platform::TPngDecoder().Decode(png);  // decodable, any format
          const Header h = ReadHeader(png);
          EXPECT_EQ(h.depth, s.depth);
          EXPECT_EQ(h.colourType, 3);
          // Expected size: the source's, fitted width first.
          const std::string original = ReadFile(kPictures + file);
          const std::string ext = std::string(file).substr(std::string(file).rfind('.') + 1);
          const Bitmap in = ext == "gif"   ? platform::TGifDecoder().Decode(original)
                            : ext == "png" ? platform::TPngDecoder().Decode(original)
                                           : platform::TJpegDecoder().Decode(original);
          int w = in.Width(), ht = in.Height();
          if (mw != -1 && w > mw) { ht = ht * mw / w; w = mw; }
          if (mh != -1 && ht > mh) { w = w * mh / ht; ht = mh; }
          EXPECT_EQ(h.width, w);
          EXPECT_EQ(h.height, ht);
          EXPECT_EQ(source.Width(), w);
          const std::string out = dir.File("out" + std::to_string(n++) + ".png");
          testing_support::WriteFile(out, png);
          allFiles += " '" + out + "'";
          listing += std::to_string(w) + "x" + std::to_string(ht) + " " + std::to_string(s.depth) + "\n";
        }
}

}  // namespace

TEST(ConvertImage, EveryKindOfPictureUnderEverySetting) {
  testing_support::TempDir dir;
  std::string allFiles, listing;
  ConvertEveryKind(dir, allFiles, listing);
}

// Other tools agree: pngcheck accepts every file, identify sees the sizes and depths.
TEST(ConvertImage, EveryKindOfPicturePassesPngcheck) {
  QW_REQUIRE_TOOL("pngcheck");
  testing_support::TempDir dir;
  std::string allFiles, listing;
  ASSERT_NO_FATAL_FAILURE(ConvertEveryKind(dir, allFiles, listing));
  const std::string check = RunCommand("pngcheck -q" + allFiles + " 2>&1");
  EXPECT_EQ(check, "") << check;
}

TEST(ConvertImage, EveryKindOfPictureHasItsSizeAndDepthForIdentify) {
  QW_REQUIRE_TOOL("identify");
  testing_support::TempDir dir;
  std::string allFiles, listingExpected;
  ASSERT_NO_FATAL_FAILURE(ConvertEveryKind(dir, allFiles, listingExpected));
  const std::string listing = RunCommand("identify -format '%wx%h %[png:IHDR.bit-depth-orig]\\n'" + allFiles + " 2>&1");
  EXPECT_EQ(listing, listingExpected);
}

TEST(ConvertImage, ScalingWidthFirst) {
  testing_support::TempDir dir;
  struct Case {
    int w, h, maxW, maxH, outW, outH;
  };
  const Case cases[] = {
      {300, 200, 100, 100, 100, 66}, {200, 300, 100, 100, 66, 100}, {100, 50, 100, 100, 100, 50},
      {300, 200, -1, -1, 300, 200},  {300, 200, 150, -1, 150, 100}, {300, 200, -1, 50, 75, 50},
      // Flat pictures keep at least one pixel instead of failing.
      {1000, 2, 100, 100, 100, 1},   {2, 1000, 100, 100, 1, 100},
  };
  for (const Case& c : cases) {
    Bitmap b(c.w, c.h, PixelFormat::pf24bit);
    b.Fill({200, 30, 30});
    b.SetPixel(0, 0, {0, 0, 0});
    const std::string path = SavePicture(dir, "p.png", b);
    RecordingHost host;
    std::string png;
    ASSERT_TRUE(ConvertImage(path, png, Settings(3, c.maxW, c.maxH), host)) << c.w << "x" << c.h;
    const Header h = ReadHeader(png);
    EXPECT_EQ(h.width, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h.height, c.outH) << c.w << "x" << c.h;
    EXPECT_TRUE(host.messages.empty());
  }
}

// Only -1 means "no limit": a largest size of 0 or below is refused before any scaling (a
// 300 x 40 picture scaled to a height of 0 would otherwise be divided by it).
TEST(ConvertImage, LargestSizeBelowOneIsRefused) {
  testing_support::TempDir dir;
  Bitmap b(300, 40, PixelFormat::pf24bit);
  b.Fill({200, 30, 30});
  b.SetPixel(0, 0, {0, 0, 0});
  const std::string path = SavePicture(dir, "flat.png", b);
  struct Case {
    int maxW, maxH;
    bool refused;
  };
  const Case cases[] = {{-5, -5, true}, {0, 0, true},    {-5, 64, true}, {96, 0, true},
                        {96, -2, true}, {-1, -1, false}, {1, 1, false},  {-1, 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.maxW) + " x " + std::to_string(c.maxH));
    RecordingHost host;
    std::string png;
    if (c.refused) {
      EXPECT_THROW(ConvertImage(path, png, Settings(3, c.maxW, c.maxH), host), std::invalid_argument);
      EXPECT_THROW(CheckLargestPictureSize(Settings(3, c.maxW, c.maxH)), std::invalid_argument);
      EXPECT_TRUE(png.empty());
    } else {
      EXPECT_NO_THROW(CheckLargestPictureSize(Settings(3, c.maxW, c.maxH)));
      ASSERT_TRUE(ConvertImage(path, png, Settings(3, c.maxW, c.maxH), host));
      const Header h = ReadHeader(png);
      EXPECT_GE(h.width, 1);
      EXPECT_GE(h.height, 1);
    }
  }
}

TEST(ConvertImage, SkippedPicturesGiveNoMessage) {
  testing_support::TempDir dir;
  Bitmap photo(40, 40, PixelFormat::pf24bit);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) photo.SetPixel(x, y, {static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 6), 90});
  const std::string normal = SavePicture(dir, "photo.png", photo);
  RecordingHost host;
  std::string png;
  // No pictures wanted: not even a missing file is opened.
  EXPECT_FALSE(ConvertImage(dir.File("missing.gif"), png, Settings(0), host));
  // Skipped by name, in any case; an empty word between two ";" matches nothing.
  EXPECT_FALSE(ConvertImage(SavePicture(dir, "Top_BANNER_1.png", photo), png, HiddenDefaults(2), host));
  EXPECT_FALSE(ConvertImage(SavePicture(dir, "mycounter.png", photo), png, HiddenDefaults(2), host));
  TImageConversionParameters words = Settings(2);
  words.IgnoreNames = "zzz;;qqq";
  EXPECT_TRUE(ConvertImage(normal, png, words, host));
  words.IgnoreNames = "zzz;;PHOTO";
  EXPECT_FALSE(ConvertImage(normal, png, words, host));
  // The folder does not count, only the file name.
  const std::string inBannerFolder = SavePicture(dir, "banner/ok.png", photo);
  EXPECT_TRUE(ConvertImage(inBannerFolder, png, HiddenDefaults(2), host));
  // Smaller than the smallest size.
  Bitmap thin(7, 40, PixelFormat::pf24bit);
  thin.Fill({10, 200, 10});
  thin.SetPixel(3, 3, {0, 0, 0});
  EXPECT_FALSE(ConvertImage(SavePicture(dir, "thin.png", thin), png, HiddenDefaults(3), host));
  EXPECT_TRUE(ConvertImage(dir.File("thin.png"), png, Settings(3), host));
  // Mostly one colour: a white picture with a thin black frame (396 of 10000 pixels).
  Bitmap frame(100, 100, PixelFormat::pf24bit);
  frame.Fill({255, 255, 255});
  for (int i = 0; i < 100; ++i) {
    frame.SetPixel(i, 0, {0, 0, 0});
    frame.SetPixel(i, 99, {0, 0, 0});
    frame.SetPixel(0, i, {0, 0, 0});
    frame.SetPixel(99, i, {0, 0, 0});
  }
  for (std::uint8_t colors : {1, 2, 3, 4}) {
    EXPECT_FALSE(ConvertImage(SavePicture(dir, "frame.png", frame), png, HiddenDefaults(colors), host));
    EXPECT_TRUE(ConvertImage(dir.File("frame.png"), png, Settings(colors), host));
  }
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.terminateRequests, 0);
}

TEST(ConvertImage, TheConverterUsesStuckiAndFloydSteinberg) {
  testing_support::TempDir dir;
  Bitmap grad(32, 8, PixelFormat::pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x) grad.SetPixel(x, y, {static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 30)});
  const std::string pngPath = SavePicture(dir, "grad.png", grad);
  const Bitmap loaded = platform::TPngDecoder().Decode(ReadFile(pngPath));
  RecordingHost host;
  struct Case {
    std::uint8_t colors, dither, mode, ditherMode;
    int bits;
  };
  for (const Case& c : {Case{1, 1, 4, 2, 8}, Case{1, 0, 4, 0, 8}, Case{2, 1, 7, 1, 4}, Case{3, 1, 7, 1, 6},
                        Case{4, 0, 7, 0, 8}}) {
    std::string png;
    ASSERT_TRUE(ConvertImage(pngPath, png, Settings(c.colors, -1, -1, c.dither), host));
    const Bitmap got = platform::TPngDecoder().Decode(png);
    const Bitmap want = ReducePictureColors(loaded, c.mode, c.ditherMode, c.bits);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_EQ(got.GetPixel(x, y), want.GetPixel(x, y)) << int(c.colors) << " " << x << "," << y;
  }
}

TEST(ConvertImage, TransparentPartsBecomeWhite) {
  RecordingHost host;
  for (const char* file : {"transparent.gif", "transparent.png"}) {
    std::string png;
    ASSERT_TRUE(ConvertImage(kPictures + file, png, Settings(4), host));
    const Bitmap b = platform::TPngDecoder().Decode(png);
    EXPECT_EQ(b.GetPixel(39, 29), (Rgb{255, 255, 255})) << file;
    EXPECT_EQ(b.GetPixel(20, 15), (Rgb{255, 0, 0})) << file;
  }
}

namespace {

struct PictureFile {
  std::string name, data;
};

// Pictures the loader cannot read: broken, cut short, too large or named as another format.
std::vector<PictureFile> UnloadablePictures() {
  const std::string gif = ReadFile(kPictures + "logo.gif"), jpg = ReadFile(kPictures + "rose.jpg");
  // One white pixel declared as an image of 65535 x 65535.
  const std::string hugeGif(
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF"
      "\x2C\x00\x00\x00\x00\xFF\xFF\xFF\xFF\x00\x02\x02\x44\x01\x00\x3B",
      35);
  return {
      {"broken.gif", "GIF89a nonsense"},
      {"cut.gif", gif.substr(0, gif.size() / 2)},
      {"broken.jpg", "\xFF\xD8\xFF garbage"},
      {"cut.jpeg", jpg.substr(0, jpg.size() / 2)},
      {"huge.gif", hugeGif},
      {"gif_named.jpg", gif},
      {"empty.gif", ""},
  };
}

// PNG pictures the decoder cannot read.
std::vector<PictureFile> UndecodablePngs() {
  const std::string jpg = ReadFile(kPictures + "rose.jpg"), png = ReadFile(kPictures + "rgb.png");
  std::string hugePng = ReadFile(kPictures + "palette.png");
  const unsigned char big[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};  // 60000 x 60000
  hugePng.replace(16, 8, reinterpret_cast<const char*>(big), 8);
  return {
      {"broken.png", "\x89PNG\r\n\x1a\n junk"},
      {"cut.png", png.substr(0, png.size() / 2)},
      {"empty.PNG", ""},
      {"huge.png", hugePng},
      {"jpeg_named.png", jpg},
  };
}

}  // namespace

TEST(ConvertImage, LoadFailures) {
  testing_support::TempDir dir;
  for (const PictureFile& c : UnloadablePictures()) {
    const std::string path = dir.File(c.name);
    testing_support::WriteFile(path, c.data);
    RecordingHost host;
    std::string out;
    EXPECT_FALSE(ConvertImage(path, out, Settings(2), host)) << c.name;
    ASSERT_EQ(host.messages.size(), 1u) << c.name;
    EXPECT_EQ(host.messages[0].text, "Unable to load image: " + path);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(host.terminateRequests, 1) << c.name;
    EXPECT_TRUE(out.empty());
  }
  // A PNG picture that cannot be decoded raises the decoder's own error; nothing is shown here
  // and the program is not asked to end.
  for (const PictureFile& c : UndecodablePngs()) {
    const std::string path = dir.File(c.name);
    testing_support::WriteFile(path, c.data);
    RecordingHost host;
    std::string out;
    try {
      ConvertImage(path, out, Settings(2), host);
      ADD_FAILURE() << c.name << " was converted";
    } catch (const platform::EImageError& e) {
      const std::string what = e.what();
      EXPECT_TRUE(what.starts_with("Broken PNG picture: ") || what == "Picture too large") << c.name << ": " << what;
    }
    EXPECT_TRUE(host.messages.empty()) << c.name;
    EXPECT_EQ(host.terminateRequests, 0) << c.name;
    EXPECT_TRUE(out.empty());
  }

  // An unsupported ending is reported, and the build goes on.
  RecordingHost host;
  std::string out;
  EXPECT_FALSE(ConvertImage(dir.File("picture.bmp"), out, Settings(2), host));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Unsupported image format: " + dir.File("picture.bmp"));
  EXPECT_EQ(host.messages[0].caption, "Error");
  EXPECT_EQ(host.terminateRequests, 0);
}

namespace {

// Runs with a process code page and restores the one before.
class CodePageScope {
public:
  explicit CodePageScope(int cp) : saved_(platform::AnsiCodePage()) { platform::SetAnsiCodePage(cp); }
  ~CodePageScope() { platform::SetAnsiCodePage(saved_); }
  CodePageScope(const CodePageScope&) = delete;
  CodePageScope& operator=(const CodePageScope&) = delete;

private:
  int saved_;
};

}  // namespace

TEST(ConvertImage, MessagesNameNonAsciiFoldersInTheCodePage) {
  testing_support::TempDir dir;
  struct Case {
    int cp;
    std::string folder;  // UTF-8, as the file system writes it
    std::string shown;   // the same in the code page
  };
  const Case cases[] = {
      {1251, "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8", "\xCA\xED\xE8\xE3\xE8"},  // Книги
      {1252, "Caf\xC3\xA9 cr\xC3\xA8me", "Caf\xE9 cr\xE8me"},                      // Café crème
      {1250, "\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xA3\xF3\x64\x9F"},                  // Łódź
  };
  for (const Case& c : cases) {
    CodePageScope scope(c.cp);
    const std::string broken = dir.File(c.folder + "/broken.gif");
    testing_support::WriteFile(broken, "GIF89a nonsense");
    RecordingHost host;
    std::string out;
    EXPECT_FALSE(ConvertImage(broken, out, Settings(2), host));
    EXPECT_FALSE(ConvertImage(dir.File(c.folder + "/picture.bmp"), out, Settings(2), host));
    const std::string folder = dir.Path().string() + "/" + c.shown;
    EXPECT_EQ(MessageTexts(host), (std::vector<std::string>{"Unable to load image: " + folder + "/broken.gif",
                                                            "Unsupported image format: " + folder + "/picture.bmp"}));
  }
}

TEST(ConvertImage, IgnoreWordsMeetNonAsciiNamesInTheCodePage) {
  testing_support::TempDir dir;
  Bitmap photo(40, 40, PixelFormat::pf24bit);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      photo.SetPixel(x, y, {static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 6), 90});
  CodePageScope scope(1251);
  TImageConversionParameters params = Settings(2);
  params.IgnoreNames = "\xF0\xE5\xEA\xEB\xE0\xEC\xE0;banner";  // реклама;banner in Windows-1251
  struct Case {
    std::string name;  // UTF-8
    bool stored;
  };
  const Case cases[] = {
      {"\xD1\x80\xD0\xB5\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xBC\xD0\xB0.png", false},    // реклама.png
      {"\xD0\xA0\xD0\x95\xD0\x9A\xD0\x9B\xD0\x90\xD0\x9C\xD0\x90_2.png", false},  // РЕКЛАМА_2.png
      {"BANNER1.png", false},
      {"\xD0\xBA\xD0\xBE\xD1\x82.png", true},      // кот.png
      {"\xC5\x81\xC3\xB3\x64\xC5\xBA.png", true},  // Łódź.png: no 1251 letters
  };
  for (const Case& c : cases) {
    RecordingHost host;
    std::string png;
    EXPECT_EQ(ConvertImage(SavePicture(dir, c.name, photo), png, params, host), c.stored) << c.name;
    EXPECT_TRUE(host.messages.empty());
  }
}
