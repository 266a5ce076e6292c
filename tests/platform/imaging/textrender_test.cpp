#include "platform/imaging/textrender.h"

#include "platform/system/codepage.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

const char* const kDejaVu = "/usr/share/fonts/truetype/dejavu";

class TextRenderTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(UsePrivateFontDirs({kDejaVu})); }
  void TearDown() override { SetAnsiCodePage(1252); }

  static std::unique_ptr<TextFont> Make(const std::string& face, int height, int quality,
                                        int charset = ANSI_CHARSET, int weight = 0, bool italic = false) {
    LogFont f;
    f.FaceName = face;
    f.Height = height;
    f.Quality = quality;
    f.Charset = charset;
    f.Weight = weight;
    f.Italic = italic;
    return CreateTextFont(f);
  }

  // Pixels of the character drawn white on black, as 0/1 (1-bit) or the red byte (32-bit).
  static std::vector<int> Draw(TextFont& font, unsigned char code, PixelFormat format, int x = 4) {
    Bitmap b(40, 30, format);
    font.DrawChar(b, x, 0, code, 0xFFFFFF);
    std::vector<int> px;
    for (int y = 0; y < b.Height(); ++y)
      for (int i = 0; i < b.Width(); ++i) px.push_back(b.GetPixel(i, y).Red);
    return px;
  }
};

TEST(CharsetTest, CodePagesOfCharacterSets) {
  SetAnsiCodePage(1250);
  struct Case { int charset; int cp; } cases[] = {
      {ANSI_CHARSET, 1252},      {DEFAULT_CHARSET, 1250},  {EASTEUROPE_CHARSET, 1250},
      {RUSSIAN_CHARSET, 1251},   {GREEK_CHARSET, 1253},    {TURKISH_CHARSET, 1254},
      {HEBREW_CHARSET, 1255},    {ARABIC_CHARSET, 1256},   {BALTIC_CHARSET, 1257},
      {VIETNAMESE_CHARSET, 1258}, {JOHAB_CHARSET, 1361},   {MAC_CHARSET, 10000},
      {OEM_CHARSET, 437},
  };
  for (const Case& c : cases) EXPECT_EQ(CharsetCodePage(c.charset), c.cp) << c.charset;
  SetAnsiCodePage(1251);
  EXPECT_EQ(CharsetCodePage(OEM_CHARSET), 866);
  EXPECT_EQ(CharsetCodePage(DEFAULT_CHARSET), 1251);
  SetAnsiCodePage(1252);
}

TEST(CharsetTest, CodesToUnicodeAndUpperCase) {
  SetAnsiCodePage(1252);
  EXPECT_EQ(CharsetToUnicode(RUSSIAN_CHARSET, 0xC0), U'\u0410');
  EXPECT_EQ(CharsetToUnicode(ANSI_CHARSET, 0xC0), U'\u00C0');
  EXPECT_EQ(CharsetToUnicode(GREEK_CHARSET, 0xC1), U'\u0391');
  EXPECT_EQ(CharsetToUnicode(MAC_CHARSET, 0x80), U'\u00C4');
  EXPECT_EQ(CharsetToUnicode(JOHAB_CHARSET, 'A'), U'A');
  EXPECT_EQ(CharsetToUnicode(JOHAB_CHARSET, 0x80), std::nullopt);
  EXPECT_EQ(CharsetToUnicode(JOHAB_CHARSET, 0xFF), std::nullopt);
  // The set's own letters, whatever the process page: 1252 would make 0xFF into 0x9F.
  EXPECT_EQ(CharsetUpperCase(RUSSIAN_CHARSET, 0xFF), 0xDF);
  EXPECT_EQ(CharsetUpperCase(ANSI_CHARSET, 0xFF), 0x9F);
  EXPECT_EQ(CharsetUpperCase(JOHAB_CHARSET, 'q'), 'Q');
  EXPECT_EQ(CharsetUpperCase(JOHAB_CHARSET, 0xE0), 0xE0);
}

TEST_F(TextRenderTest, ListsOnlyThePrivateFonts) {
  std::vector<std::string> families = ScreenFontFamilies();
  EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
  EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
  EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Serif"), families.end());
  for (const std::string& f : families) EXPECT_EQ(f.rfind("DejaVu", 0), 0u) << f;
}

TEST(FamilyOrderTest, SortedAsReadersLookNamesUpIgnoringCase) {
  SetAnsiCodePage(1252);
  struct Case {
    std::vector<std::string> names, sorted;
  } cases[] = {
      {{"Z003", "icomoon", "DejaVu Sans", "URW Gothic", "aharoni"},
       {"aharoni", "DejaVu Sans", "icomoon", "URW Gothic", "Z003"}},
      // Equal but for case: byte order between them.
      {{"abc", "ABC", "Abd", "aBc"}, {"ABC", "aBc", "abc", "Abd"}},
      // Letters of the code page (0xE9 small e acute, 0xC9 its capital), after the ASCII ones.
      {{"\xE9"
        "tude",
        "\xC9"
        "cole",
        "Zeta", "\xC9t\xE9"},
       {"Zeta",
        "\xC9"
        "cole",
        "\xE9"
        "tude",
        "\xC9t\xE9"}},
      // A shorter name that begins another comes first.
      {{"Noto Sans Mono", "noto sans"}, {"noto sans", "Noto Sans Mono"}},
  };
  for (Case& c : cases) {
    SortFamilyNames(c.names);
    EXPECT_EQ(c.names, c.sorted);
  }
}

TEST(FamilyOrderTest, InstalledListIgnoresCase) {
  // A face whose family name is in small letters, beside two capitalised ones.
  const testing_support::TempDir tmp;
  std::string mono = testing_support::ReadFile(std::string(kDejaVu) + "/DejaVuSansMono.ttf");
  auto rename = [&mono](const std::string& from, const std::string& to) {
    for (std::size_t at = mono.find(from); at != std::string::npos; at = mono.find(from, at + 1))
      mono.replace(at, from.size(), to);
  };
  auto utf16 = [](const std::string& s) {
    std::string w;
    for (char c : s) w += std::string(1, '\0') + c;
    return w;
  };
  rename("DejaVu Sans Mono", "dejavu sans mono");
  rename(utf16("DejaVu Sans Mono"), utf16("dejavu sans mono"));
  std::ofstream(tmp.Path() / "mono.ttf", std::ios::binary) << mono;
  for (const char* f : {"DejaVuSans.ttf", "DejaVuSerif.ttf"})
    std::filesystem::copy_file(std::string(kDejaVu) + "/" + f, tmp.Path() / f);
  ASSERT_TRUE(UsePrivateFontDirs({tmp.Path().string()}));
  EXPECT_EQ(ScreenFontFamilies(), (std::vector<std::string>{"DejaVu Sans", "dejavu sans mono", "DejaVu Serif"}));
  ASSERT_TRUE(UsePrivateFontDirs({kDejaVu}));
}

TEST_F(TextRenderTest, SubstituteFamilyIsAFailure) {
  EXPECT_EQ(Make("Arial", 12, ANTIALIASED_QUALITY), nullptr);
  EXPECT_EQ(Make("", 12, ANTIALIASED_QUALITY), nullptr);
  EXPECT_EQ(Make("DejaVu Sans", 0, ANTIALIASED_QUALITY), nullptr);
  EXPECT_NE(Make("dejavu sans", 12, ANTIALIASED_QUALITY), nullptr);
}

TEST_F(TextRenderTest, CellHeightIsTheRequestedHeight) {
  for (int q : {NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY}) {
    for (int h = 5; h <= 24; ++h) {
      auto font = Make("DejaVu Sans", h, q);
      ASSERT_NE(font, nullptr);
      EXPECT_EQ(font->TextExtent('W').Cy, h);
      EXPECT_GT(font->TextExtent('W').Cx, 0);
    }
  }
}

TEST_F(TextRenderTest, WidthsAddUpAndInkStaysInItsBox) {
  for (int q : {ANTIALIASED_QUALITY, CLEARTYPE_QUALITY}) {
    for (const char* face : {"DejaVu Sans", "DejaVu Serif"}) {
      auto font = Make(face, 20, q, ANSI_CHARSET, 0, true);
      ASSERT_NE(font, nullptr);
      for (unsigned char code : {'f', 'j', 'W', 'A', ' '}) {
        ABC abc;
        ASSERT_TRUE(font->CharABCWidths(code, abc));
        EXPECT_EQ(abc.AbcA + abc.AbcB + abc.AbcC, font->TextExtent(code).Cx) << code;
        Bitmap b(60, 24, PixelFormat::pf32bit);
        const int x = 20;
        font->DrawChar(b, x, 0, code, 0xFFFFFF);
        for (int y = 0; y < b.Height(); ++y)
          for (int i = 0; i < b.Width(); ++i) {
            Rgb p = b.GetPixel(i, y);
            if (p.Red | p.Green | p.Blue) {
              // Grey ink stays in the black box; the subpixel filter's fringe may reach into
              // the rest of the character's cell, never past it.
              const int left = q == CLEARTYPE_QUALITY ? std::min(abc.AbcA, 0) : abc.AbcA;
              const int right = abc.AbcA + abc.AbcB + (q == CLEARTYPE_QUALITY ? std::max(abc.AbcC, 0) : 0);
              EXPECT_GE(i, x + left) << face << " " << code;
              EXPECT_LT(i, x + right) << face << " " << code;
            }
          }
      }
    }
  }
  // An italic f of the serif face reaches left of its origin.
  auto serif = Make("DejaVu Serif", 20, ANTIALIASED_QUALITY, ANSI_CHARSET, 0, true);
  ABC f;
  serif->CharABCWidths('f', f);
  EXPECT_LT(f.AbcA, 0);
}

TEST_F(TextRenderTest, MonochromeInkStaysInTheMeasuredCell) {
  // The measured box comes from grey rendering; 1-bit drawing must not leave the character's
  // columns: its box and its advance (a mark put back may reach past the box).
  for (bool italic : {false, true}) {
    for (int h = 5; h <= 24; h += 3) {
      auto font = Make("DejaVu Serif", h, ANTIALIASED_QUALITY, ANSI_CHARSET, 0, italic);
      for (int code = 32; code < 256; ++code) {
        ABC abc;
        font->CharABCWidths(static_cast<unsigned char>(code), abc);
        Bitmap b(64, 24, PixelFormat::pf1bit);
        font->DrawChar(b, 16, 0, static_cast<unsigned char>(code), 0xFFFFFF);
        for (int y = 0; y < b.Height(); ++y)
          for (int x = 0; x < b.Width(); ++x)
            if (b.GetIndex(x, y)) {
              ASSERT_GE(x, 16 + std::min(abc.AbcA, 0)) << h << " " << code;
              ASSERT_LT(x, 16 + std::max(abc.AbcA + abc.AbcB, abc.AbcA + abc.AbcB + abc.AbcC)) << h << " " << code;
            }
      }
    }
  }
}

TEST_F(TextRenderTest, RussianSetDrawsCyrillicLetters) {
  auto ru = Make("DejaVu Sans", 16, ANTIALIASED_QUALITY, RUSSIAN_CHARSET);
  auto we = Make("DejaVu Sans", 16, ANTIALIASED_QUALITY, ANSI_CHARSET);
  // U+0410 has the shape of the Latin A; 0xC0 of the Western set is an A with grave accent.
  EXPECT_EQ(Draw(*ru, 0xC0, PixelFormat::pf32bit), Draw(*we, 'A', PixelFormat::pf32bit));
  EXPECT_NE(Draw(*we, 0xC0, PixelFormat::pf32bit), Draw(*we, 'A', PixelFormat::pf32bit));
  EXPECT_NE(Draw(*ru, 0xC4, PixelFormat::pf32bit), Draw(*we, 0xC4, PixelFormat::pf32bit));
}

TEST_F(TextRenderTest, RenderingKinds) {
  auto aa = Make("DejaVu Sans", 16, ANTIALIASED_QUALITY);
  auto ct = Make("DejaVu Sans", 16, CLEARTYPE_QUALITY);
  auto bw = Make("DejaVu Sans", 16, NONANTIALIASED_QUALITY);
  auto countGrey = [](const std::vector<int>& px) {
    return std::count_if(px.begin(), px.end(), [](int v) { return v != 0 && v != 255; });
  };
  // 1-bit surfaces are always monochrome.
  for (auto* f : {aa.get(), ct.get(), bw.get()}) {
    auto px = Draw(*f, 'e', PixelFormat::pf1bit);
    EXPECT_EQ(countGrey(px), 0);
    EXPECT_GT(std::count(px.begin(), px.end(), 255), 10);
  }
  EXPECT_EQ(countGrey(Draw(*bw, 'e', PixelFormat::pf32bit)), 0);
  EXPECT_GT(countGrey(Draw(*aa, 'e', PixelFormat::pf32bit)), 5);

  // Grey antialiasing keeps the channels equal; subpixel rendering colours the edges.
  auto fringes = [](TextFont& f) {
    Bitmap b(40, 30, PixelFormat::pf32bit);
    f.DrawChar(b, 4, 0, 'l', 0xFFFFFF);
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y).Red != b.GetPixel(x, y).Blue;
    return n;
  };
  EXPECT_EQ(fringes(*aa), 0);
  EXPECT_GT(fringes(*ct), 0);
}

TEST_F(TextRenderTest, OpaqueBackgroundFillsTheCell) {
  auto font = Make("DejaVu Sans", 12, ANTIALIASED_QUALITY);
  Bitmap b(32, 24, PixelFormat::pf1bit);
  b.Fill(Rgb{0, 0, 0});
  font->DrawChar(b, 0, 0, ' ', 0x000000, true, 0xFFFFFF);
  const int adv = font->TextExtent(' ').Cx;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x)
      EXPECT_EQ(b.GetIndex(x, y), x < adv && y < 12 ? 1 : 0) << x << "," << y;
}

TEST_F(TextRenderTest, SynthesisedBoldAndOblique) {
  // The math face has no bold or italic of its own.
  const std::string face = "DejaVu Math TeX Gyre";
  auto regular = Make(face, 20, ANTIALIASED_QUALITY);
  auto bold = Make(face, 20, ANTIALIASED_QUALITY, ANSI_CHARSET, 700);
  auto italic = Make(face, 20, ANTIALIASED_QUALITY, ANSI_CHARSET, 0, true);
  ASSERT_TRUE(regular && bold && italic);
  auto ink = [](const std::vector<int>& px) {
    long s = 0;
    for (int v : px) s += v;
    return s;
  };
  EXPECT_GT(ink(Draw(*bold, 'H', PixelFormat::pf32bit)), ink(Draw(*regular, 'H', PixelFormat::pf32bit)) * 11 / 10);
  EXPECT_NE(Draw(*italic, 'H', PixelFormat::pf32bit), Draw(*regular, 'H', PixelFormat::pf32bit));
  // A family with its own bold face uses it.
  EXPECT_NE(Make("DejaVu Sans", 20, ANTIALIASED_QUALITY, ANSI_CHARSET, 700), nullptr);
}

TEST_F(TextRenderTest, ProcessFontFiles) {
  ASSERT_TRUE(UsePrivateFontDirs({}));
  EXPECT_TRUE(ScreenFontFamilies().empty());
  const std::string file = std::string(kDejaVu) + "/DejaVuSansMono.ttf";
  EXPECT_TRUE(AddFontResource(file));
  auto families = ScreenFontFamilies();
  EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans Mono"), families.end());
  EXPECT_NE(Make("DejaVu Sans Mono", 10, ANTIALIASED_QUALITY), nullptr);
  EXPECT_FALSE(AddFontResource("/nonexistent/font.ttf"));
  EXPECT_TRUE(RemoveFontResource(file));
  EXPECT_FALSE(RemoveFontResource(file));
  EXPECT_TRUE(ScreenFontFamilies().empty());
  EXPECT_EQ(Make("DejaVu Sans Mono", 10, ANTIALIASED_QUALITY), nullptr);
  ASSERT_TRUE(UsePrivateFontDirs({kDejaVu}));
}

TEST_F(TextRenderTest, RemovingAProcessFontKeepsThePrivateFolders) {
  const testing_support::TempDir tmp;
  const std::filesystem::path& dir = tmp.Path();
  std::filesystem::copy_file(std::string(kDejaVu) + "/DejaVuSerif.ttf", dir / "DejaVuSerif.ttf",
                             std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(UsePrivateFontDirs({dir.string()}));
  const std::string file = std::string(kDejaVu) + "/DejaVuSansMono.ttf";
  ASSERT_TRUE(AddFontResource(file));
  ASSERT_TRUE(RemoveFontResource(file));
  const auto families = ScreenFontFamilies();
  EXPECT_EQ(families, std::vector<std::string>{"DejaVu Serif"});
  EXPECT_NE(Make("DejaVu Serif", 12, ANTIALIASED_QUALITY), nullptr);
  ASSERT_TRUE(UsePrivateFontDirs({kDejaVu}));
}

}  // namespace
}  // namespace platform
