#include "assembly/bookbuild.h"

#include "assembly/archivecopy.h"
#include "assembly/fullbuild.h"
#include "assembly/midlettexts.h"
#include "assembly/normalize.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "descriptor_support.h"
#include "platform/system/codepage.h"
#include "support/recordinghost.h"
#include "support/samplearchive.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>

using namespace assembly;
using assembly::testing::Attributes;
using assembly::testing::FakeTexts;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Text(const char* name) { return FakeTexts().TextByName(name); }

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
    inputs_.Vendor = "Quire Vendor";
    inputs_.MidletName = "MyBook";
    inputs_.BookTitle = "My Book";
    inputs_.LiteVersion = true;
    inputs_.ImageParams.Colors = 3;
    inputs_.ImageParams.MaxWidth = 48;
    inputs_.ImageParams.MaxHeight = 48;
    fs::create_directories(Out());
  }

  BuildContext Context() { return BuildContext{SampleArchive(), host_, inputs_, texts_, &warned_}; }

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

  fs::path Out() const { return dir_.Path() / "out"; }
  std::string Base() const { return (Out() / "MyBook").string(); }

  void SetBook(const std::string& text) {
    const std::string file = dir_.File("book.txt");
    WriteFile(file, text);
    inputs_.TextFiles = {file};
  }

  bool Run(int64_t limit) {
    fs::remove_all(Out());
    fs::create_directories(Out());
    return BuildBookMidlets(Context(), false, Record(limit), true, Base()).Ok();
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
    const std::vector<std::string> files = inputs_.TextFiles;
    std::mt19937 rng(5);
    SetBook(Noise(rng, 40000));
    EXPECT_TRUE(Run(20000));
    std::vector<Midlet> m = Midlets();
    EXPECT_GE(m.size(), 2u);
    TZipFile jar = m.at(0).jar;
    while (jar.FileName(jar.Count() - 1) != "res/config.txt") jar.DeleteLast();
    inputs_.TextFiles = files;
    fs::remove_all(Out());
    fs::create_directories(Out());
    host_ = RecordingHost();
    return jar.ArchiveSize();
  }

  BuildInputs inputs_;
  RecordingHost host_;
  FakeTexts texts_;
  TempDir dir_;
  bool warned_ = false;
};

TEST_F(BookBuild, SmallBookMakesOneMidletWithoutNumber) {
  std::mt19937 rng(1);
  const std::string book = Words(rng, 8000);
  SetBook(book);
  ASSERT_TRUE(Run(256 * 1024));
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

  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));
  EXPECT_EQ(host_.statuses, (std::vector<std::string>{Text("LoadingTextFiles"), Text("GeneratingMidlets")}));
  ASSERT_FALSE(host_.progress.empty());
  EXPECT_EQ(host_.progress.back(), std::make_pair(8000, 8000));
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(host_.waits, std::vector<int>{100});
}

// A text book saved as UTF-8 with a byte-order mark reaches the phone in the process code page.
TEST_F(BookBuild, AUtf8TextBookIsStoredInTheCodePage) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  // "Глава первая. Книга" in UTF-8, and in Windows-1251.
  SetBook(
      "\xEF\xBB\xBF\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0 \xD0\xBF\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB0\xD1\x8F. "
      "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0");
  const bool built = Run(256 * 1024);
  platform::SetAnsiCodePage(saved);
  ASSERT_TRUE(built);
  const std::vector<Midlet> m = Midlets();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].parts,
            std::vector<std::string>{"\xC3\xEB\xE0\xE2\xE0 \xEF\xE5\xF0\xE2\xE0\xFF. \xCA\xED\xE8\xE3\xE0"});
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(BookBuild, TestModeMeasuresTheEmptyMidletAndWritesNothing) {
  const TMIDLETCONFIG c = Record(64 * 1024);
  const BuildResult measured = BuildBookMidlets(Context(), true, c, false, Base());
  ASSERT_TRUE(measured.Ok());
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_TRUE(host_.enabledCalls.empty());
  EXPECT_TRUE(host_.statuses.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(host_.waits.empty());

  // The same JAR as a real first midlet before its book, with midlet number 0.
  std::mt19937 rng(2);
  SetBook(Noise(rng, 100000));
  ASSERT_TRUE(Run(c.JarLimit));
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/config.txt") jar.DeleteLast();
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), c, true, 0, Base()));
  jar.WriteEntryData(Index(jar, "res/config.txt"),
                     MakeConfigText(SampleArchive(), c, inputs_, texts_, 0, inputs_.BookTitle));
  EXPECT_EQ(measured.PackedSize(), jar.ArchiveSize());
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
    inputs_.IntroText = "";
    ASSERT_TRUE(Run(limit));
    std::vector<Midlet> m = Midlets();
    ASSERT_GE(m.size(), 3u);
    std::string joined;
    for (const Midlet& midlet : m)
      for (const std::string& part : midlet.parts) joined += part;
    EXPECT_EQ(joined, book) << "limit " << limit;
    ExpectPartsFollowTheText(m, "", book);

    inputs_.IntroText = "An introduction\r\n\r\nin two lines\r\n\r\n";
    ASSERT_TRUE(Run(limit));
    ExpectPartsFollowTheText(Midlets(), inputs_.IntroText, book);
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(BookBuild, EveryJarStaysUnderTheLimitToTheByte) {
  std::mt19937 rng(4);
  SetBook(Words(rng, 150000));
  inputs_.IntroText = "Intro\r\n\r\n";
  const int64_t limit = 30 * 1024;
  ASSERT_TRUE(Run(limit));
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
  ASSERT_TRUE(Run(tight));
  std::vector<Midlet> same = Midlets();
  EXPECT_EQ(same.at(0).parts, first[0].parts);
  EXPECT_EQ(same.at(0).size, first[0].size);
  ASSERT_TRUE(Run(tight - 1));
  std::vector<Midlet> less = Midlets();
  EXPECT_NE(less.at(0).parts, first[0].parts);
  EXPECT_LE(less.at(0).size, tight - 1 - 512);
}

// Every midlet leaves 512 bytes of its JAR limit free, whether its last part took pictures or
// not. Limits a few bytes apart put the parts' sizes at every distance from the limit.
TEST_F(BookBuild, PartsWithPicturesKeep512BytesFree) {
  const char* pictures[] = {"rgb.png", "rose.jpg", "logo.gif", "palette.png", "interlaced.png"};
  for (const char* p : pictures) fs::copy_file(QW_TEST_DATA "/pictures/" + std::string(p), dir_.File(p));
  std::mt19937 rng(11);
  std::string html = "<html><body>";
  for (int i = 0; i < 40; ++i)
    html += "<p>" + Words(rng, 200 + rng() % 900) + " <img src=\"" + pictures[i % 5] + "\"></p>";
  WriteFile(dir_.File("book.htm"), html + "</body></html>");
  inputs_.ImageParams.MaxWidth = 64;
  inputs_.ImageParams.MaxHeight = 64;
  inputs_.TextFiles = {dir_.File("book.htm")};

  int jars = 0;
  for (int64_t limit = 20 * 1024; limit < 20 * 1024 + 12 * 89; limit += 89) {
    SCOPED_TRACE(limit);
    fs::remove_all(Out());
    fs::create_directories(Out());
    ASSERT_TRUE(BuildBookMidlets(Context(), false, Record(limit), false, Base()).Ok());
    for (const auto& entry : fs::directory_iterator(Out())) {
      if (entry.path().extension() != ".jar") continue;
      EXPECT_LE(int64_t(fs::file_size(entry.path())), limit - 512) << entry.path().filename();
      ++jars;
    }
  }
  EXPECT_GT(jars, 24);
}

// A largest picture size below 1 is refused before the book is loaded: one message, nothing
// written, the window enabled again.
TEST_F(BookBuild, LargestPictureSizeBelowOneIsRefused) {
  fs::copy_file(QW_TEST_DATA "/pictures/rgb.png", dir_.File("rgb.png"));
  WriteFile(dir_.File("book.htm"), "<html><body><p>Text <img src=\"rgb.png\"></p></body></html>");
  inputs_.TextFiles = {dir_.File("book.htm")};
  for (auto [w, h] : {std::pair{-5, -5}, {0, 64}, {96, 0}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    host_ = {};
    inputs_.ImageParams.MaxWidth = w;
    inputs_.ImageParams.MaxHeight = h;
    EXPECT_FALSE(Run(1024 * 1024));
    EXPECT_TRUE(OutFiles().empty());
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_NE(host_.messages[0].text.find("Largest picture size out of range"), std::string::npos)
        << host_.messages[0].text;
    EXPECT_EQ(host_.terminateRequests, 0);
  }
}

TEST_F(BookBuild, TwoFullPartsAndNoPieceOfAThird) {
  std::mt19937 rng(6);
  const std::string book = Words(rng, 40000);
  SetBook(book);
  inputs_.IntroText = "Intro\r\n\r\n";
  ASSERT_TRUE(Run(1024 * 1024));
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/book1.txt") jar.DeleteLast();
  const TMIDLETCONFIG c = Record(0);
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), c, true, 1, Base()));
  const int64_t twoParts = jar.ArchiveSize();

  ASSERT_TRUE(Run(twoParts + 512));
  const std::vector<Midlet> m = Midlets();
  ASSERT_GE(m.size(), 2u);
  ASSERT_EQ(m[0].parts.size(), 2u);
  EXPECT_EQ(m[0].parts[0].size(), 8192u);
  EXPECT_EQ(m[0].parts[1].size(), 8192u);
  EXPECT_EQ(m[0].size, twoParts);
  const std::string text = NormalizeBookText(inputs_.IntroText + book);
  EXPECT_EQ(m[0].parts[0] + m[0].parts[1], text.substr(0, 16384));
  EXPECT_TRUE(m[1].parts[0].starts_with(inputs_.IntroText + text.substr(16384, 100)));

  // A part that fits only at 7168 characters closes its midlet.
  ASSERT_TRUE(Run(twoParts + 511));
  const std::vector<Midlet> shorter = Midlets();
  ASSERT_EQ(shorter.at(0).parts.size(), 2u);
  EXPECT_EQ(shorter[0].parts[1].size(), 7168u);
}

TEST_F(BookBuild, MidletWithoutRoomForTheBookCannotBeBuilt) {
  const int64_t empty = EmptyFirstMidletSize();
  SetBook(std::string(8192, 'a'));
  EXPECT_FALSE(Run(empty + 1024));
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, Text("UnableToBuildMidlet"));
  EXPECT_EQ(host_.messages[0].caption, Text("UnableToBuildMidletTitle"));
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(host_.terminateRequests, 1);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));

  host_ = RecordingHost();
  EXPECT_TRUE(Run(empty + 1025));
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"MyBook.jad", "MyBook.jar"}));
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(BookBuild, FirstPartBelow1024WithoutPictureCannotBeBuilt) {
  const int64_t empty = EmptyFirstMidletSize();
  std::mt19937 rng(7);
  SetBook(Noise(rng, 20000));
  for (int run = 0; run < 2; ++run) {
    host_ = RecordingHost();
    EXPECT_FALSE(Run(empty + 1024 + 200));
    EXPECT_TRUE(OutFiles().empty());
    std::vector<std::string> texts;
    for (const auto& msg : host_.messages) texts.push_back(msg.text);
    // The warning shows once per run of the program.
    if (run == 0) {
      ASSERT_EQ(texts, (std::vector<std::string>{Text("JARLimitTooSmall"), Text("UnableToBuildMidlet")}));
      EXPECT_EQ(host_.messages[0].caption, Text("JARLimitTooSmallTitle"));
      EXPECT_EQ(host_.messages[0].icon, MessageIcon::Information);
    } else {
      EXPECT_EQ(texts, std::vector<std::string>{Text("UnableToBuildMidlet")});
    }
    EXPECT_EQ(host_.terminateRequests, 1);
    EXPECT_TRUE(warned_);
  }
}

TEST_F(BookBuild, AfterMidlet99TheRestIsNotWritten) {
  const int64_t empty = EmptyFirstMidletSize();
  std::mt19937 rng(8);
  SetBook(Noise(rng, 130000));
  fs::remove_all(Out());
  fs::create_directories(Out());
  const BuildResult result = BuildBookMidlets(Context(), false, Record(empty + 1900), true, Base());
  EXPECT_FALSE(result.Ok());  // the book was not written whole
  EXPECT_TRUE(result.Cut());
  const std::vector<std::string> files = OutFiles();
  EXPECT_EQ(files.size(), 198u);
  EXPECT_EQ(files.back(), "MyBook99.jar");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, Text("TooManyMidletsMsg"));
  EXPECT_EQ(host_.messages[0].caption, Text("TooManyMidletsTitle"));
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host_.terminateRequests, 0);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));
}

TEST_F(BookBuild, IntroductionThatFillsAMidletStopsTheBuild) {
  std::mt19937 rng(9);
  inputs_.IntroText = Noise(rng, 60000) + "\r\n\r\n";
  SetBook(Words(rng, 5000));
  EXPECT_FALSE(Run(32 * 1024));
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, Text("UnableToBuildMidlet"));
  EXPECT_EQ(host_.terminateRequests, 1);
}

TEST_F(BookBuild, UnreadableBookOrFailedSaveWritesNothingAndEnablesTheWindow) {
  inputs_.TextFiles = {dir_.File("missing.txt")};
  EXPECT_FALSE(Run(64 * 1024));
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Fatal error");
  EXPECT_EQ(host_.terminateRequests, 1);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));

  host_ = RecordingHost();
  SetBook("Some text");
  const std::string nowhere = (dir_.Path() / "no such folder" / "MyBook").string();
  EXPECT_FALSE(BuildBookMidlets(Context(), false, Record(64 * 1024), true, nowhere).Ok());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));
}

TEST(BookBuildSteps, AddImageAndCutBeforeLastImage) {
  TPictureEntries pictures({"one", "two", "three"});
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
  ~PictureBook() override { platform::SetAnsiCodePage(savedCodePage_); }

  // Builds the sea tales at 48 KB and runs an outside checker (a command followed by the JAR's
  // name) on every midlet.
  void EverySeaTalesMidletPasses(const std::string& command) {
    MakeSeaTales();
    ASSERT_TRUE(Run(48 * 1024));
    const std::vector<Midlet> midlets = Midlets();
    ASSERT_GE(midlets.size(), 2u);
    for (const Midlet& m : midlets) {
      std::string out;
      EXPECT_EQ(RunCommand(command + ShellQuote(m.file), &out), 0) << out;
    }
  }

  // Two HTML files, one UTF-8 and one in code page 1251 (the process code page from here on),
  // with pictures of every kind under names in other letter cases; returns the number of
  // pictures they show.
  int MakeSeaTales() {
    platform::SetAnsiCodePage(1251);
    CopyPicture("logo.gif", "Pics/Logo.GIF");
    CopyPicture("rose.jpg", "Pics/rose.jpg");
    CopyPicture("rgb.png", "rgb.png");
    CopyPicture("transparent.gif", "Second/pics/transparent.gif");
    CopyPicture("rose_cmyk.jpg", "Second/pics/CMYK.jpeg");
    CopyPicture("palette.png", "Second/pics/palette.PNG");

    std::mt19937 rng(11);
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
      one += "<p>" + privet_ + " " + Words(rng, 300 + rng() % 400) + " <img src=\"" + firstPictures[i % 3] + "\"></p>";
      two += "<p>\xCF\xF0\xE8\xE2\xE5\xF2 " + Words(rng, 300 + rng() % 400) +
             "<img alt = x src = " + secondPictures[i % 3] + "></p>";
      expected += 2;
    }
    WriteFile(dir_.File("Part One.htm"), one + "</body></html>");
    WriteFile(dir_.File("Second/part, two.HTML"), two + "</body></html>");
    inputs_.TextFiles = {dir_.File("Part One.htm"), dir_.File("Second/part, two.HTML")};
    inputs_.IntroText = "Intro\r\n\r\n";
    return expected;
  }

  void CopyPicture(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(dir_.File(to)).parent_path());
    fs::copy_file(QW_TEST_DATA "/pictures/" + from, dir_.File(to));
  }

  const std::string privet_ = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // UTF-8

private:
  const int savedCodePage_ = platform::AnsiCodePage();
};

}  // namespace

TEST_F(PictureBook, HtmlBooksWithPicturesMakeSoundMidlets) {
  const int expected = MakeSeaTales();
  ASSERT_TRUE(Run(48 * 1024));
  EXPECT_TRUE(host_.messages.empty());
  const std::vector<Midlet> midlets = Midlets();
  ASSERT_GE(midlets.size(), 2u);

  std::vector<bool> seen(std::size_t(expected) + 1, false);
  std::string joined;
  for (std::size_t i = 0; i < midlets.size(); ++i) {
    const Midlet& m = midlets[i];
    const std::string name = "MyBook" + IntToStr2(int(i) + 1) + ".jar";
    EXPECT_EQ(Attributes(m.jad).at("MIDlet-Jar-Size"), std::to_string(m.size));
    EXPECT_EQ(Attributes(m.jad).at("MIDlet-Jar-URL"), name);
    EXPECT_LE(m.size, 48 * 1024 - 512);

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
  EXPECT_EQ(joined.find(privet_), std::string::npos);
  EXPECT_NE(joined.find("-------------------"), std::string::npos);
}

TEST_F(PictureBook, HtmlBooksWithPicturesPassUnzip) {
  QW_REQUIRE_TOOL("unzip");
  EverySeaTalesMidletPasses("unzip -t ");
}

TEST_F(PictureBook, HtmlBooksWithPicturesPassPythonsZipfile) {
  QW_REQUIRE_TOOL("python3");
  EverySeaTalesMidletPasses(
      "python3 -c 'import sys,zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' ");
}

TEST_F(PictureBook, ShortPartsNeverEndInsideAMarker) {
  CopyPicture("transparent.gif", "t.gif");
  std::mt19937 rng(12);
  std::string html;
  for (int i = 0; i < 200; ++i) html += Words(rng, 60 + rng() % 80) + "<img src=t.gif>";
  WriteFile(dir_.File("b.htm"), html);
  inputs_.TextFiles = {dir_.File("b.htm")};

  // The size of a first midlet holding one full part.
  ASSERT_TRUE(Run(4 * 1024 * 1024));
  TZipFile jar = Midlets().at(0).jar;
  while (jar.FileName(jar.Count() - 1) != "res/book1.txt") jar.DeleteLast();
  jar.DeleteLast();
  jar.WriteEntryData(Index(jar, "META-INF/MANIFEST.MF"), MakeManifest(Context(), Record(0), true, 1, Base()));
  const int64_t onePart = jar.ArchiveSize();

  int moved = 0, shortParts = 0;
  for (int64_t room = 40; room < 1400; room += 41) {
    ASSERT_TRUE(Run(onePart + 512 + room));
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
  WriteFile(dir_.File("broken.gif"), "GIF89a this is not a picture");
  WriteFile(dir_.File("b.htm"), "<p>text<img src=good.png> more<img src=broken.gif> end</p>");
  inputs_.TextFiles = {dir_.File("b.htm")};
  EXPECT_FALSE(Run(64 * 1024));
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Unable to load image: " + dir_.File("broken.gif"));
  EXPECT_EQ(host_.terminateRequests, 1);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));
}

TEST_F(PictureBook, UndecodablePngEndsOnlyTheBuild) {
  CopyPicture("rgb.png", "good.png");
  WriteFile(dir_.File("broken.png"), "\x89PNG\r\n\x1a\n not a picture");
  WriteFile(dir_.File("b.htm"), "<p>text<img src=good.png> more<img src=broken.png> end</p>");
  inputs_.TextFiles = {dir_.File("b.htm")};
  EXPECT_FALSE(Run(64 * 1024));
  EXPECT_TRUE(OutFiles().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_TRUE(host_.messages[0].text.starts_with("Broken PNG picture: ")) << host_.messages[0].text;
  EXPECT_EQ(host_.messages[0].caption, "Error");
  EXPECT_EQ(host_.terminateRequests, 0);
  EXPECT_EQ(host_.enabledCalls, (std::vector<bool>{false, true}));

  // The picture mended, the next build goes through.
  CopyPicture("palette.png", "mended/broken.png");
  fs::rename(dir_.File("mended/broken.png"), dir_.File("broken.png"));
  host_.messages.clear();
  EXPECT_TRUE(Run(64 * 1024));
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"MyBook.jad", "MyBook.jar"}));
  EXPECT_TRUE(host_.messages.empty());
  TZipFile jar;
  jar.LoadFromFile(Base() + ".jar");
  EXPECT_GE(LookupArchiveEntry(jar, "res/2.png"), 0);
}

// A custom file chosen earlier and gone by the build is reported as a book file is.
TEST_F(BookBuild, CustomFilesThatCannotBeRead) {
  SetBook("Once upon a time.\r\n");
  enum class Kind { Help, Font, Keys };
  for (Kind kind : {Kind::Help, Kind::Font, Kind::Keys}) {
    const std::string gone = dir_.File("gone/custom file");
    TMIDLETCONFIG c = Record(64 * 1024);
    inputs_.UseCustomHelpFile = kind == Kind::Help;
    inputs_.CustomHelpFile = gone;
    if (kind == Kind::Font) {
      c.FontNames[2] = "mine";
      c.FontSources[2] = gone;
    }
    if (kind == Kind::Keys) c.KeysConfig = 13;
    inputs_.CustomKeysFile = gone;
    host_ = RecordingHost();
    fs::remove_all(Out());
    fs::create_directories(Out());
    EXPECT_FALSE(BuildBookMidlets(Context(), false, c, true, Base()).Ok());
    ASSERT_EQ(host_.messages.size(), 1u) << int(kind);
    EXPECT_EQ(host_.messages[0].text,
              "Unable to open file. File does not exist or is locked by other application: \"" + gone + "\"");
    EXPECT_EQ(host_.messages[0].caption, "Fatal error");
    EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(host_.terminateRequests, 1);
    EXPECT_TRUE(host_.windowEnabled);
    EXPECT_TRUE(OutFiles().empty()) << int(kind);
  }
}

TEST_F(BookBuild, CachedResourcesGiveTheSameMidlets) {
  std::mt19937 rng(13);
  SetBook(Words(rng, 90000));
  const TMIDLETCONFIG c = Record(24 * 1024);
  ASSERT_TRUE(Run(c.JarLimit));
  const std::vector<Midlet> plain = Midlets();
  const int64_t plainSize = BuildBookMidlets(Context(), true, c, false, Base()).PackedSize();

  TJarCache cache;
  BuildContext ctx = Context();
  ctx.Cache = &cache;
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(BuildBookMidlets(ctx, true, c, false, Base()).PackedSize(), plainSize);
    fs::remove_all(Out());
    fs::create_directories(Out());
    ASSERT_TRUE(BuildBookMidlets(ctx, false, c, false, Base()).Ok());
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
  ASSERT_TRUE(Run(64 * 1024));
  const std::vector<Midlet> m = Midlets();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].parts, std::vector<std::string>{""});
  EXPECT_TRUE(host_.messages.empty());
}

namespace {

// The midlets a build leaves in a folder: each JAR's entries (name, CRC, packed and inflated
// data, entry times aside) and each JAD, by file name.
std::map<std::string, std::vector<std::string>> Outputs(const fs::path& folder) {
  std::map<std::string, std::vector<std::string>> out;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    std::vector<std::string>& items = out[name];
    if (e.path().extension() != ".jar") {
      items.push_back(ReadFile(e.path().string()));
      continue;
    }
    TZipFile jar;
    jar.LoadFromFile(e.path().string());
    for (int i = 0; i < jar.Count(); ++i)
      items.push_back(jar.FileName(i) + " " + std::to_string(jar.LocalFile(i).Common.CRC32) + " " +
                      jar.LocalFile(i).CompressedData + " " + jar.ReadEntryData(i));
  }
  return out;
}

class PictureRuns : public PictureBook {
protected:
  // A build into a folder of its own with the given picture threads and entry reuse.
  bool RunIn(const fs::path& out, int64_t limit, unsigned threads, bool reuse) {
    fs::create_directories(out);
    BuildContext ctx = Context();
    ctx.PictureThreads = threads;
    ctx.ReusePackedPictures = reuse;
    return BuildBookMidlets(ctx, false, Record(limit), true, (out / "MyBook").string()).Ok();
  }
};

}  // namespace

TEST_F(PictureRuns, MidletsAreTheSameOnOneThreadOrAllAndWithPackedPicturesReused) {
  const char* sources[] = {"logo.gif",      "rose.jpg",    "rgb.png",        "transparent.gif",
                           "rose_cmyk.jpg", "palette.png", "interlaced.png", "rose_progressive.jpg"};
  std::mt19937 rng(21);
  std::string html = "<html><head><title>Pictures</title></head><body>";
  std::vector<std::string> names;
  for (int i = 0; i < 20; ++i) {
    names.push_back("p" + std::to_string(i) + fs::path(sources[i % 8]).extension().string());
    CopyPicture(sources[i % 8], names.back());
  }
  for (int i = 0; i < 80; ++i)
    html += "<p>" + Words(rng, 200 + rng() % 1500) + "<img src=" + names[std::size_t(i % 20)] + "></p>";
  WriteFile(dir_.File("book.htm"), html + "</body></html>");
  inputs_.TextFiles = {dir_.File("book.htm")};
  inputs_.ImageParams.MaxWidth = 128;
  inputs_.ImageParams.MaxHeight = 128;
  inputs_.ImageParams.Dithering = 1;

  for (int64_t limit : {64 * 1024, 512 * 1024}) {
    SCOPED_TRACE(::testing::Message() << "limit " << limit);
    const fs::path reference = dir_.Path() / ("one-" + std::to_string(limit));
    ASSERT_TRUE(RunIn(reference, limit, 1, false));
    const auto expected = Outputs(reference);
    ASSERT_GE(expected.size(), 2u);
    for (const auto& [threads, reuse] : {std::pair{0u, true}, {0u, false}, {1u, true}, {3u, true}}) {
      const fs::path out = dir_.Path() / ("run-" + std::to_string(limit) + "-" + std::to_string(threads) +
                                          (reuse ? "-reused" : "-packed-anew"));
      ASSERT_TRUE(RunIn(out, limit, threads, reuse));
      EXPECT_TRUE(Outputs(out) == expected) << threads << " threads, reuse " << reuse;
    }
  }
  // The small limit spreads the book over several midlets, each with its pictures.
  EXPECT_GE(Outputs(dir_.Path() / "one-65536").size(), 6u);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(PictureRuns, ABrokenThirdPictureGivesTheSameMessagesAndFilesOnAllCores) {
  CopyPicture("rgb.png", "one.png");
  CopyPicture("rose.jpg", "two.jpg");
  WriteFile(dir_.File("three.gif"), "GIF89a this is not a picture");
  CopyPicture("logo.gif", "four.gif");
  WriteFile(dir_.File("five.jpg"), std::string("\xFF\xD8\xFF\xE0 not a JPEG either", 22));
  std::string html;
  for (const char* name : {"one.png", "two.jpg", "three.gif", "four.gif", "five.jpg", "one.png"})
    html += "<p>Some text <img src=" + std::string(name) + "></p>";
  WriteFile(dir_.File("b.htm"), html);
  inputs_.TextFiles = {dir_.File("b.htm"), dir_.File("missing.txt"), dir_.File("b.htm")};

  ASSERT_FALSE(RunIn(dir_.Path() / "one", 64 * 1024, 1, true));
  const RecordingHost one = host_;
  const std::vector<std::string> expected = {
      "Unable to load image: " + dir_.File("three.gif"), "Unable to load image: " + dir_.File("five.jpg"),
      "Unable to open file. File does not exist or is locked by other application: \"" + dir_.File("missing.txt") +
          "\"",
      "Unable to load image: " + dir_.File("three.gif"), "Unable to load image: " + dir_.File("five.jpg")};
  std::vector<std::string> texts;
  for (const auto& m : one.messages) texts.push_back(m.text);
  EXPECT_EQ(texts, expected);

  for (unsigned threads : {0u, 2u}) {
    host_ = RecordingHost();
    const fs::path out = dir_.Path() / ("all" + std::to_string(threads));
    EXPECT_FALSE(RunIn(out, 64 * 1024, threads, true));
    ASSERT_EQ(host_.messages.size(), one.messages.size());
    for (std::size_t i = 0; i < one.messages.size(); ++i) {
      EXPECT_EQ(host_.messages[i].text, one.messages[i].text);
      EXPECT_EQ(host_.messages[i].caption, one.messages[i].caption);
      EXPECT_EQ(host_.messages[i].icon, one.messages[i].icon);
    }
    EXPECT_EQ(host_.terminateRequests, one.terminateRequests);
    EXPECT_EQ(host_.progress, one.progress);
    EXPECT_EQ(host_.statuses, one.statuses);
    EXPECT_EQ(host_.enabledCalls, one.enabledCalls);
    EXPECT_EQ(host_.processMessages, one.processMessages);
    EXPECT_TRUE(Outputs(out).empty());
  }
  EXPECT_TRUE(Outputs(dir_.Path() / "one").empty());
}

namespace {

// A JAR to fit parts into: some entries of noise that hardly compress.
TZipFile NoiseJar(std::mt19937& rng) {
  TZipFile jar;
  AddJarEntry(jar, "core.bin", Noise(rng, 3000));
  AddJarEntry(jar, "res/config.txt", "config");
  return jar;
}

// Bytes deflate cannot shrink, so that it stores them: a longer text is always a larger entry.
std::string Incompressible(std::mt19937& rng, std::size_t length) {
  std::string s(length, ' ');
  for (char& c : s) c = char(3 + rng() % 253);  // never a marker character
  return s;
}

// The packed size of the JAR with one more entry of that name and text.
int64_t SizeWith(TZipFile jar, const std::string& name, std::string_view text) {
  AddJarEntry(jar, name, text);
  return jar.ArchiveSize();
}

}  // namespace

TEST_F(BookBuild, FitPartTakesTheLongestCutThatFits) {
  std::mt19937 rng(31);
  const TZipFile start = NoiseJar(rng);
  const std::string window = Incompressible(rng, 8192 + 32);
  TPictureEntries none({});
  TPictureEntries onePicture({"a picture"});  // in the book, not in this window

  struct Case {
    int k;
    bool bookHasPictures;
    std::size_t fitsUpTo;  // the limit leaves room for this many characters
    std::size_t expected;
  } cases[] = {
      {0, false, 8192, 8192}, {1, false, 8192, 8192}, {1, false, 7000, 6144},  // 8192, 7168 do not fit
      {0, false, 7000, 6144},                         // the same for a first part of a book without pictures
      {0, true, 7000, 6912},                          // by 256 for the first part of a book with pictures
      {2, true, 7000, 6144},                          // later parts by 1024 whatever the book
      {1, false, 1030, 1024}, {1, false, 1000, 992},  // below 1024 by 16
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "k " << c.k << " room " << c.fitsUpTo);
    TZipFile jar = start;
    const std::string name = "res/book" + std::to_string(c.k) + ".txt";
    const int64_t limit = SizeWith(start, name, window.substr(0, c.fitsUpTo)) + 512;
    const PartFit fit = FitPart(Context(), jar, c.k, window, c.bookHasPictures ? onePicture : none, limit, warned_);
    EXPECT_EQ(fit.Outcome, PartOutcome::Added);
    EXPECT_EQ(fit.Length, c.expected);
    ASSERT_EQ(jar.Count(), start.Count() + 1);
    EXPECT_EQ(jar.FileName(jar.Count() - 1), name);
    EXPECT_EQ(jar.ReadEntryData(jar.Count() - 1), window.substr(0, c.expected));
  }
  EXPECT_FALSE(warned_);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(BookBuild, FitPartThatFindsNoRoom) {
  std::mt19937 rng(32);
  const TZipFile start = NoiseJar(rng);
  const std::string window = Noise(rng, 600) +
                             "\x01"
                             "2.png\x02" +
                             Noise(rng, 9000);
  TPictureEntries pictures({"first", std::string(4000, 'p')});
  const int64_t tight = SizeWith(start, "res/book1.txt", "") + 512;

  // A later part is dropped: the JAR is left as it was, no message.
  TZipFile jar = start;
  PartFit fit = FitPart(Context(), jar, 1, window, pictures, tight, warned_);
  EXPECT_EQ(fit.Outcome, PartOutcome::Dropped);
  EXPECT_EQ(jar.Count(), start.Count());
  EXPECT_EQ(jar.ArchiveSize(), start.ArchiveSize());
  EXPECT_TRUE(host_.messages.empty());

  // A first part below 1024 characters warns once and ends just before its last picture.
  const int64_t beforePicture = SizeWith(start, "res/book0.txt", window.substr(0, 620)) + 512;
  fit = FitPart(Context(), jar, 0, window, pictures, beforePicture, warned_);
  EXPECT_EQ(fit.Outcome, PartOutcome::Added);
  EXPECT_EQ(fit.Length, 600u);
  EXPECT_EQ(jar.Count(), start.Count() + 1);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "<JARLimitTooSmall>");
  EXPECT_EQ(host_.messages[0].caption, "<JARLimitTooSmallTitle>");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(warned_);

  // Without a picture to cut before, a first part cannot be fitted; the warning stays shown once.
  jar = start;
  fit = FitPart(Context(), jar, 0, Noise(rng, 9000), pictures, tight + 300, warned_);
  EXPECT_EQ(fit.Outcome, PartOutcome::CannotFit);
  EXPECT_EQ(jar.Count(), start.Count());
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(BookBuild, AssembleMidletTakesFullPartsFromTheFrontOfTheText) {
  std::mt19937 rng(33);
  const TZipFile base = NoiseJar(rng);
  const std::string book = Noise(rng, 20000);
  TPictureEntries none({});
  const TMIDLETCONFIG huge = Record(1024 * 1024);

  // Two full parts fit, a third of 8192 or 7168 ... characters does not: the midlet closes
  // after the two (a third part could only be dropped).
  TNormalizedText probe(book);
  const std::optional<AssembledMidlet> roomy = AssembleMidlet(Context(), huge, base, 1, Base(), probe, none, warned_);
  ASSERT_TRUE(roomy);
  TZipFile two = roomy->Jar;
  while (two.FileName(two.Count() - 1) != "res/book1.txt") two.DeleteLast();
  TNormalizedText text(book);
  const std::optional<AssembledMidlet> m =
      AssembleMidlet(Context(), Record(two.ArchiveSize() + 512 + 100), base, 1, Base(), text, none, warned_);
  ASSERT_TRUE(m);
  std::vector<std::string> names;
  for (int i = base.Count(); i < m->Jar.Count(); ++i) names.push_back(m->Jar.FileName(i));
  EXPECT_EQ(names,
            (std::vector<std::string>{"META-INF/MANIFEST.MF", "res/config.txt", "res/book0.txt", "res/book1.txt"}));
  EXPECT_EQ(m->Jar.ReadEntryData(m->Jar.Count() - 1), book.substr(8192, 8192));
  EXPECT_EQ(Attributes(m->Jar.ReadEntryData(base.Count())).at("MIDlet-Name"), "MyBook01");
  EXPECT_EQ(m->TakenNonBlank, 16384u);
  EXPECT_EQ(text.ToString(), book.substr(16384));

  // Without book text the midlet must stay below the limit less 1024 bytes.
  TZipFile empty = roomy->Jar;
  while (empty.FileName(empty.Count() - 1) != "res/config.txt") empty.DeleteLast();
  TNormalizedText shortText("short");
  EXPECT_FALSE(
      AssembleMidlet(Context(), Record(empty.ArchiveSize() + 1024), base, 1, Base(), shortText, none, warned_));
  EXPECT_EQ(shortText.ToString(), "short");
  const std::optional<AssembledMidlet> fits =
      AssembleMidlet(Context(), Record(empty.ArchiveSize() + 1025), base, 1, Base(), shortText, none, warned_);
  ASSERT_TRUE(fits);
  EXPECT_EQ(fits->Jar.ReadEntryData(fits->Jar.Count() - 1), "short");
  EXPECT_TRUE(shortText.Empty());
  EXPECT_TRUE(host_.messages.empty());
}
