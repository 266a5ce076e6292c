#include "assembly/tables.h"

#include "platform/system/codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace assembly;

namespace {
std::string Upper(const char* s) { return platform::UpperCase(s, 1252); }
bool IsFolder(const std::string& s) { return !s.empty() && s.back() == '\\' && s.find('/') == std::string::npos; }
}  // namespace

TEST(ProductTables, CoreFoldersByCoreAndEdition) {
  EXPECT_STREQ(CoreFolders[6 * 4 + 2], "core\\MIDP20_LITE\\");
  EXPECT_STREQ(CoreFolders[9 * 4 + 1], "core\\SX1ZIP\\");
  EXPECT_STREQ(CoreFolders[4 * 4 + 1], "core\\midp10ZIP_backlight\\");
  // Lite and tiny of cores 6, 7 and 8 name the same two folders once case is ignored.
  for (int edition : {2, 3}) {
    EXPECT_EQ(Upper(CoreFolders[6 * 4 + edition]), Upper(CoreFolders[7 * 4 + edition]));
    EXPECT_EQ(Upper(CoreFolders[8 * 4 + edition]), Upper(CoreFolders[7 * 4 + edition]));
  }
  std::set<std::string> distinct;
  for (const char* f : CoreFolders) {
    EXPECT_TRUE(IsFolder(f) && std::string(f).starts_with("core\\")) << f;
    distinct.insert(Upper(f));
  }
  EXPECT_EQ(distinct.size(), 36u);
}

TEST(ProductTables, LanguageFolders) {
  EXPECT_STREQ(LanguageSuffixes[6], "_gr");   // German
  EXPECT_STREQ(LanguageSuffixes[10], "_gk");  // Greek
  EXPECT_STREQ(LanguageNames[9], "English - Arabic");
  for (int lang = 0; lang < kLanguageCount; ++lang) {
    const std::string common = CommonFolders[lang];
    ASSERT_TRUE(IsFolder(common) && common.starts_with("common\\")) << common;
    const std::string name = common.substr(7);  // "ENGLISHCE\" ...
    EXPECT_EQ(CommonFullFolders[lang], "common_FULL\\" + name);
    EXPECT_EQ(HelpFolders[0 * 11 + lang], "Help_FULL\\" + name);
    EXPECT_EQ(HelpFolders[1 * 11 + lang], "Help_FULL\\" + name);
    EXPECT_EQ(HelpFolders[2 * 11 + lang], "Help_LITE\\" + name);
    EXPECT_EQ(HelpFolders[3 * 11 + lang], "Help_TINY\\" + name);
    for (int edition = 0; edition < kEditionCount; ++edition)
      EXPECT_STREQ(ColorFolders[edition * 11 + lang], edition == 1 ? "Color\\" : "") << edition;
    EXPECT_LE(FontGroupByLanguage[lang], 5);
  }
  for (const char* bw : BlackWhiteFolders) EXPECT_STREQ(bw, "BW\\");
}

TEST(ProductTables, KeyLayoutsIconsAndNotes) {
  EXPECT_STREQ(KeysConfigNames[12], "SonyErricsson phones keys config");
  EXPECT_STREQ(KeysConfigDescriptions[12], "SonyErricssonKeysConfigDesc");
  EXPECT_STREQ(KeysConfigNames[13], "Custom keys configuration...");
  EXPECT_STREQ(KeysConfigFiles[13], "");
  EXPECT_STREQ(KeysConfigDescriptions[6], KeysConfigDescriptions[7]);
  for (int k = 0; k < kCustomKeysConfig; ++k)
    EXPECT_TRUE(std::string(KeysConfigFiles[k]).starts_with("KeyConfig\\")) << k;
  std::set<std::string> names(KeysConfigNames.begin(), KeysConfigNames.end());
  EXPECT_EQ(names.size(), 14u);
  EXPECT_STREQ(IconFiles[1], "icon\\15x15\\icon.png");
  EXPECT_STREQ(FileSystemNotes[0], "");
  EXPECT_STREQ(FileSystemNotes[4], "FSSIEMENSS75");
  for (int kind = 1; kind < kFileSystemKindCount; ++kind) EXPECT_EQ(FileSystemHelpContexts[kind], 49 + kind);
}

TEST(ProductTables, CoresAndNegativeSheets) {
  EXPECT_STREQ(ProductVersion, "2.5.2");
  EXPECT_STREQ(CoreNames[6], "Motorola C380_C650_E398_V635");
  EXPECT_STREQ(CoreSuffixes[8], "_midp20_jsr75");
  EXPECT_STREQ(EditionNames[1], "Full, With ZIP support");
  EXPECT_STREQ(ZipSuffixes[1], "_zip");
  EXPECT_EQ(DefaultKeysByCore[9], 11);
  int dataSize = 0;
  for (uint8_t d : DataSizeByCore) dataSize += d;
  EXPECT_EQ(dataSize, 6);
  // A black-and-white font loses its negative sheet for core 7, keeps the choice for core 3.
  EXPECT_EQ(NegativeSetDropTable[0 * 10 + 7], 1);
  EXPECT_EQ(NegativeSetDropTable[0 * 10 + 3], 0);
  int drops = 0;
  for (uint8_t d : NegativeSetDropTable) drops += d;
  EXPECT_EQ(drops, 5);
  for (int type = 1; type < 3; ++type)
    for (int core = 0; core < kCoreCount; ++core) EXPECT_EQ(NegativeSetDropTable[type * 10 + core], 0);
}
