#include "assembly/fontcatalogue.h"

#include "assembly/archivecopy.h"
#include "assembly/fontfile.h"
#include "assembly/zipfile.h"
#include "support/samplearchive.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <set>

using namespace assembly;
using assembly::testing::SampleArchive;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

std::string SmallFont(uint8_t type, std::string negative = "negative") {
  FontFile f;
  f.Height = 6;
  f.Type = type;
  f.Sheet = "positive sheet";
  f.NegativeSheet = std::move(negative);
  return WriteFontFile(f);
}

}  // namespace

TEST(FontCatalogue, ListsTheArchiveFontsInOrder) {
  TFontCatalogue cat;
  BuildFontCatalogue(SampleArchive(), cat);
  ASSERT_EQ(cat.Count, 150);

  const TFontDesc& first = cat.Entries[0];
  EXPECT_EQ(first.DisplayName, "5x3ce BW");
  EXPECT_EQ(first.EntryName, "fonts\\EnglishCE\\5x3ce.fnt");
  EXPECT_EQ(first.FontType, 0);
  const TFontDesc& last = cat.Entries[149];
  EXPECT_EQ(last.DisplayName, "Verd13gk ClearType");
  EXPECT_EQ(last.EntryName, "fonts\\Greek\\Verd13gk_CT.fnt");
  EXPECT_EQ(last.FontType, 2);

  // Scheme fonts (90) before face fonts (60), 25 per group; display names are unique.
  int perGroup[6] = {};
  std::set<std::string> names;
  for (int i = 0; i < cat.Count; ++i) {
    const TFontDesc& d = cat.Entries[i];
    ++perGroup[d.LanguageGroup];
    names.insert(d.DisplayName);
    const bool face = i >= 90;
    EXPECT_EQ(face, d.EntryName.find("_AA.") != std::string::npos ||
                        d.EntryName.find("_CT.") != std::string::npos) << d.EntryName;
    // Sizes as the archive holds them.
    const std::string data = ReadArchiveEntry(SampleArchive(), d.EntryName);
    EXPECT_EQ(d.WholeSize, int32_t(data.size())) << d.EntryName;
    EXPECT_EQ(d.PositiveSize, int32_t(ReadU32LE(data, 2))) << d.EntryName;
    EXPECT_LT(d.PositiveSize, d.WholeSize) << d.EntryName;
    EXPECT_EQ(GetFontTypeByte(data) & 0x7F, d.FontType) << d.EntryName;
    EXPECT_TRUE(CheckFontBytes(data).empty()) << d.EntryName;
  }
  for (int n : perGroup) EXPECT_EQ(n, 25);
  EXPECT_EQ(names.size(), 150u);

  // Mapped names: Hebrew 6x3 and the Greek sizes and faces of the same font.
  EXPECT_EQ(cat.Entries[FindFontDesc(cat, "David12hb Aqua")].EntryName,
            "fonts\\Hebrew\\David12hb_Aqua.fnt");
  EXPECT_EQ(cat.Entries[FindFontDesc(cat, "Arial15gk Yellow")].EntryName,
            "fonts\\Greek\\Arial15gk_Yel.fnt");
  EXPECT_EQ(cat.Entries[FindFontDesc(cat, "Arial15gk BW")].EntryName, "fonts\\Greek\\Arial15gk.fnt");
  EXPECT_EQ(cat.Entries[FindFontDesc(cat, "Arial15gk Antialiazed")].EntryName,
            "fonts\\Greek\\Arial15gk_AA.fnt");
  EXPECT_EQ(cat.Entries[FindFontDesc(cat, "Verd13we ClearType")].EntryName,
            "fonts\\EnglishWE\\Verd13we_CT.fnt");
  EXPECT_THROW(FindFontDesc(cat, "verd13we ClearType"), std::logic_error);
  EXPECT_THROW(FindFontDesc(cat, "No such font"), std::logic_error);
}

TEST(FontCatalogue, MissingOrBrokenArchiveFontStopsTheCatalogue) {
  TZipFile archive;
  TFontCatalogue cat;
  EXPECT_THROW(BuildFontCatalogue(archive, cat), EBuildError);
  AddJarEntry(archive, "fonts/EnglishCE/5x3ce.fnt", "\x01\x34");
  try {
    GetFontEntrySize(archive, "fonts\\EnglishCE\\5x3ce.fnt", true);
    ADD_FAILURE() << "a font too short for its length field must be refused";
  } catch (const EBuildError& e) {
    EXPECT_NE(std::string(e.what()).find("5x3ce.fnt"), std::string::npos);
  }
}

TEST(FontCatalogue, SlotFontBytes) {
  TempDir dir;
  TZipFile archive;
  const std::string zipFont = SmallFont(1);
  AddJarEntry(archive, "fonts/EnglishWE/6x3we_Aqua.fnt", zipFont);
  const std::string fileFont = SmallFont(2);
  WriteFile(dir.File("mine.fnt"), fileFont);

  TMIDLETCONFIG c;
  c.FontNames = {"6x3we_Aqua", "", "mine", "zip", "broken"};
  c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we_Aqua.fnt", "ZIP:fonts\\x.fnt", dir.File("mine.fnt"),
                   "zip:fonts\\EnglishWE\\6x3we_Aqua.fnt", dir.File("broken.fnt")};
  EXPECT_EQ(GetFontData(archive, c, 1), zipFont);
  EXPECT_EQ(GetFontData(archive, c, 2), "");  // no name: no font, whatever the source
  EXPECT_EQ(GetFontData(archive, c, 3), fileFont);

  auto failure = [&](int slot) {
    try {
      GetFontData(archive, c, slot);
    } catch (const EBuildError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  // "zip:" in lower case is a file path, and there is no such file.
  EXPECT_NE(failure(4).find("zip:fonts"), std::string::npos);
  // A malformed custom font is refused with its file name.
  std::string bad = fileFont;
  bad[2] = char(0xFF);
  WriteFile(dir.File("broken.fnt"), bad);
  EXPECT_NE(failure(5).find("broken.fnt"), std::string::npos);
  WriteFile(dir.File("broken.fnt"), fileFont.substr(0, 100));
  EXPECT_NE(failure(5).find("broken.fnt"), std::string::npos);
}

namespace {

// A font whose two sheets have these lengths; the sheets are filler, the structure sound.
std::string FontWithSheets(std::size_t first, std::size_t second) {
  FontFile f;
  f.Height = 12;
  f.Sheet.assign(first, 'p');
  f.NegativeSheet.assign(second, 'n');
  return WriteFontFile(f);
}

// GetFontData's refusal of the slot's custom file, or "" when it takes it.
std::string FontFault(const std::string& path) {
  TZipFile archive;
  TMIDLETCONFIG c;
  c.FontNames[1] = "mine";
  c.FontSources[1] = path;
  try {
    GetFontData(archive, c, 2);
  } catch (const EBuildError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

// A custom font is checked by its signature and by the largest size a font can have (two
// sheets of 255 rows of 200 pixels: 269791 bytes each at most) before it is read whole.
TEST(FontCatalogue, CustomFontFilesAreCheckedBeforeTheyAreReadWhole) {
  TempDir dir;
  WriteFile(dir.File("zeros.fnt"), "");
  std::filesystem::resize_file(dir.File("zeros.fnt"), 2ull << 30);  // sparse: 2 GB of nothing
  WriteFile(dir.File("huge.fnt"), FontWithSheets(10, 10));
  std::filesystem::resize_file(dir.File("huge.fnt"), 2ull << 30);
  WriteFile(dir.File("largest.fnt"), FontWithSheets(269791, 269791));
  WriteFile(dir.File("too large.fnt"), FontWithSheets(269791, 269792));
  const struct {
    const char* file;
    const char* fault;  // after "cannot be used: "; "" when taken
  } cases[] = {
      {"zeros.fnt", "not a font file"},
      {"huge.fnt", "the font file is larger than any font can be"},
      {"largest.fnt", ""},
      {"too large.fnt", "the font file is larger than any font can be"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = dir.File(c.file);
    const std::string expected =
        *c.fault ? "The font \"" + path + "\" cannot be used: " + c.fault + "." : std::string();
    EXPECT_EQ(FontFault(path), expected);
  }

  // The two 2 GB files cost the process far less than their size.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool refused = !FontFault(dir.File("zeros.fnt")).empty() && !FontFault(dir.File("huge.fnt")).empty();
    _exit(refused ? 0 : 1);
  }
  int status = 0;
  struct rusage usage {};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::printf("peak memory of checking two 2 GB font files: %ld MB\n", usage.ru_maxrss / 1024);
  EXPECT_LT(usage.ru_maxrss, 200L * 1024L);  // KB
}

TEST(FontCatalogue, CutNegativeSheet) {
  std::string font = SmallFont(0);
  const std::string positive = font.substr(0, ReadU32LE(font, 2));
  CutNegativeSheet(font);
  EXPECT_EQ(font, positive);
  CutNegativeSheet(font);  // already without its negative set: unchanged
  EXPECT_EQ(font, positive);
  EXPECT_TRUE(CheckFontBytes(font).empty());
  EXPECT_EQ(GetFontTypeByte(font), 0);
  std::string tiny = "\x01\x34";
  CutNegativeSheet(tiny);  // never lengthened, never read past the end
  EXPECT_EQ(tiny, "\x01\x34");
  EXPECT_EQ(GetFontTypeByte(tiny), 0);
}
