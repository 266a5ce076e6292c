#include "wizard/buildrecord.h"

#include "support/samplearchive.h"

#include <gtest/gtest.h>

using namespace wizard;
using assembly::TImageConversionParameters;
using assembly::TMIDLETCONFIG;
using assembly::testing::SampleCatalogue;

namespace {

constexpr int kMotoC650 = 118;   // core 7, icon 1, safe rotation, data size 300000
constexpr int kMotoC353 = 114;   // core 5, forced height 65
constexpr int kSiemens55 = 385;  // core 0
constexpr int kSiemens65 = 386;  // core 1

TMIDLETCONFIG Gather(const RecordControls& c) {
  TMIDLETCONFIG config;
  GatherMidletConfig(c, SampleCatalogue(), config);
  return config;
}

}  // namespace

TEST(GatherMidletConfig, EditionAndStorageFolder) {
  struct Case {
    bool full, zip, lite;
    const char* jsr75;
    int edition;
    const char* stored;
  } cases[] = {
      {true, true, false, "  e:/books \t", 1, "e:/books/"},
      {true, false, false, "e:/books/", 0, "e:/books/"},
      {true, true, false, "   ", 1, ""},
      {false, true, true, "e:/books", 2, ""},   // book editions leave the folder empty
      {false, true, false, "e:/books", 3, ""},
  };
  for (const Case& k : cases) {
    RecordControls c;
    c.FullVersion = k.full;
    c.WithZipSupport = k.zip;
    c.LiteVersion = k.lite;
    c.JSR75Storage = k.jsr75;
    const TMIDLETCONFIG config = Gather(c);
    EXPECT_EQ(config.Edition, k.edition) << k.jsr75;
    EXPECT_EQ(config.JSR75Storage, k.stored) << k.jsr75;
  }
}

TEST(GatherMidletConfig, RowKeysLimitAndLanguage) {
  RecordControls c;
  c.PhoneRow = kMotoC650;
  c.KeysConfig = 13;
  c.JarLimitKB = 100;
  c.InterfaceLanguage = 10;
  const TMIDLETCONFIG config = Gather(c);
  EXPECT_EQ(config.Core, 7);
  EXPECT_EQ(config.Icon, 1);
  EXPECT_EQ(config.KeysConfig, 13);
  EXPECT_EQ(config.JarLimit, 102400);  // the spin edit's value, not the row's 200 KB
  EXPECT_EQ(config.InterfaceLanguage, 10);
}

TEST(GatherMidletConfig, FontSlots) {
  RecordControls c;
  c.Fonts[0] = {2, "5x3we BW", "", true};
  c.Fonts[1] = {0, "None", "/old/custom.fnt", true};  // no font, negative box still counted
  c.Fonts[3] = {1, "Custom... (/type/Big.old.fnt)", "/type/Big.old.fnt", false};
  c.Fonts[4] = {2, "Tah12ru Antialiazed", "", false};
  const TMIDLETCONFIG config = Gather(c);
  EXPECT_EQ(config.FontNames, (std::array<std::string, 5>{"5x3we", "", "", "Big", "Tah12ru_AA"}));
  EXPECT_EQ(config.FontSources, (std::array<std::string, 5>{"ZIP:fonts\\EnglishWE\\5x3we.fnt", "", "",
                                                            "/type/Big.old.fnt", "ZIP:fonts\\Cyrillic\\Tah12ru_AA.fnt"}));
  EXPECT_EQ(config.NegativeFlags, (std::array<uint8_t, 5>{1, 1, 0, 0, 0}));
}

TEST(GatherMidletConfig, HiddenAdvancedOptionsComeFromTheRow) {
  struct Case {
    int row;
    const char* storage;
    const char* fontPath;
    int height, rotation, dataSize;
  } cases[] = {
      {kSiemens55, "a:\\java\\jam\\Tomefalcon\\storage\\", ".", 0, 0, 0},
      {kSiemens65, "", "a:\\Misc\\", 0, 0, 0},
      {kMotoC353, "", "", 65, 0, 0},
      {kMotoC650, "", "", 0, 1, 300000},
  };
  for (const Case& k : cases) {
    RecordControls c;
    c.PhoneRow = k.row;
    // Whatever the hidden controls hold.
    c.DisableCrashRecover = c.BacklightControl = c.ForceHeightOn = c.StoragePathOn = true;
    c.BacklightMethod = 5;
    c.ForceHeight = 300;
    c.StoragePath = "x:\\y";
    c.CustomAttributesOn = true;
    c.CustomAttributes = "A: b";
    const TMIDLETCONFIG config = Gather(c);
    EXPECT_EQ(config.StoragePath, k.storage) << k.row;
    EXPECT_EQ(config.FontPath, k.fontPath) << k.row;
    EXPECT_EQ(config.ForceHeight, k.height) << k.row;
    EXPECT_EQ(config.AlternativeRotation, k.rotation) << k.row;
    EXPECT_EQ(config.MidletDataSize, k.dataSize) << k.row;
    EXPECT_EQ(config.IgnoreCrash, 0);
    EXPECT_EQ(config.LightControl, 0);
    EXPECT_EQ(config.LightControlMethod, 0);
    EXPECT_EQ(config.CustomAttributes, "");
  }
}

TEST(GatherMidletConfig, ShownAdvancedOptionsComeFromTheControls) {
  struct Case {
    bool storageOn;
    const char* storage;
    bool fontOn;
    const char* font;
    const char* wantStorage;
    const char* wantFont;
  } cases[] = {
      {true, "c:\\st", true, ".", "c:\\st\\", "."},
      {true, "c:\\st\\", true, "b:\\fonts", "c:\\st\\", "b:\\fonts\\"},
      {true, "", true, "", "\\", ""},
      {false, "c:\\st", false, "b:\\fonts", "", ""},
  };
  for (const Case& k : cases) {
    RecordControls c;
    c.PhoneRow = kSiemens55;
    c.AdvancedHidden = false;
    c.StoragePathOn = k.storageOn;
    c.StoragePath = k.storage;
    c.FontPathOn = k.fontOn;
    c.FontPath = k.font;
    const TMIDLETCONFIG config = Gather(c);
    EXPECT_EQ(config.StoragePath, k.wantStorage) << k.storage;
    EXPECT_EQ(config.FontPath, k.wantFont) << k.font;
  }

  RecordControls c;
  c.PhoneRow = kMotoC650;
  c.AdvancedHidden = false;
  c.DisableCrashRecover = true;
  c.AlternativeRotation = false;  // the row's flag does not count
  c.BacklightControl = false;
  c.BacklightMethod = 4;          // taken with the box cleared
  c.ForceHeightOn = false;
  c.ForceHeight = 200;
  c.DataSizeOn = true;
  c.DataSize = 40960;
  c.CustomAttributesOn = true;
  c.CustomAttributes = "A: 1\r\nB: 2";
  const TMIDLETCONFIG config = Gather(c);
  EXPECT_EQ(config.IgnoreCrash, 1);
  EXPECT_EQ(config.AlternativeRotation, 0);
  EXPECT_EQ(config.LightControl, 0);
  EXPECT_EQ(config.LightControlMethod, 4);
  EXPECT_EQ(config.ForceHeight, 0);
  EXPECT_EQ(config.MidletDataSize, 40960);
  EXPECT_EQ(config.CustomAttributes, "A: 1\r\nB: 2");
}

TEST(GatherImageParameters, ColoursScalingAndHiddenDefaults) {
  PictureControls c;
  c.AdvancedHidden = false;
  c.Colors64 = false;
  c.Colors16 = true;
  c.ScaleDown = false;
  c.ColorConversion = 0;
  c.IgnoreSmall = false;
  c.IgnoreEmpty = false;
  c.IgnoreNamesOn = true;
  c.IgnoreNames = "ad";
  TImageConversionParameters p;
  GatherImageParameters(c, p);
  EXPECT_EQ(p.Colors, 2);
  EXPECT_EQ(p.MaxWidth, -1);
  EXPECT_EQ(p.MaxHeight, -1);
  EXPECT_EQ(p.Dithering, 0);
  EXPECT_EQ(p.MinWidth, -1);
  EXPECT_EQ(p.MinHeight, -1);
  EXPECT_EQ(p.IgnoreEmpty, 0);
  EXPECT_EQ(p.IgnoreNames, "ad");

  // Hidden options: dithering, 8 x 8, empty pictures and the fixed words, whatever the controls.
  c.AdvancedHidden = true;
  c.IgnoreNamesOn = false;
  GatherImageParameters(c, p);
  EXPECT_EQ(p.Dithering, 1);
  EXPECT_EQ(p.MinWidth, 8);
  EXPECT_EQ(p.MinHeight, 8);
  EXPECT_EQ(p.IgnoreEmpty, 1);
  EXPECT_EQ(p.IgnoreNames, "145x67;banner;counter;top100");

  // The first checked colour button wins; none but "no pictures" gives 0.
  PictureControls d;
  d.DontInclude = true;
  d.Colors64 = false;
  d.MaxWidth = 120;
  d.MaxHeight = 80;
  GatherImageParameters(d, p);
  EXPECT_EQ(p.Colors, 0);
  EXPECT_EQ(p.MaxWidth, 120);
  EXPECT_EQ(p.MaxHeight, 80);
  d.BlackAndWhite = d.Colors256 = true;
  GatherImageParameters(d, p);
  EXPECT_EQ(p.Colors, 1);
}

TEST(IntroTextFromMemo, LinesBecomeParagraphs) {
  EXPECT_EQ(IntroTextFromMemo("A\r\nB"), "A\r\n\r\nB\r\n\r\n");
  EXPECT_EQ(IntroTextFromMemo("  One line \r\n\r\n"), "One line\r\n\r\n");
  EXPECT_EQ(IntroTextFromMemo("   \r\n  \r\n"), "");
  EXPECT_EQ(IntroTextFromMemo(""), "");
}
