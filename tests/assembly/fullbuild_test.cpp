#include "assembly/fullbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fontfile.h"
#include "assembly/midlettexts.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "descriptor_support.h"
#include "platform/system/codepage.h"
#include "support/filesizelimit.h"
#include "support/recordinghost.h"
#include "support/samplearchive.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

using namespace assembly;
using assembly::testing::Attributes;
using assembly::testing::FakeTexts;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const TZipFile& zip) {
  std::vector<std::string> names;
  for (int i = 0; i < zip.Count(); ++i) names.push_back(zip.FileName(i));
  return names;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

TMIDLETCONFIG Record(int core, int edition, int language) {
  TMIDLETCONFIG c;
  c.Core = uint8_t(core);
  c.Edition = uint8_t(edition);
  c.InterfaceLanguage = uint8_t(language);
  c.KeysConfig = DefaultKeysByCore[core];
  c.Icon = uint8_t(core % 2);
  c.JarLimit = 256 * 1024;
  c.FontNames = {"6x3we", "", "Tah12we_CT", "", ""};
  c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "ZIP:fonts\\EnglishWE\\Tah12we_CT.fnt", "", ""};
  c.NegativeFlags = {1, 0, 1, 0, 0};
  return c;
}

class FullBuild : public ::testing::Test {
protected:
  FullBuild() { inputs_.Vendor = "Quire Vendor"; }

  BuildContext Context() { return BuildContext{SampleArchive(), host_, inputs_, texts_}; }
  void BuildOne(int core, int edition, int language, std::vector<std::string>& jars);
  void BuildEveryCore(std::vector<std::string>& jars);

  BuildInputs inputs_;
  FakeTexts texts_;
  RecordingHost host_;
  TempDir dir_;
};

}  // namespace

namespace {

// The JAR's entries in order, and the pieces taken from the folders the tables name.
void CheckJarEntries(const TZipFile& jar, const TMIDLETCONFIG& c, int core, int edition, int language) {
  std::vector<std::string> expected = {"CORE-NOT-INCLUDED.txt", "res/lang.txt", "res/langfull.txt", "res/bw_cursor.png",
                                       "res/bw_scroll.png"};
  if (edition == 1) expected.insert(expected.end(), {"res/color_cursor.png", "res/color_scroll.png", "res/colors.txt"});
  expected.insert(expected.end(), {"res/tfhelp.txt", "res/icon.png", "res/6x3we.fnt", "res/Tah12we_CT.fnt",
                                   "META-INF/MANIFEST.MF", "res/config.txt"});
  EXPECT_EQ(Names(jar), expected);

  const std::string coreFolder = CoreFolders[core * 4 + edition];
  EXPECT_NE(jar.ReadEntryData(0).find("\"" + coreFolder.substr(5, coreFolder.size() - 6) + "\""), std::string::npos);
  EXPECT_NE(jar.ReadEntryData(1).find(LanguageNames[language]), std::string::npos);
  EXPECT_EQ(jar.ReadEntryData(int(expected.size()) - 6),
            ReadArchiveEntry(SampleArchive(), std::string(HelpFolders[edition * 11 + language]) + "tfhelp.txt"));
  EXPECT_EQ(jar.ReadEntryData(int(expected.size()) - 5), ReadArchiveEntry(SampleArchive(), IconFiles[c.Icon]));
  EXPECT_EQ(jar.ReadEntryData(jar.Count() - 1).substr(0, 40),
            ReadArchiveEntry(SampleArchive(), KeysConfigFiles[c.KeysConfig]).substr(0, 40));
}

// The manifest and the JAD agree and name the midlet, its vendor, version and JAR.
void CheckDescriptors(const TZipFile& jar, const std::string& base, int64_t size, int core) {
  const auto manifest = Attributes(jar.ReadEntryData(jar.Count() - 2));
  const auto jad = Attributes(ReadFile(base + ".jad"));
  for (const char* key : {"MIDlet-Name", "MIDlet-Vendor", "MIDlet-Version", "MIDlet-1", "Build"})
    EXPECT_EQ(manifest.at(key), jad.at(key)) << key;
  EXPECT_EQ(jad.at("MIDlet-Name"), "Tomefalcon");
  EXPECT_EQ(jad.at("MIDlet-Vendor"), "Quire Vendor");
  EXPECT_EQ(jad.at("MIDlet-Version"), "2.5.2");
  EXPECT_EQ(jad.at("MIDlet-Jar-Size"), std::to_string(size));
  EXPECT_EQ(jad.at("MIDlet-Jar-URL"), "Tomefalcon.jar");
  EXPECT_EQ(manifest.at("MIDlet-Jar-URL"), "Tomefalcon.jar");
  EXPECT_EQ(jad.count("FlipInsensitive"), core == 6 ? 1u : 0u);
  EXPECT_EQ(jad.at("MicroEdition-Profile").substr(0, 5), "MIDP-");
}

}  // namespace

// Builds one core, edition and language, checking the JAD and JAR pair; the JAR's path goes
// to `jars`.
void FullBuild::BuildOne(int core, int edition, int language, std::vector<std::string>& jars) {
  const TMIDLETCONFIG c = Record(core, edition, language);
  const fs::path out =
      dir_.Path() / (std::to_string(core) + "_" + std::to_string(edition) + "_" + std::to_string(language));
  fs::create_directories(out);
  const std::string base = (out / "Tomefalcon").string();

  const BuildResult measured = BuildFullMidlet(Context(), true, c, "Tomefalcon.jar", base);
  ASSERT_TRUE(measured.Ok());
  EXPECT_TRUE(FilesIn(out).empty()) << "test mode writes nothing";
  ASSERT_TRUE(BuildFullMidlet(Context(), false, c, "Tomefalcon.jar", base).Ok());
  ASSERT_TRUE(host_.messages.empty()) << host_.messages[0].text;

  std::vector<std::string> expectedFiles = {"Tomefalcon.jad", "Tomefalcon.jar"};
  if (core == 6) expectedFiles.push_back("j2meX.pat");
  EXPECT_EQ(FilesIn(out), expectedFiles);
  const std::string jarFile = base + ".jar";
  const int64_t size = fs::file_size(jarFile);
  EXPECT_EQ(measured.PackedSize(), size);
  jars.push_back(jarFile);

  TZipFile jar;
  jar.LoadFromFile(jarFile);
  EXPECT_EQ(jar.ArchiveSize(), size);
  CheckJarEntries(jar, c, core, edition, language);
  CheckDescriptors(jar, base, size, core);
  if (core == 6) {
    EXPECT_EQ(ReadFile((out / "j2meX.pat").string()), ReadArchiveEntry(SampleArchive(), "pat\\j2mex.pat"));
  }
}

// Builds every core in both editions and three languages; the JARs' paths go to `jars`. The
// first fatal failure ends it.
void FullBuild::BuildEveryCore(std::vector<std::string>& jars) {
  for (int core = 0; core < 10; ++core)
    for (int edition = 0; edition < 2; ++edition)
      for (int language : {0, 4, 10}) {
        SCOPED_TRACE(::testing::Message() << "core " << core << " edition " << edition << " language " << language);
        BuildOne(core, edition, language, jars);
        if (HasFatalFailure()) return;
      }
}

TEST_F(FullBuild, EveryCoreWritesASoundJadAndJarPair) {
  std::vector<std::string> jars;
  BuildEveryCore(jars);
  EXPECT_EQ(jars.size(), 60u);
}

TEST_F(FullBuild, EveryCoresJarPassesUnzip) {
  QW_REQUIRE_TOOL("unzip");
  std::vector<std::string> jars;
  ASSERT_NO_FATAL_FAILURE(BuildEveryCore(jars));
  for (const std::string& jarFile : jars) {
    std::string log;
    EXPECT_EQ(RunCommand("unzip -tq " + ShellQuote(jarFile), &log), 0) << jarFile << "\n" << log;
  }
}

TEST_F(FullBuild, EveryCoresJarPassesPythonsZipfile) {
  QW_REQUIRE_TOOL("python3");
  std::vector<std::string> jars;
  ASSERT_NO_FATAL_FAILURE(BuildEveryCore(jars));
  std::string script =
      "import sys, zipfile\nfor f in sys.argv[1:]:\n    z = zipfile.ZipFile(f)\n"
      "    assert z.testzip() is None, f\n";
  WriteFile(dir_.File("check.py"), script);
  std::string cmd = "python3 " + ShellQuote(dir_.File("check.py")), log;
  for (const std::string& j : jars) cmd += " " + ShellQuote(j);
  EXPECT_EQ(RunCommand(cmd, &log), 0) << log;
}

TEST_F(FullBuild, NegativeSheetsFollowTheFlagAndTheCore) {
  const std::string bw = ReadArchiveEntry(SampleArchive(), "fonts\\EnglishWE\\6x3we.fnt");
  const std::string colour = ReadArchiveEntry(SampleArchive(), "fonts\\EnglishWE\\6x3we_Aqua.fnt");
  struct Case {
    int core;
    bool negative;
    bool bwKeepsNegative, colourKeepsNegative;
  };
  const Case cases[] = {{7, true, false, true}, {3, true, true, true}, {3, false, false, false},
                        {0, true, false, true}, {9, true, true, true}};
  for (const Case& k : cases) {
    TMIDLETCONFIG c = Record(k.core, 0, 1);
    c.FontNames = {"6x3we", "6x3we_Aqua", "", "", ""};
    c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "ZIP:fonts\\EnglishWE\\6x3we_Aqua.fnt", "", "", ""};
    c.NegativeFlags = {uint8_t(k.negative), uint8_t(k.negative), 0, 0, 0};
    TZipFile jar;
    AddFonts(SampleArchive(), c, jar);
    ASSERT_EQ(Names(jar), (std::vector<std::string>{"res/6x3we.fnt", "res/6x3we_Aqua.fnt"}));
    EXPECT_EQ(jar.ReadEntryData(0), k.bwKeepsNegative ? bw : bw.substr(0, ReadU32LE(bw, 2))) << k.core;
    EXPECT_EQ(jar.ReadEntryData(1), k.colourKeepsNegative ? colour : colour.substr(0, ReadU32LE(colour, 2)))
        << k.core;
  }
  // Two slots with the same font give two entries of the same name.
  TMIDLETCONFIG twice = Record(3, 0, 1);
  twice.FontNames = {"6x3we", "6x3we", "", "", ""};
  twice.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "", ""};
  TZipFile jar;
  AddFonts(SampleArchive(), twice, jar);
  EXPECT_EQ(Names(jar), (std::vector<std::string>{"res/6x3we.fnt", "res/6x3we.fnt"}));
}

TEST_F(FullBuild, CopyingFindsNamesAsTheLookupDoes) {
  TZipFile archive;
  for (const char* name : {"core/siemens/", "core/siemens/Reader.class", "core/siemensZIP/Zip.class",
                           "common/ENGLISHCE/", "common/EnglishCE/lang.txt", "Icon/14X14/Icon.PNG",
                           "pat/J2MEX.pat"})
    AddJarEntry(archive, name, std::string("data of ") + name);

  TZipFile jar;
  CopyArchiveFolder(archive, "core\\SIEMENS\\", "", jar);  // its own folder entry is not written
  CopyArchiveFolder(archive, "common\\englishce\\", "res\\", jar);
  CopyArchiveFolder(archive, "", "res\\", jar);  // an empty folder copies nothing
  CopyArchiveFile(archive, "icon\\14x14\\icon.png", "res\\", jar);
  CopyArchiveFile(archive, "icon\\15x15\\icon.png", "res\\", jar);  // absent: nothing
  EXPECT_EQ(Names(jar), (std::vector<std::string>{"Reader.class", "res/", "res/lang.txt", "res/Icon.PNG"}));
  EXPECT_EQ(jar.ReadEntryData(3), "data of Icon/14X14/Icon.PNG");
  for (int i = 0; i < jar.Count(); ++i) EXPECT_EQ(jar.FileHeader(i).ExternalAttributes, 0u);

  SaveArchiveEntry(archive, "pat\\j2mex.pat", dir_.File("j2meX.pat"));
  EXPECT_EQ(ReadFile(dir_.File("j2meX.pat")), "data of pat/J2MEX.pat");
  SaveArchiveEntry(archive, "pat\\absent.pat", dir_.File("absent.pat"));
  EXPECT_FALSE(fs::exists(dir_.File("absent.pat")));
  EXPECT_EQ(LookupArchiveEntry(archive, "CORE\\SIEMENSZIP\\zip.CLASS"), 2);
  EXPECT_EQ(LookupArchiveEntry(archive, "core\\siemens"), -1);

  // Letters beyond ASCII compare upper-cased by the process code page.
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  AddJarEntry(archive, "doc/\xF0\xF3\xF1/help.txt", "Cyrillic folder");
  EXPECT_EQ(LookupArchiveEntry(archive, "DOC\\\xD0\xD3\xD1\\HELP.TXT"), archive.Count() - 1);
  platform::SetAnsiCodePage(saved);
}

TEST_F(FullBuild, FailuresStopTheBuildWithAMessageNamingTheCulprit) {
  // An archive without one needed entry: each missing name is reported.
  for (const char* missing : {"core/manifest.mf", "core/Tomefalcon.jad", "KeyConfig/siemens.txt",
                              "fonts/EnglishWE/Tah12we_CT.fnt"}) {
    TZipFile archive;
    for (int i = 0; i < SampleArchive().Count(); ++i)
      if (SampleArchive().FileName(i) != missing)
        AddJarEntry(archive, SampleArchive().FileName(i), SampleArchive().ReadEntryData(i));
    RecordingHost h;
    const fs::path out = dir_.Path() / fs::path(missing).filename();
    fs::create_directories(out);
    EXPECT_FALSE(BuildFullMidlet(BuildContext{archive, h, inputs_, texts_}, false, Record(0, 0, 1), "T.jar",
                                 (out / "T").string())
                     .Ok());
    ASSERT_EQ(h.messages.size(), 1u) << missing;
    std::string backslashed = missing;
    ReplaceChar(backslashed, '/', '\\');
    EXPECT_NE(h.messages[0].text.find(backslashed), std::string::npos) << h.messages[0].text;
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(h.windowEnabled);
    EXPECT_TRUE(FilesIn(out).empty()) << missing;
  }

  // A malformed custom font; a custom key layout file that is gone.
  TempDir own;
  TMIDLETCONFIG c = Record(1, 0, 1);
  c.FontNames[1] = "mine";
  c.FontSources[1] = own.File("mine.fnt");
  WriteFile(c.FontSources[1], "\x01\x34 not a font");
  EXPECT_FALSE(BuildFullMidlet(Context(), true, c, "T.jar", own.File("T")).Ok());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("mine.fnt"), std::string::npos) << host_.messages[0].text;

  c = Record(1, 0, 1);
  c.KeysConfig = 13;
  inputs_.CustomKeysFile = own.File("keys-gone.txt");
  EXPECT_FALSE(BuildFullMidlet(Context(), false, c, "T.jar", own.File("T")).Ok());
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[1].text, "Unable to open file. File does not exist or is locked by other application: \"" +
                                        own.File("keys-gone.txt") + "\"");
  EXPECT_EQ(host_.messages[1].caption, "Fatal error");
  EXPECT_EQ(FilesIn(own.Path()), std::vector<std::string>{"mine.fnt"});
}

TEST_F(FullBuild, OutputFilesThatCannotBeWrittenAreErrors) {
  struct Case {
    int core;
    const char* blocked;  // a folder in the way of this output file
  };
  for (const Case& k : {Case{0, "T.jar"}, Case{0, "T.jad"}, Case{6, "j2meX.pat"}}) {
    TempDir out;
    fs::create_directories(out.Path() / k.blocked);
    RecordingHost h;
    EXPECT_FALSE(BuildFullMidlet(BuildContext{SampleArchive(), h, inputs_, texts_}, false, Record(k.core, 0, 0),
                                 "T.jar", out.File("T"))
                     .Ok())
        << k.blocked;
    ASSERT_EQ(h.messages.size(), 1u) << k.blocked;
    EXPECT_NE(h.messages[0].text.find(k.blocked), std::string::npos) << h.messages[0].text;
    if (std::string(k.blocked) == "T.jad") {
      EXPECT_FALSE(fs::exists(out.File("T.jar")));  // no JAR without its JAD
    }
  }
  RecordingHost h;
  EXPECT_FALSE(BuildFullMidlet(BuildContext{SampleArchive(), h, inputs_, texts_}, false, Record(0, 0, 0), "T.jar",
                               dir_.File("no/such/folder/T"))
                   .Ok());
  EXPECT_EQ(h.messages.size(), 1u);
}

TEST_F(FullBuild, AFailedSaveLeavesTheGoodPairAsItWas) {
  ASSERT_TRUE(BuildFullMidlet(Context(), false, Record(2, 0, 0), "T.jar", dir_.File("T")).Ok());
  const std::string jar = ReadFile(dir_.File("T.jar")), jad = ReadFile(dir_.File("T.jad"));
  const struct {
    const char* name;
    std::size_t limit;  // bytes a file may take before the disk is full
    const char* reason;
  } cases[] = {
      {"the disk is full", jar.size() / 2, "File too large"},
      {"the disk is full at once", 0, "File too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost h;
    {
      FileSizeLimit full(c.limit);
      // Another language: a JAR of another size than the one on disk.
      EXPECT_FALSE(BuildFullMidlet(BuildContext{SampleArchive(), h, inputs_, texts_}, false, Record(2, 1, 4), "T.jar",
                                   dir_.File("T"))
                       .Ok());
    }
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_NE(h.messages[0].text.find(c.reason), std::string::npos) << h.messages[0].text;
    EXPECT_EQ(ReadFile(dir_.File("T.jar")), jar);
    EXPECT_EQ(ReadFile(dir_.File("T.jad")), jad);
    EXPECT_EQ(FilesIn(dir_.Path()), (std::vector<std::string>{"T.jad", "T.jar"}));
  }
}

TEST_F(FullBuild, CustomAttributesReachTheJadOnly) {
  TMIDLETCONFIG c = Record(6, 1, 2);
  c.CustomAttributes =
      "Nokia-MIDlet-Category: Application\r\n\r\nMIDlet-Name: Sea Tales\r\nMIDlet-Permissions: x\r\n";
  c.MidletDataSize = 4096;
  ASSERT_TRUE(BuildFullMidlet(Context(), false, c, "reader.jar", dir_.File("reader")).Ok());
  const TextLines jad = SplitLines(ReadFile(dir_.File("reader.jad")));
  std::map<std::string, int> names;
  for (const std::string& line : jad) ++names[line.substr(0, line.find(':'))];
  for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name;
  // The name stays the build's own, as in the manifest.
  EXPECT_EQ(Attributes(ReadFile(dir_.File("reader.jad"))).at("MIDlet-Name"), "Tomefalcon");
  ASSERT_GE(jad.size(), 5u);
  EXPECT_EQ(TextLines(jad.end() - 5, jad.end()),
            (TextLines{"Build: Motorola C380_C650_E398_V635, Full, With ZIP support, Motorola phones "
                       "keys config 3, English - Cyrillic",
                       "MIDlet-Data-Size: 4096", "FlipInsensitive: True",
                       "Nokia-MIDlet-Category: Application", "MIDlet-Permissions: x"}));
  TZipFile jar;
  jar.LoadFromFile(dir_.File("reader.jar"));
  const std::string manifest = jar.ReadEntryData(LookupArchiveEntry(jar, "META-INF/MANIFEST.MF"));
  EXPECT_EQ(manifest.find("Nokia-MIDlet-Category"), std::string::npos);
  EXPECT_EQ(Attributes(manifest).at("MIDlet-Name"), "Tomefalcon");
  EXPECT_EQ(manifest.find("\r\n\r\n"), std::string::npos);
}

TEST_F(FullBuild, CachedBuildsGiveTheSameJar) {
  TJarCache cache;
  BuildContext cached{SampleArchive(), host_, inputs_, texts_, nullptr, &cache};
  TMIDLETCONFIG c = Record(4, 1, 5);
  c.FontNames[4] = "mine";
  c.FontSources[4] = dir_.File("mine.fnt");
  FontFile f;
  f.Height = 7;
  f.Sheet = "first";
  WriteFile(c.FontSources[4], WriteFontFile(f));

  auto same = [](const TZipFile& a, const TZipFile& b) {
    ASSERT_EQ(Names(a), Names(b));
    EXPECT_EQ(a.ArchiveSize(), b.ArchiveSize());
    for (int i = 0; i < a.Count(); ++i) {
      EXPECT_EQ(a.LocalFile(i).CompressedData, b.LocalFile(i).CompressedData) << a.FileName(i);
      EXPECT_EQ(a.LocalFile(i).Common.CRC32, b.LocalFile(i).Common.CRC32) << a.FileName(i);
    }
  };
  const TZipFile plain = AssembleFullJar(Context(), c, "T.jar");
  const TZipFile first = AssembleFullJar(cached, c, "T.jar");
  EXPECT_GT(cache.Size(), 0u);
  const TZipFile second = AssembleFullJar(cached, c, "T.jar");
  same(plain, first);
  same(plain, second);

  // Another language reuses nothing of it; a changed custom font is read again.
  c.InterfaceLanguage = 6;
  same(AssembleFullJar(Context(), c, "T.jar"), AssembleFullJar(cached, c, "T.jar"));
  f.Sheet = "second sheet";
  WriteFile(c.FontSources[4], WriteFontFile(f));
  const TZipFile changed = AssembleFullJar(cached, c, "T.jar");
  same(AssembleFullJar(Context(), c, "T.jar"), changed);
  EXPECT_EQ(changed.ReadEntryData(LookupArchiveEntry(changed, "res/mine.fnt")).substr(244), "second sheet");
  // Fewer negatives after more: the cache does not mix them up.
  c.NegativeFlags = {0, 0, 0, 0, 0};
  same(AssembleFullJar(Context(), c, "T.jar"), AssembleFullJar(cached, c, "T.jar"));
}

TEST_F(FullBuild, RecordOutsideTheTablesIsRefused) {
  struct Case {
    const char* what;
    void (*spoil)(TMIDLETCONFIG&);
  };
  const Case cases[] = {
      {"core", [](TMIDLETCONFIG& c) { c.Core = 10; }},
      {"edition", [](TMIDLETCONFIG& c) { c.Edition = 4; }},
      {"keys", [](TMIDLETCONFIG& c) { c.KeysConfig = 14; }},
      {"icon", [](TMIDLETCONFIG& c) { c.Icon = 2; }},
      {"language", [](TMIDLETCONFIG& c) { c.InterfaceLanguage = 11; }},
  };
  for (const Case& k : cases) {
    TMIDLETCONFIG c = Record(9, 1, 10);
    k.spoil(c);
    RecordingHost h;
    EXPECT_FALSE(
        BuildFullMidlet(BuildContext{SampleArchive(), h, inputs_, texts_}, true, c, "T.jar", dir_.File("T")).Ok())
        << k.what;
    EXPECT_EQ(h.messages.size(), 1u) << k.what;
  }
}

TEST(JarCache, HoldsAtMostItsBytesDroppingTheOldestFirst) {
  TempDir dir;
  // One entry of incompressible bytes; its size on disk is what the cache must count.
  const auto jarOf = [](std::size_t bytes, unsigned seed) {
    std::mt19937 rng(seed);
    std::string data(bytes, '\0');
    for (char& c : data) c = static_cast<char>(rng());
    TZipFile jar;
    jar.AddFile("res/big.bin");
    jar.WriteEntryData(0, data);
    return jar;
  };
  std::map<std::string, TZipFile> jars;
  std::uintmax_t largest = 0;
  for (const char* key : {"a", "b", "c", "d"}) {
    jars[key] = jarOf(100000, static_cast<unsigned>(key[0]));
    jars[key].SaveToFile(dir.File(key));
    largest = std::max(largest, fs::file_size(dir.File(key)));
  }
  TJarCache cache(3 * largest + largest / 2);
  for (const char* key : {"a", "b", "c"}) cache.Store(key, jars[key]);
  EXPECT_EQ(cache.Size(), 3u);
  cache.Store("d", jars["d"]);  // over the bytes: the oldest goes
  EXPECT_EQ(cache.Size(), 3u);
  EXPECT_EQ(cache.Find("a"), nullptr);
  for (const char* key : {"b", "c", "d"}) {
    ASSERT_NE(cache.Find(key), nullptr) << key;
    EXPECT_EQ(cache.Find(key)->ReadEntryData(0), jars[key].ReadEntryData(0));
  }
  EXPECT_LE(cache.Bytes(), 3 * largest + largest / 2);
  // A JAR larger than the whole cache is not kept, and drops nothing.
  cache.Store("huge", jarOf(4 * 100000, 7));
  EXPECT_EQ(cache.Find("huge"), nullptr);
  EXPECT_EQ(cache.Size(), 3u);
  cache.Clear();
  EXPECT_EQ(cache.Bytes(), 0u);
}
