// The sample resource archive beside the programs holds every name the builds look up.
#include "support/samplearchive.h"
#include "assembly/archivecopy.h"
#include "assembly/fontcatalogue.h"
#include "assembly/midlettexts.h"
#include "assembly/tables.h"
#include "assembly/utils.h"

#include <gtest/gtest.h>

#include <set>

using namespace assembly;
using assembly::testing::SampleArchive;

namespace {

// Entries under a folder, found the way the folder copy finds them.
int EntriesUnder(const std::string& folder) {
  TZipFile copy;
  CopyArchiveFolder(SampleArchive(), folder, "x/", copy);
  return copy.Count();
}

uint32_t ReadU32BE(const std::string& b, std::size_t at) {
  return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
         uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

}  // namespace

TEST(SampleArchive, HoldsEveryNamedFolderAndFile) {
  for (const char* f : CoreFolders) {
    EXPECT_GT(EntriesUnder(f), 0) << f;
    const std::string text = SampleArchive().ReadEntryData(FindArchiveEntry(SampleArchive(), std::string(f) + "CORE-NOT-INCLUDED.txt"));
    EXPECT_NE(text.find("not included"), std::string::npos) << f;
  }
  for (int lang = 0; lang < kLanguageCount; ++lang) {
    EXPECT_GT(EntriesUnder(CommonFolders[lang]), 0) << lang;
    EXPECT_GT(EntriesUnder(CommonFullFolders[lang]), 0) << lang;
  }
  for (const char* f : HelpFolders) EXPECT_EQ(EntriesUnder(f), 1) << f;
  for (const char* f : BlackWhiteFolders) EXPECT_GT(EntriesUnder(f), 0) << f;
  for (const char* f : ColorFolders) {
    if (*f) {
      EXPECT_GT(EntriesUnder(f), 0) << f;
    }
  }
  for (int k = 0; k < kCustomKeysConfig; ++k) {
    const TextLines layout = SplitLines(ReadArchiveEntry(SampleArchive(), KeysConfigFiles[k]));
    EXPECT_GE(layout.size(), 8u) << KeysConfigFiles[k];
    for (const std::string& line : layout) EXPECT_NE(line.find(": "), std::string::npos) << line;
  }
  for (const char* icon : IconFiles) {
    const std::string png = ReadArchiveEntry(SampleArchive(), icon);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const int side = icon == std::string(IconFiles[0]) ? 14 : 15;
    EXPECT_EQ(ReadU32BE(png, 16), uint32_t(side)) << icon;  // IHDR width
    EXPECT_EQ(ReadU32BE(png, 20), uint32_t(side)) << icon;
  }
  for (const char* name : {"pat\\j2mex.pat", "Doc\\English\\Version Differences.txt"})
    EXPECT_FALSE(ReadArchiveEntry(SampleArchive(), name).empty()) << name;
  for (const TFontDesc& d : FontCatalogueEntries())
    EXPECT_GE(LookupArchiveEntry(SampleArchive(), d.EntryName), 0) << d.EntryName;
}

TEST(SampleArchive, TemplatesCarryTheKeysTheBuildsWrite) {
  for (const char* name : {"core\\Tomefalcon.jad", "core\\manifest.mf"}) {
    std::set<std::string> keys;
    for (const std::string& line : SplitLines(ReadArchiveEntry(SampleArchive(), name)))
      keys.insert(line.substr(0, line.find(": ") + 2));
    for (const char* key : {"MIDlet-1: ", "MIDlet-Name: ", "MIDlet-Vendor: ", "MIDlet-Version: ",
                            "MIDlet-Jar-URL: ", "MicroEdition-Profile: ", "MicroEdition-Configuration: "})
      EXPECT_TRUE(keys.contains(key)) << name << " " << key;
    EXPECT_EQ(keys.contains("MIDlet-Jar-Size: "), name == std::string("core\\Tomefalcon.jad")) << name;
  }
}
