#include "assembly/midlettexts.h"

#include "assembly/archivecopy.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "support/recordinghost.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

using namespace assembly;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

const char* const kTemplate =
    "MIDlet-1: X, /res/icon.png, MIDlet1\r\n"
    "MIDlet-Name: Old\r\n"
    "MIDlet-Name: Second\r\n"
    "\r\n"
    "MIDlet-Vendor: V\r\n"
    "MIDlet-Version: 1.0\r\n"
    "MIDlet-Jar-Size: 0\r\n"
    "MIDlet-Jar-URL:old.jar\r\n"
    "MIDlet-Jar-URL: x.jar\r\n"
    "MicroEdition-Profile: MIDP-2.0\r\n";

// As the builds store a text: the operation applied, then the empty lines deleted.
std::string Jad(const TMIDLETCONFIG& c, const BuildInputs& in, const std::string& name, int part,
                const std::string& title, const std::string& url, int64_t size) {
  TextLines lines = SplitLines(kTemplate);
  WriteJad(lines, c, in, name, part, title, url, size);
  RemoveEmptyLines(lines);
  return JoinLines(lines);
}

std::string Config(const std::string& keys, const TMIDLETCONFIG& c, const BuildInputs& in,
                   int part, const std::string& title) {
  TextLines lines = SplitLines(keys);
  const assembly::testing::FakeTexts texts(std::map<std::string, std::string>{{"Chapter", "Chapter"}});
  WriteConfig(lines, c, in, texts, part, title);
  RemoveEmptyLines(lines);
  return JoinLines(lines);
}

}  // namespace

TEST(MidletTexts, JadGoldenTexts) {
  BuildInputs in;
  in.Vendor = "ACME Books";

  TMIDLETCONFIG motorola;
  motorola.Core = 6;
  motorola.Edition = 1;
  motorola.KeysConfig = 7;
  motorola.InterfaceLanguage = 4;
  EXPECT_EQ(Jad(motorola, in, "Tomefalcon", 0, "", "reader.jar", 12345),
            "MIDlet-1: Tomefalcon, /res/icon.png, MIDlet1\r\n"
            "MIDlet-Name: Tomefalcon\r\n"
            "MIDlet-Name: Second\r\n"  // only the first line of a key is replaced
            "MIDlet-Vendor: ACME Books\r\n"
            "MIDlet-Version: 2.5.2\r\n"
            "MIDlet-Jar-Size: 12345\r\n"
            "MIDlet-Jar-URL:old.jar\r\n"  // no blank after the colon: not the key
            "MIDlet-Jar-URL: reader.jar\r\n"
            "MicroEdition-Profile: MIDP-2.0\r\n"
            "Build: Motorola C380_C650_E398_V635, Full, With ZIP support, Motorola phones keys "
            "config 3, Russian\r\n"
            "FlipInsensitive: True\r\n");

  TMIDLETCONFIG nokia;
  nokia.Core = 2;
  nokia.Edition = 2;
  nokia.KeysConfig = 13;
  nokia.InterfaceLanguage = 6;
  nokia.MidletDataSize = 65536;
  EXPECT_EQ(Jad(nokia, in, "SeaTales07", 12, "Sea Tales, Book 1", "SeaTales07.jar", 0),
            "MIDlet-1: SeaTales07, /res/icon.png, MIDlet1\r\n"
            "MIDlet-Name: SeaTales07\r\n"
            "MIDlet-Name: Second\r\n"
            "MIDlet-Vendor: ACME Books\r\n"
            "MIDlet-Version: 2.5.2\r\n"
            "MIDlet-Jar-Size: 0\r\n"  // size 0 (the manifest) leaves the line as it is
            "MIDlet-Jar-URL:old.jar\r\n"
            "MIDlet-Jar-URL: SeaTales07.jar\r\n"
            "MicroEdition-Profile: MIDP-2.0\r\n"
            "Build: Nokia MIDP1.0, Lite, Custom keys configuration..., German\r\n"
            "BookTitle: SeaTales\r\n"
            "BookPart: Chapter 12\r\n"
            "MIDlet-Data-Size: 65536\r\n");
}

TEST(MidletTexts, CustomAttributesFollowTheOtherLines) {
  TMIDLETCONFIG c;
  c.Core = 6;
  c.CustomAttributes = "Nokia-MIDlet-Category: Application\r\n\r\nMIDlet-Icon: /res/icon.png\n";
  TextLines lines = SplitLines(kTemplate);
  WriteJad(lines, c, BuildInputs{}, "T", 0, "", "T.jar", 1);
  AppendCustomAttributes(lines, c);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "FlipInsensitive: True");
  EXPECT_EQ(lines[lines.size() - 2], "Nokia-MIDlet-Category: Application");
  EXPECT_EQ(lines.back(), "MIDlet-Icon: /res/icon.png");
}

TEST(MidletTexts, CustomAttributesReplaceLinesOfTheirName) {
  const TextLines jad = {"MIDlet-1: T, /res/icon.png, MIDlet1",
                         "MIDlet-Name: T",
                         "MIDlet-Vendor: V",
                         "MIDlet-Jar-Size: 1234",
                         "MIDlet-Jar-URL: T.jar",
                         "MIDlet-Icon: /res/icon.png",
                         "Build: b"};
  struct Case {
    const char* name;
    const char* custom;
    TextLines expected;
  };
  const Case cases[] = {
      {"a repeated name and a new key",
       "MIDlet-Icon: /res/big.png\r\nX-Shelf: Novels\r\n",
       {"MIDlet-1: T, /res/icon.png, MIDlet1", "MIDlet-Name: T", "MIDlet-Vendor: V", "MIDlet-Jar-Size: 1234",
        "MIDlet-Jar-URL: T.jar", "MIDlet-Icon: /res/big.png", "Build: b", "X-Shelf: Novels"}},
      {"the JAR's size and place stay the build's own",
       "MIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: http://elsewhere/x.jar\r\nMIDlet-Jar-URL:x.jar\r\n", jad},
      // The manifest carries the build's name, vendor and version: the JAD must agree with it.
      {"name, vendor and version stay the build's own",
       "MIDlet-Name: Sea Tales\r\nMIDlet-Vendor : Me\r\nMIDlet-Version: 9.9\r\nX-Shelf: Novels\r\n",
       {"MIDlet-1: T, /res/icon.png, MIDlet1", "MIDlet-Name: T", "MIDlet-Vendor: V", "MIDlet-Jar-Size: 1234",
        "MIDlet-Jar-URL: T.jar", "MIDlet-Icon: /res/icon.png", "Build: b", "X-Shelf: Novels"}},
      {"a name given twice: the later value, in the template's place",
       "X-Shelf: Novels\r\nMIDlet-Icon: /res/a.png\r\nX-Shelf: Poems\r\nMIDlet-Icon : /res/b.png\r\n",
       {"MIDlet-1: T, /res/icon.png, MIDlet1", "MIDlet-Name: T", "MIDlet-Vendor: V", "MIDlet-Jar-Size: 1234",
        "MIDlet-Jar-URL: T.jar", "MIDlet-Icon : /res/b.png", "Build: b", "X-Shelf: Poems"}},
      {"names differing in case are different names; a line without a colon is appended",
       "midlet-name: lower\r\njust words\r\n",
       {"MIDlet-1: T, /res/icon.png, MIDlet1", "MIDlet-Name: T", "MIDlet-Vendor: V", "MIDlet-Jar-Size: 1234",
        "MIDlet-Jar-URL: T.jar", "MIDlet-Icon: /res/icon.png", "Build: b", "midlet-name: lower", "just words"}},
  };
  for (const Case& t : cases) {
    TMIDLETCONFIG c;
    c.CustomAttributes = t.custom;
    TextLines lines = jad;
    AppendCustomAttributes(lines, c);
    EXPECT_EQ(lines, t.expected) << t.name;
  }
}

TEST(MidletTexts, ReplaceJadLineNeverAddsALine) {
  TextLines lines = {"MIDlet-Name: A", "Other: B"};
  EXPECT_FALSE(ReplaceJadLine(lines, "MIDlet-Vendor:", "MIDlet-Vendor: X"));
  EXPECT_EQ(lines, (TextLines{"MIDlet-Name: A", "Other: B"}));
  EXPECT_FALSE(ReplaceJadLine(lines, "midlet-name:", "MIDlet-Name: X"));  // case counts
  EXPECT_TRUE(ReplaceJadLine(lines, "MIDlet-Name:", "MIDlet-Name: X"));
  EXPECT_EQ(lines[0], "MIDlet-Name: X");
}

TEST(MidletTexts, ConfigGoldenTexts) {
  const std::string keys = "LINEUP: -1\r\nLINEDOWN: -2\r\n\r\n";

  TMIDLETCONFIG full;  // full edition, nothing optional
  full.FontNames[0] = "6x3we";
  EXPECT_EQ(Config(keys, full, BuildInputs{}, 0, ""),
            "LINEUP: -1\r\nLINEDOWN: -2\r\nfont1: 6x3we\r\n");

  TMIDLETCONFIG lite;
  lite.Edition = 2;
  lite.FontNames = {"Tah12we", "", "", "6x3we_Aqua", ""};  // slots 1 and 4
  lite.ForceHeight = 208;
  lite.AlternativeRotation = 1;
  lite.LightControl = 1;
  lite.LightControlMethod = 5;
  lite.IgnoreCrash = 1;
  lite.StoragePath = "e:/books/";
  lite.FontPath = ".";
  lite.JSR75Storage = "file:///e:/";
  BuildInputs in;
  in.LiteVersion = true;
  in.TitleLine1 = "AB";
  EXPECT_EQ(Config(keys, lite, in, 12, "A"),
            "LINEUP: -1\r\nLINEDOWN: -2\r\n"
            "Title1: AAEBAAEC\r\n"
            "Title2: \r\n"
            "BookTitle: AAEB\r\n"
            "BookPart: AAEDAAGIAAGBAAHAAAHEAAGFAAHC 12\r\n"  // "Chapter", a blank, 12
            "font1: Tah12we\r\n"
            "font2: 6x3we_Aqua\r\n"
            "FORCEHEIGHT: 208\r\n"
            "ALTERNATIVEROTATION: 1\r\n"
            "LIGHTCONTROL: 5\r\n"
            "IGNORECRASH: 1\r\n"
            "storage: e:/books/\r\n"
            "fontpath: .\r\n"
            "JSR75Storage: file:///e:/\r\n");

  // The tiny edition writes the title lines too; the light method 0 is still written.
  TMIDLETCONFIG tiny;
  tiny.LightControl = 1;
  BuildInputs tinyIn;
  tinyIn.TinyVersion = true;
  EXPECT_EQ(Config("", tiny, tinyIn, 0, ""), "Title1: \r\nTitle2: \r\nLIGHTCONTROL: 0\r\n");
}

// The part number stays plain in both texts: the reader takes the number after the blank.
TEST(MidletTexts, BookPartLines) {
  struct Case {
    bool translated;
    int part;
    const char* jad;     // the JAD's and manifest's line, or "" for none
    const char* config;  // the res/config.txt line, or "" for none
  };
  const Case cases[] = {
      {false, 0, "", ""},
      {false, 1, "BookPart: Chapter 1", "BookPart: AAEDAAGIAAGBAAHAAAHEAAGFAAHC 1"},
      {false, 12, "BookPart: Chapter 12", "BookPart: AAEDAAGIAAGBAAHAAAHEAAGFAAHC 12"},
      {true, 0, "", ""},
      {true, 1, "BookPart: Chapter 1", "BookPart: AAEHAAGMAAGBAAHGAAGB 1"},  // "Glava"
      {true, 12, "BookPart: Chapter 12", "BookPart: AAEHAAGMAAGBAAHGAAGB 12"},
  };
  TMIDLETCONFIG c;
  BuildInputs in;
  in.LiteVersion = true;
  // The named text "Chapter" in the interface language: English, or translated.
  const assembly::testing::FakeTexts english(std::map<std::string, std::string>{{"Chapter", "Chapter"}});
  const assembly::testing::FakeTexts russian(std::map<std::string, std::string>{{"Chapter", "Glava"}});
  for (const Case& t : cases) {
    auto bookPart = [](const TextLines& lines) {
      std::vector<std::string> found;
      for (const std::string& line : lines)
        if (line.starts_with("BookPart")) found.push_back(line);
      return found;
    };
    auto expected = [](const char* line) {
      return *line ? std::vector<std::string>{line} : std::vector<std::string>{};
    };
    TextLines jad = SplitLines(kTemplate);
    WriteJad(jad, c, in, "Book", t.part, "", "Book.jar", 100);
    EXPECT_EQ(bookPart(jad), expected(t.jad)) << t.part << (t.translated ? " translated" : "");
    TextLines config;
    WriteConfig(config, c, in, t.translated ? russian : english, t.part, "");
    EXPECT_EQ(bookPart(config), expected(t.config)) << t.part << (t.translated ? " translated" : "");
  }
}

TEST(MidletTexts, KeyLayoutTexts) {
  TempDir dir;
  TZipFile archive;
  const std::string builtIn = "LINEUP: -1\r\n\r\n  indented: kept as it is\n";
  AddJarEntry(archive, "KeyConfig/NOKIA.txt", builtIn);
  BuildInputs in;
  EXPECT_EQ(GetKeysConfigText(archive, in, 8), builtIn);  // byte for byte
  try {
    GetKeysConfigText(archive, in, 10);
    ADD_FAILURE() << "a missing layout must stop the build";
  } catch (const EBuildError& e) {
    EXPECT_NE(std::string(e.what()).find("KeyConfig\\siemens.txt"), std::string::npos) << e.what();
  }

  in.CustomKeysFile = dir.File("my keys.txt");
  WriteFile(in.CustomKeysFile, "  LINEUP: -1 \r\n\r\n\tLINEDOWN: -2\n \x01\n\r\nMENU: -5\t");
  EXPECT_EQ(GetKeysConfigText(archive, in, 13), "LINEUP: -1\r\nLINEDOWN: -2\r\nMENU: -5\r\n");
  in.CustomKeysFile = dir.File("gone.txt");
  try {
    GetKeysConfigText(archive, in, 13);
    ADD_FAILURE() << "an unreadable custom layout must stop the build";
  } catch (const EBuildError& e) {
    EXPECT_NE(std::string(e.what()).find("gone.txt"), std::string::npos) << e.what();
  }
}

// The templates come from the resource archive once, but a changed entry is read again.
TEST(MidletTexts, TemplatesFollowTheirArchiveEntry) {
  TZipFile archive;
  AddJarEntry(archive, "core/manifest.mf", "MIDlet-Name: A\r\n");
  AddJarEntry(archive, "core/Tomefalcon.jad", "MIDlet-Name: A\r\nMIDlet-Vendor: V\r\n");
  TMIDLETCONFIG c;
  BuildInputs in;
  in.Vendor = "Me";
  const std::string first = MakeJadText(archive, c, in, "Book", 0, "", "b.jar", 0);
  EXPECT_TRUE(first.starts_with("MIDlet-Name: Book\r\nMIDlet-Vendor: Me\r\nBuild: ")) << first;
  EXPECT_EQ(MakeJadText(archive, c, in, "Book", 0, "", "b.jar", 0), first);
  archive.WriteEntryData(1, "MIDlet-Vendor: V\r\nOther: 1\r\n");
  const std::string changed = MakeJadText(archive, c, in, "Book", 0, "", "b.jar", 0);
  EXPECT_TRUE(changed.starts_with("MIDlet-Vendor: Me\r\nOther: 1\r\nBuild: ")) << changed;
}

// No entry larger than the largest JAR size limit (16384 KB) can go into a midlet: it is
// refused by its declared size, naming it and the archive, before anything is inflated.
TEST(MidletTexts, AnEntryLargerThanAnyMidletIsRefusedUninflated) {
  TZipFile archive;
  AddJarEntry(archive, "core/Tomefalcon.jad", "MIDlet-Name: A\r\n");
  TPackedData packed = PackEntryData("short");
  packed.UncompressedSize = 16384u * 1024u + 1u;  // the stream would fail its length check
  archive.WritePackedData(0, packed);
  TMIDLETCONFIG c;
  BuildInputs in;
  try {
    MakeJadText(archive, c, in, "Book", 0, "", "b.jar", 0);
    ADD_FAILURE() << "not refused";
  } catch (const EBuildError& e) {
    EXPECT_STREQ(e.what(),
                 "The entry \"core/Tomefalcon.jad\" of the resource archive quirewright.dat holds "
                 "16777217 bytes, more than any midlet may hold.");
  }
  packed.UncompressedSize = 16384u * 1024u;  // as large as a midlet may be: inflated and checked
  archive.WritePackedData(0, packed);
  EXPECT_THROW(MakeJadText(archive, c, in, "Book", 0, "", "b.jar", 0), EZipFileCRCError);
}
