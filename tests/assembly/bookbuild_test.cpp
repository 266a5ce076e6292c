#include "assembly/bookbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fullbuild.h"
#include "assembly/midlettexts.h"
#include "assembly/normalize.h"
#include "assembly/tables.h"
#include "assembly/tempdir_support.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "descriptor_support.h"
#include "fake_host_support.h"
#include "localisation/langmanager.h"
#include "platform/codepage.h"
#include "sample_archive_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>

using namespace assembly;
using assembly::testing::Attributes;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Text(const char* name) { return localisation::LangManager().TextByName(name); }

// Words in paragraphs; normalisation leaves it as it is.
std::string Words(std::mt19937& rng, std::size_t length) {
  std::string s;
  while (s.size() < length) {
    if (!s.empty()) s += rng() % 40 == 0 ? "\r\n\r\n" : " ";
    const int n = 2 + int(rng() % 8);
    for (int i = 0; i < n; ++i) s += char('a' + rng() % 26);
  }
  s.resize(length);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
  return NormalizeBookText(s);
}

// Letters that hardly compress, without blanks.
std::string Noise(std::mt19937& rng, std::size_t length) {
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,";
  std::string s(length, ' ');
  for (char& c : s) c = alphabet[rng() % 64];
  return s;
}

struct Midlet {
  std::string file;  // JAR path
  TZipFile jar;
  std::string jad;
  int64_t size = 0;
  std::vector<std::string> parts;
};

int Index(const TZipFile& jar, const std::string& name) {
  for (int i = 0; i < jar.Count(); ++i)
    if (jar.FileName(i) == name) return i;
  return -1;
}

class BookBuild : public ::testing::Test {
protected:
  BookBuild() {
    inputs.Vendor = "Quire Vendor";
    inputs.MidletName = "MyBook";
    inputs.BookTitle = "My Book";
    inputs.LiteVersion = true;
    inputs.ImageParams.Colors = 3;
    inputs.ImageParams.MaxWidth = 48;
    inputs.ImageParams.MaxHeight = 48;
    fs::create_directories(Out());
  }

  BuildContext Context() { return BuildContext{SampleArchive(), host, inputs, &warned}; }

  static TMIDLETCONFIG Record(int64_t limit) {
    TMIDLETCONFIG c;
    c.Core = 3;
    c.Edition = 2;
    c.KeysConfig = DefaultKeysByCore[3];
    c.JarLimit = int32_t(limit);
    c.FontNames = {"6x3we", "", "", "", ""};
    c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "", "", ""};
    return c;
  }

  fs::path Out() const { return dir.Path() / "out"; }
  std::string Base() const { return (Out() / "MyBook").string(); }

  void SetBook(const std::string& text) {
    const std::string file = dir.File("book.txt");
    WriteFile(file, text);
    inputs.TextFiles = {file};
  }

  int Run(int64_t limit) {
    fs::remove_all(Out());
    fs::create_directories(Out());
    return BuildBookMidlets(Context(), false, Record(limit), true, Base());
  }

  std::vector<std::string> OutFiles() const {
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(Out())) files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
  }

  static Midlet Load(const std::string& base) {
    Midlet m;
    m.file = base + ".jar";
    m.jar.LoadFromFile(m.file);
    m.jad = ReadFile(base + ".jad");
    m.size = int64_t(fs::file_size(m.file));
    for (int k = 0;; ++k) {
      const int i = Index(m.jar, "res/book" + std::to_string(k) + ".txt");
      if (i < 0) break;
      m.parts.push_back(m.jar.ReadEntryData(i));
    }
    return m;
  }

  // The midlets written, in order: the single one, or 01, 02 ...
  std::vector<Midlet> Midlets() const {
    std::vector<Midlet> all;
    if (fs::exists(Base() + ".jar")) {
      all.push_back(Load(Base()));
      return all;
    }
    for (int n = 1; fs::exists(Base() + IntToStr2(n) + ".jar"); ++n) all.push_back(Load(Base() + IntToStr2(n)));
    return all;
  }

  // Packed size of the first numbered midlet before any book part (what the build checks
  // against the limit less 1024), taken from a real build of a two-midlet book.
  int64_t EmptyFirstMidletSize() {
    const std::vector<std::string> files = inputs.TextFiles;
    std::mt19937 rng(5);
    SetBook(Noise(rng, 40000));
    EXPECT_EQ(Run(20000), 0);
    std::vector<Midlet> m = Midlets();
    EXPECT_GE(m.size(), 2u);
    TZipFile jar = m.at(0).jar;
    while (jar.FileName(jar.Count() - 1) != "res/config.txt") jar.DeleteLast();
    inputs.TextFiles = files;
    fs::remove_all(Out());
    fs::create_directories(Out());
    host = RecordingHost();
    return jar.ArchiveSize();
  }

  BuildInputs inputs;
  RecordingHost host;
  TempDir dir;
  bool warned = false;
};

TEST_F(BookBuild, SmallBookMakesOneMidletWithoutNumber) {
  std::mt19937 rng(1);
  const std::string book = Words(rng, 8000);
  SetBook(book);
  ASSERT_EQ(Run(256 * 1024), 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"MyBook.jad", "MyBook.jar"}));
  const std::vector<Midlet> m = Midlets();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].parts, std::vector<std::string>{book});

  const auto jad = Attributes(m[0].jad);
  EXPECT_EQ(jad.at("MIDlet-Name"), "MyBook");
  EXPECT_EQ(jad.at("MIDlet-Jar-URL"), "MyBook.jar");
  EXPECT_EQ(jad.at("MIDlet-Jar-Size"), std::to_string(m[0].size));
  EXPECT_EQ(jad.at("BookPart"), "Chapter 1");
  const auto manifest = Attributes(m[0].jar.ReadEntryData(Index(m[0].jar, "META-INF/MANIFEST.MF")));
  EXPECT_EQ(manifest.at("MIDlet-Name"), "MyBook");
  EXPECT_EQ(manifest.at("MIDlet-Jar-URL"), "MyBook.jar");
  EXPECT_EQ(manifest.count("BookPart"), 0u);
  EXPECT_EQ(m[0].jar.FileName(m[0].jar.Count() - 1), "res/book0.txt");
  EXPECT_EQ(m[0].jar.FileName(m[0].jar.Count() - 2), "res/config.txt");
  EXPECT_EQ(m[0].jar.ArchiveSize(), m[0].size);

  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));
  EXPECT_EQ(host.statuses, (std::vector<std::string>{Text("LoadingTextFiles"), Text("GeneratingMidlets")}));
  ASSERT_FALSE(host.progress.empty());
  EXPECT_EQ(host.progress.back(), std::make_pair(8000, 8000));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.waits, std::vector<int>{100});
}

TEST_F(BookBuild, TestModeMeasuresTheEmptyMidletAndWritesNothing) {
  const TMIDLETCONFIG c = Record(64 * 1024);
  const int size = BuildBookMidlets(Context(), true, c, false, Base());
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_TRUE(host.enabled_calls.empty());
  EXPECT_TRUE(host.statuses.empty());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.waits.empty());

  // The same JAR as a real first midlet before its book, with midlet number 0.
  std::mt19937 rng(2);
  SetBook(Noise(rng, 100000));
  ASSERT_EQ(Run(c.JarLimit), 0);
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/config.txt") jar.DeleteLast();
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), c, true, 0, Base()));
  jar.WriteEntryData(Index(jar, "res/config.txt"),
                     MakeConfigText(SampleArchive(), c, inputs, 0, inputs.BookTitle));
  EXPECT_EQ(size, jar.ArchiveSize());
  EXPECT_NE(Attributes(ReadFile(Base() + "01.jad")).at("MIDlet-Name"), "MyBook00");
}

// Midlet after midlet the parts are what the book text gives, cut by cut, and every midlet
// starts with the introduction again.
void ExpectPartsFollowTheText(const std::vector<Midlet>& midlets, const std::string& intro,
                              const std::string& book) {
  auto rest = [](const std::string& s) { return AlignPictureMarkers(GlueBookText("x" + s).substr(1)); };
  std::string text = NormalizeBookText(intro + book);
  for (std::size_t i = 0; i < midlets.size(); ++i) {
    ASSERT_FALSE(midlets[i].parts.empty());
    EXPECT_TRUE(midlets[i].parts[0].starts_with(intro)) << "midlet " << i + 1;
    for (const std::string& part : midlets[i].parts) {
      ASSERT_EQ(part, text.substr(0, part.size())) << "midlet " << i + 1;
      text = text.substr(part.size());
      if (part.size() % 128 != 0) text = rest(text);
    }
    if (!text.empty()) text = intro.empty() ? rest(text) : NormalizeBookText(intro + text);
  }
  EXPECT_EQ(text, "");
}

TEST_F(BookBuild, NothingOfTheBookIsLost) {
  std::mt19937 rng(3);
  const std::string book = Words(rng, 240000);
  SetBook(book);
  for (int64_t limit : {24 * 1024, 31 * 1024 + 77, 40 * 1024 + 501}) {
    inputs.IntroText = "";
    ASSERT_EQ(Run(limit), 0);
    std::vector<Midlet> m = Midlets();
    ASSERT_GE(m.size(), 3u);
    std::string joined;
    for (const Midlet& midlet : m)
      for (const std::string& part : midlet.parts) joined += part;
    EXPECT_EQ(joined, book) << "limit " << limit;
    ExpectPartsFollowTheText(m, "", book);

    inputs.IntroText = "An introduction\r\n\r\nin two lines\r\n\r\n";
    ASSERT_EQ(Run(limit), 0);
    ExpectPartsFollowTheText(Midlets(), inputs.IntroText, book);
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(BookBuild, EveryJarStaysUnderTheLimitToTheByte) {
  std::mt19937 rng(4);
  SetBook(Words(rng, 150000));
  inputs.IntroText = "Intro\r\n\r\n";
  const int64_t limit = 30 * 1024;
  ASSERT_EQ(Run(limit), 0);
  const std::vector<Midlet> first = Midlets();
  ASSERT_GE(first.size(), 3u);
  for (std::size_t i = 0; i < first.size(); ++i) {
    const Midlet& m = first[i];
    EXPECT_LE(m.size, limit - 512);
    EXPECT_EQ(m.jar.ArchiveSize(), m.size);
    const auto jad = Attributes(m.jad);
    EXPECT_EQ(jad.at("MIDlet-Jar-Size"), std::to_string(m.size));
    EXPECT_EQ(jad.at("MIDlet-Jar-URL"), "MyBook" + IntToStr2(int(i) + 1) + ".jar");
    EXPECT_EQ(jad.at("MIDlet-Name"), "MyBook" + IntToStr2(int(i) + 1));
    EXPECT_EQ(jad.at("BookPart"), "Chapter " + std::to_string(i + 1));
  }

  // The first midlet is what fits under the limit: exactly at its size it comes out the same,
  // one byte less and it changes.
  const int64_t tight = first[0].size + 512;
  ASSERT_EQ(Run(tight), 0);
  std::vector<Midlet> same = Midlets();
  EXPECT_EQ(same.at(0).parts, first[0].parts);
  EXPECT_EQ(same.at(0).size, first[0].size);
  ASSERT_EQ(Run(tight - 1), 0);
  std::vector<Midlet> less = Midlets();
  EXPECT_NE(less.at(0).parts, first[0].parts);
  EXPECT_LE(less.at(0).size, tight - 1 - 512);
}

TEST_F(BookBuild, TwoFullPartsAndNoPieceOfAThird) {
  std::mt19937 rng(6);
  const std::string book = Words(rng, 40000);
  SetBook(book);
  inputs.IntroText = "Intro\r\n\r\n";
  ASSERT_EQ(Run(1024 * 1024), 0);
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/book1.txt") jar.DeleteLast();
  const TMIDLETCONFIG c = Record(0);
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), c, true, 1, Base()));
  const int64_t twoParts = jar.ArchiveSize();

  ASSERT_EQ(Run(twoParts + 512), 0);
  const std::vector<Midlet> m = Midlets();
  ASSERT_GE(m.size(), 2u);
  ASSERT_EQ(m[0].parts.size(), 2u);
  EXPECT_EQ(m[0].parts[0].size(), 8192u);
  EXPECT_EQ(m[0].parts[1].size(), 8192u);
  EXPECT_EQ(m[0].size, twoParts);
  const std::string text = NormalizeBookText(inputs.IntroText + book);
  EXPECT_EQ(m[0].parts[0] + m[0].parts[1], text.substr(0, 16384));
  EXPECT_TRUE(m[1].parts[0].starts_with(inputs.IntroText + text.substr(16384, 100)));

  // A part that fits only at 7168 characters closes its midlet.
  ASSERT_EQ(Run(twoParts + 511), 0);
  const std::vector<Midlet> shorter = Midlets();
  ASSERT_EQ(shorter.at(0).parts.size(), 2u);
  EXPECT_EQ(shorter[0].parts[1].size(), 7168u);
}

TEST_F(BookBuild, MidletWithoutRoomForTheBookCannotBeBuilt) {
  const int64_t empty = EmptyFirstMidletSize();
  SetBook(std::string(8192, 'a'));
  EXPECT_EQ(Run(empty + 1024), -1);
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, Text("UnableToBuildMidlet"));
  EXPECT_EQ(host.messages[0].caption, Text("UnableToBuildMidletTitle"));
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(host.terminate_requests, 1);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));

  host = RecordingHost();
  EXPECT_EQ(Run(empty + 1025), 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"MyBook.jad", "MyBook.jar"}));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(BookBuild, FirstPartBelow1024WithoutPictureCannotBeBuilt) {
  const int64_t empty = EmptyFirstMidletSize();
  std::mt19937 rng(7);
  SetBook(Noise(rng, 20000));
  for (int run = 0; run < 2; ++run) {
    host = RecordingHost();
    EXPECT_EQ(Run(empty + 1024 + 200), -1);
    EXPECT_TRUE(OutFiles().empty());
    std::vector<std::string> texts;
    for (const auto& msg : host.messages) texts.push_back(msg.text);
    // The warning shows once per run of the program.
    if (run == 0) {
      ASSERT_EQ(texts, (std::vector<std::string>{Text("JARLimitTooSmall"), Text("UnableToBuildMidlet")}));
      EXPECT_EQ(host.messages[0].caption, Text("JARLimitTooSmallTitle"));
      EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    } else {
      EXPECT_EQ(texts, std::vector<std::string>{Text("UnableToBuildMidlet")});
    }
    EXPECT_EQ(host.terminate_requests, 1);
    EXPECT_TRUE(warned);
  }
}

TEST_F(BookBuild, AfterMidlet99TheRestIsNotWritten) {
  const int64_t empty = EmptyFirstMidletSize();
  std::mt19937 rng(8);
  SetBook(Noise(rng, 130000));
  EXPECT_EQ(Run(empty + 1900), 0);
  const std::vector<std::string> files = OutFiles();
  EXPECT_EQ(files.size(), 198u);
  EXPECT_EQ(files.back(), "MyBook99.jar");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, Text("TooManyMidletsMsg"));
  EXPECT_EQ(host.messages[0].caption, Text("TooManyMidletsTitle"));
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host.terminate_requests, 0);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));
}

TEST_F(BookBuild, IntroductionThatFillsAMidletStopsTheBuild) {
  std::mt19937 rng(9);
  inputs.IntroText = Noise(rng, 60000) + "\r\n\r\n";
  SetBook(Words(rng, 5000));
  EXPECT_EQ(Run(32 * 1024), -1);
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, Text("UnableToBuildMidlet"));
  EXPECT_EQ(host.terminate_requests, 1);
}

TEST_F(BookBuild, UnreadableBookOrFailedSaveWritesNothingAndEnablesTheWindow) {
  inputs.TextFiles = {dir.File("missing.txt")};
  EXPECT_EQ(Run(64 * 1024), -1);
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Fatal error");
  EXPECT_EQ(host.terminate_requests, 1);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));

  host = RecordingHost();
  SetBook("Some text");
  const std::string nowhere = (dir.Path() / "no such folder" / "MyBook").string();
  EXPECT_EQ(BuildBookMidlets(Context(), false, Record(64 * 1024), true, nowhere), -1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));
}

TEST(BookBuildSteps, AddImageAndCutBeforeLastImage) {
  const TPictureList pictures = {"one", "two", "three"};
  TZipFile jar;
  AddImage(jar, "a\x01" "2.png\x02 b\x01  3.png\x02\x01" "0.png\x02\x01" "4.png\x02\x01" "2.png\x02\x01x", pictures);
  ASSERT_EQ(jar.Count(), 3);
  EXPECT_EQ(jar.FileName(0), "res/2.png");
  EXPECT_EQ(jar.ReadEntryData(0), "two");
  EXPECT_EQ(jar.FileName(1), "res/3.png");
  EXPECT_EQ(jar.FileName(2), "res/2.png");

  struct Case {
    std::string text;
    std::size_t cut;
    bool result;
    std::size_t after;
  } cases[] = {
      {"abc\x01" "1.png\x02" "def", 100, true, 3},
      {"abc\x01" "1.png\x02" "def", 4, true, 3},   // the marker start is the last character
      {"abc\x01" "1.png\x02" "def", 3, false, 3},  // no marker start within the cut
      {"\x01" "1.png\x02" "def", 50, false, 0},    // the cut would be empty
      {"plain", 3, false, 3},
      {"", 5, false, 5},
      {"ab\x01" "1.png\x02" "cd\x01" "2.png\x02", 12, true, 11},
      {"ab\x01" "1.png\x02" "cd\x01" "2.png\x02", 11, true, 2},
  };
  for (const Case& c : cases) {
    std::size_t cut = c.cut;
    EXPECT_EQ(CutBeforeLastImage(cut, c.text), c.result) << ::testing::PrintToString(c.text);
    EXPECT_EQ(cut, c.after) << ::testing::PrintToString(c.text);
  }
}

}  // namespace

namespace {

std::vector<int> MarkerNumbers(const std::string& part, bool& whole) {
  std::vector<int> numbers;
  for (std::size_t i = part.find('\x01'); i != std::string::npos; i = part.find('\x01', i + 1)) {
    const std::size_t end = part.find('\x02', i);
    if (end == std::string::npos || end - i > 16) {
      whole = false;
      continue;
    }
    numbers.push_back(std::stoi(part.substr(i + 1, end - i - 1)));
    if (part.substr(end - 4, 4) != ".png") whole = false;
  }
  return numbers;
}

class PictureBook : public BookBuild {
protected:
  void CopyPicture(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(dir.File(to)).parent_path());
    fs::copy_file(QW_TEST_DATA "/pictures/" + from, dir.File(to));
  }
};

}  // namespace

TEST_F(PictureBook, HtmlBooksWithPicturesMakeSoundMidlets) {
  const int savedCodePage = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  CopyPicture("logo.gif", "Pics/Logo.GIF");
  CopyPicture("rose.jpg", "Pics/rose.jpg");
  CopyPicture("rgb.png", "rgb.png");
  CopyPicture("transparent.gif", "Second/pics/transparent.gif");
  CopyPicture("rose_cmyk.jpg", "Second/pics/CMYK.jpeg");
  CopyPicture("palette.png", "Second/pics/palette.PNG");

  std::mt19937 rng(11);
  const std::string privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // UTF-8
  std::string one =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
      "<title>Sea Tales</title></head><body><h1>Sea Tales</h1>";
  std::string two =
      "<html><head><meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
      "</head><body>";
  const char* firstPictures[] = {"pics/logo.gif", "PICS/ROSE.JPG", "rgb.png"};
  const char* secondPictures[] = {"pics/Transparent.gif", "pics/cmyk.jpeg", "Pics/palette.png"};
  int expected = 0;
  for (int i = 0; i < 30; ++i) {
    one += "<p>" + privet + " " + Words(rng, 300 + rng() % 400) + " <img src=\"" + firstPictures[i % 3] + "\"></p>";
    two += "<p>\xCF\xF0\xE8\xE2\xE5\xF2 " + Words(rng, 300 + rng() % 400) + "<img alt = x src = " +
           secondPictures[i % 3] + "></p>";
    expected += 2;
  }
  WriteFile(dir.File("Part One.htm"), one + "</body></html>");
  WriteFile(dir.File("Second/part, two.HTML"), two + "</body></html>");
  inputs.TextFiles = {dir.File("Part One.htm"), dir.File("Second/part, two.HTML")};
  inputs.IntroText = "Intro\r\n\r\n";

  ASSERT_EQ(Run(48 * 1024), 0);
  EXPECT_TRUE(host.messages.empty());
  const std::vector<Midlet> midlets = Midlets();
  ASSERT_GE(midlets.size(), 2u);

  const bool haveUnzip = HaveTool("unzip"), havePython = HaveTool("python3");
  std::vector<bool> seen(std::size_t(expected) + 1, false);
  std::string joined;
  for (std::size_t i = 0; i < midlets.size(); ++i) {
    const Midlet& m = midlets[i];
    const std::string name = "MyBook" + IntToStr2(int(i) + 1) + ".jar";
    EXPECT_EQ(Attributes(m.jad).at("MIDlet-Jar-Size"), std::to_string(m.size));
    EXPECT_EQ(Attributes(m.jad).at("MIDlet-Jar-URL"), name);
    EXPECT_LE(m.size, 48 * 1024 - 512);
    std::string out;
    if (haveUnzip) {
      EXPECT_EQ(RunCommand("unzip -t " + ShellQuote(m.file), &out), 0) << out;
    }
    if (havePython) {
      EXPECT_EQ(RunCommand("python3 -c 'import sys,zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' " +
                               ShellQuote(m.file), &out), 0) << out;
    }

    // Every marker has its picture in this JAR, and every picture here is referred to.
    std::multiset<std::string> referred, stored;
    for (const std::string& part : m.parts) {
      bool whole = true;
      for (int n : MarkerNumbers(part, whole)) {
        referred.insert("res/" + std::to_string(n) + ".png");
        ASSERT_TRUE(n >= 1 && n <= expected) << n;
        seen[std::size_t(n)] = true;
      }
      EXPECT_TRUE(whole);
      joined += part;
    }
    for (int e = 0; e < m.jar.Count(); ++e) {
      const std::string& entry = m.jar.FileName(e);
      if (!entry.starts_with("res/") || !entry.ends_with(".png") || entry == "res/icon.png") continue;
      stored.insert(entry);
      EXPECT_TRUE(m.jar.ReadEntryData(e).starts_with("\x89PNG\r\n\x1A\n")) << entry;
    }
    EXPECT_EQ(referred, stored) << name;
  }
  for (int n = 1; n <= expected; ++n) EXPECT_TRUE(seen[std::size_t(n)]) << "picture " << n;
  // Both character sets end up as the same code-page text.
  EXPECT_NE(joined.find("Sea Tales"), std::string::npos);
  EXPECT_NE(joined.find("\xCF\xF0\xE8\xE2\xE5\xF2 "), std::string::npos);
  EXPECT_EQ(joined.find(privet), std::string::npos);
  EXPECT_NE(joined.find("-------------------"), std::string::npos);
  platform::SetAnsiCodePage(savedCodePage);
}

TEST_F(PictureBook, ShortPartsNeverEndInsideAMarker) {
  CopyPicture("transparent.gif", "t.gif");
  std::mt19937 rng(12);
  std::string html;
  for (int i = 0; i < 200; ++i) html += Words(rng, 60 + rng() % 80) + "<img src=t.gif>";
  WriteFile(dir.File("b.htm"), html);
  inputs.TextFiles = {dir.File("b.htm")};

  // The size of a first midlet holding one full part.
  ASSERT_EQ(Run(4 * 1024 * 1024), 0);
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/book1.txt") jar.DeleteLast();
  jar.DeleteLast();
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), Record(0), true, 1, Base()));
  const int64_t onePart = jar.ArchiveSize();

  int moved = 0, shortParts = 0;
  for (int64_t room = 40; room < 1400; room += 41) {
    ASSERT_EQ(Run(onePart + 512 + room), 0);
    const std::vector<Midlet> midlets = Midlets();
    ASSERT_GE(midlets.size(), 2u);
    ASSERT_GE(midlets[0].parts.size(), 1u);
    EXPECT_EQ(midlets[0].parts[0].size(), 8192u);
    for (const Midlet& m : midlets) {
      for (std::size_t k = 0; k < m.parts.size(); ++k) {
        bool whole = true;
        MarkerNumbers(m.parts[k], whole);
        EXPECT_TRUE(whole) << "room " << room << " part " << k;
        if (k > 0 && m.parts[k].size() < 1024) {
          ++shortParts;
          if (m.parts[k].size() % 16 != 0) ++moved;
        }
      }
    }
  }
  EXPECT_GT(shortParts, 20);
  EXPECT_GT(moved, 0);
}

TEST_F(PictureBook, PictureThatCannotBeLoadedWritesNothing) {
  CopyPicture("rgb.png", "good.png");
  WriteFile(dir.File("broken.gif"), "GIF89a this is not a picture");
  WriteFile(dir.File("b.htm"), "<p>text<img src=good.png> more<img src=broken.gif> end</p>");
  inputs.TextFiles = {dir.File("b.htm")};
  EXPECT_EQ(Run(64 * 1024), -1);
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Unable to load image: " + dir.File("broken.gif"));
  EXPECT_EQ(host.terminate_requests, 1);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));
}

TEST_F(PictureBook, UndecodablePngEndsOnlyTheBuild) {
  CopyPicture("rgb.png", "good.png");
  WriteFile(dir.File("broken.png"), "\x89PNG\r\n\x1a\n not a picture");
  WriteFile(dir.File("b.htm"), "<p>text<img src=good.png> more<img src=broken.png> end</p>");
  inputs.TextFiles = {dir.File("b.htm")};
  EXPECT_EQ(Run(64 * 1024), -1);
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(host.messages[0].text.starts_with("Broken PNG picture: ")) << host.messages[0].text;
  EXPECT_EQ(host.messages[0].caption, "Error");
  EXPECT_EQ(host.terminate_requests, 0);
  EXPECT_EQ(host.enabled_calls, (std::vector<bool>{false, true}));

  // The picture mended, the next build goes through.
  CopyPicture("palette.png", "mended/broken.png");
  fs::rename(dir.File("mended/broken.png"), dir.File("broken.png"));
  host.messages.clear();
  EXPECT_EQ(Run(64 * 1024), 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"MyBook.jad", "MyBook.jar"}));
  EXPECT_TRUE(host.messages.empty());
  TZipFile jar;
  jar.LoadFromFile(Base() + ".jar");
  EXPECT_GE(LookupArchiveEntry(jar, "res/2.png"), 0);
}

// A custom file chosen earlier and gone by the build is reported as a book file is.
TEST_F(BookBuild, CustomFilesThatCannotBeRead) {
  SetBook("Once upon a time.\r\n");
  enum class Kind { Help, Font, Keys };
  for (Kind kind : {Kind::Help, Kind::Font, Kind::Keys}) {
    const std::string gone = dir.File("gone/custom file");
    TMIDLETCONFIG c = Record(64 * 1024);
    inputs.UseCustomHelpFile = kind == Kind::Help;
    inputs.CustomHelpFile = gone;
    if (kind == Kind::Font) {
      c.FontNames[2] = "mine";
      c.FontSources[2] = gone;
    }
    if (kind == Kind::Keys) c.KeysConfig = 13;
    inputs.CustomKeysFile = gone;
    host = RecordingHost();
    fs::remove_all(Out());
    fs::create_directories(Out());
    EXPECT_EQ(BuildBookMidlets(Context(), false, c, true, Base()), -1);
    ASSERT_EQ(host.messages.size(), 1u) << int(kind);
    EXPECT_EQ(host.messages[0].text,
              "Unable to open file. File does not exist or is locked by other application: \"" + gone + "\"");
    EXPECT_EQ(host.messages[0].caption, "Fatal error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(host.terminate_requests, 1);
    EXPECT_TRUE(host.window_enabled);
    EXPECT_TRUE(OutFiles().empty()) << int(kind);
  }
}

TEST_F(BookBuild, CachedResourcesGiveTheSameMidlets) {
  std::mt19937 rng(13);
  SetBook(Words(rng, 90000));
  const TMIDLETCONFIG c = Record(24 * 1024);
  ASSERT_EQ(Run(c.JarLimit), 0);
  const std::vector<Midlet> plain = Midlets();
  const int plainSize = BuildBookMidlets(Context(), true, c, false, Base());

  TJarCache cache;
  BuildContext ctx = Context();
  ctx.Cache = &cache;
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(BuildBookMidlets(ctx, true, c, false, Base()), plainSize);
    fs::remove_all(Out());
    fs::create_directories(Out());
    ASSERT_EQ(BuildBookMidlets(ctx, false, c, false, Base()), 0);
    const std::vector<Midlet> cached = Midlets();
    ASSERT_EQ(cached.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
      ASSERT_EQ(cached[i].jar.Count(), plain[i].jar.Count());
      for (int e = 0; e < plain[i].jar.Count(); ++e) {
        EXPECT_EQ(cached[i].jar.FileName(e), plain[i].jar.FileName(e));
        EXPECT_EQ(cached[i].jar.ReadEntryData(e), plain[i].jar.ReadEntryData(e));
      }
      EXPECT_EQ(cached[i].size, plain[i].size);
    }
  }
  EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(BookBuild, EmptyBookGivesOneMidletWithAnEmptyPart) {
  SetBook("");
  ASSERT_EQ(Run(64 * 1024), 0);
  const std::vector<Midlet> m = Midlets();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].parts, std::vector<std::string>{""});
  EXPECT_TRUE(host.messages.empty());
}
