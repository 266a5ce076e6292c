#include "assembly/booktext.h"

#include "assembly/host.h"
#include "platform/system/codepage.h"
#include "support/recordinghost.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace assembly {
namespace {

namespace fs = std::filesystem;

using Host = testing::RecordingHost;

// A unique temporary folder removed at the end of the test.
struct TempDir {
  testing_support::TempDir dir;
  const fs::path& path = dir.Path();
  std::string Write(const std::string& name, const std::string& data) const {
    const fs::path p = path / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << data;
    return p.string();
  }
  std::string Folder() const { return path.string() + "/"; }
};

// Records what it was asked to convert, from any thread; the PNG is a stand-in naming the file.
struct FakeConverter {
  std::vector<std::string> asked;
  bool accept = true;
  std::mutex lock;
  PictureConverter Fn() {
    return [this](const std::string& path, std::string& png) {
      {
        std::lock_guard<std::mutex> guard(lock);
        asked.push_back(path);
      }
      png = "PNG of " + fs::path(path).filename().string();
      return accept;
    };
  }
  HostedPictureConverter HostedFn() {
    const PictureConverter fn = Fn();
    return [fn](const std::string& path, std::string& png, BuildHost&) { return fn(path, png); };
  }
};

std::string Marker(int n) { return "\x01" + std::to_string(n) + ".png\x02"; }

std::string Convert(const std::string& html) {
  TPictureList pictures;
  return HtmlToText(html, pictures, "/nonexistent/", nullptr);
}

TEST(DecodeHtmlEntities, TableAndOrder) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"&quot;&nbsp;&#9;&amp;&lt;&gt;&copy;&reg;", "\"  &<>(C)(R)"},
      {"&ensp;&emsp;&thinsp;&ndash;&mdash;&lsquo;&rsquo;&sbquo;", "   --`''"},
      {"&ldquo;&bdquo;&rdquo;&bull;&hellip;&frasl;&trade;&sim;", "\"\"\"- .../(tm)~"},
      {"&le;&ge;&sdot;", "<=>=*"},
      {"&amp;lt;", "<"},        // the ampersand first, then the less-than
      {"&amp;amp;", "&amp;"},   // one pass per entity
      {"&#65;&#x41;&auml;", "&#65;&#x41;&auml;"},
      {"&AMP;&Lt;", "&AMP;&Lt;"},  // case matters
      {"a & b", "a & b"},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    DecodeHtmlEntities(s);
    EXPECT_EQ(s, c.out) << c.in;
  }
}

TEST(BookTextHelpers, TabsBreaksAndTrim) {
  std::string s = "\ta\r\nb\n";
  TabsAndBreaksToSpaces(s);
  EXPECT_EQ(s, " a  b ");
  std::string t = " \n\r a \t\n \n";
  TrimSpacesAndLineFeeds(t);
  EXPECT_EQ(t, "\r a \t");
  std::string e = " \n ";
  TrimSpacesAndLineFeeds(e);
  EXPECT_EQ(e, "");
}

TEST(HtmlToText, Conversions) {
  struct Case {
    std::string html, text;
  } cases[] = {
      {"<p>one</p><p>two</p>", "one\n\ntwo"},
      {"a<br>b", "a\n\nb"},
      {"a<br/>b", "a\n\nb"},
      {"a<BR />b", "a\n\nb"},
      {"<div>a</div><div>b</div>", "a\n\nb"},
      {"<h2>Head</h2>text", "Head\n\n\ntext"},
      {"x<h6>y</H6>z", "x\n\n\ny\n\n\nz"},
      {"<h7>a</h7>b", "ab"},
      {"<table><tr><td>a</td><td> </td><td>b</td></tr></table>", "a\n\n b"},
      {"<style>p { color: red }</style>text", "text"},
      {"<SCRIPT>var x;</script>after", "after"},
      {"<Script type=text/javascript>a<b>c</SCRIPT >d", "d"},
      {"<form action=x>input</form>kept", "kept"},
      {"<title>T</title><p>T and more</p>", "T and more"},
      {"<title>Title</title><p>Body</p>", "Title\n\n\nBody"},
      {"<title>ti</title>TI first", "TI first"},
      {"&amp;lt; and &#65;", "< and &#65;"},
      {"<!-- <p>hidden</p> -->shown", "shown"},
      {"<!---->a<!-- x -- y -->b", "ab"},
      {"before<!-- never closed", "before"},
      {"a<p", "a"},
      {"a\x05" "b\x1F" "c", "abc"},
      {"a\tb\r\nc", "a b  c"},
      {"  \n<p>x</p>\n  ", "x"},
      {"<p class = \"c\" >x</p >y", "x\n\ny"},
      // The skipped elements start only at a tag's name.
      {"<div title=\"fill in the form below\">kept</div>more", "kept\n\nmore"},
      {"<p class=style>a</p><span script>b</span>", "a\n\nb"},
      // A skipped element that is never closed drops the rest.
      {"a<script>b<p>c", "a"},
      {"a<style>b</styl>c", "a"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.html), c.text) << c.html;
}

TEST(HtmlToText, CharacterSets) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  const std::string utf8Head =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
  // "Привет" + no-break space + "мир" in UTF-8 becomes the 1251 bytes with a plain space.
  const std::string utf8Body = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\xC2\xA0\xD0\xBC\xD0\xB8\xD1\x80";
  const std::string cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
  EXPECT_EQ(Convert(utf8Head + utf8Body), cp1251);
  EXPECT_EQ(Convert("<meta content=\"text/html;charset=UTF-8\">" + utf8Body), cp1251);
  EXPECT_EQ(Convert("<title>" + utf8Body + "</title>" + utf8Head + "x"), cp1251 + "\n\n\nx");
  // A meta tag's quoted charset counts as the unquoted one; in another tag it is no declaration.
  EXPECT_EQ(Convert("<meta charset=\"utf-8\">" + utf8Body), cp1251);
  EXPECT_EQ(Convert("<meta charset='UTF-8'/>" + utf8Body), cp1251);
  EXPECT_EQ(Convert("<p charset=\"utf-8\">" + utf8Body), utf8Body);
  // windows-1251: bytes kept, no-break spaces become spaces; undeclared, they stay.
  const std::string win = "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">";
  EXPECT_EQ(Convert(win + "\xCF\xA0\xF0"), "\xCF \xF0");
  EXPECT_EQ(Convert("\xCF\xA0\xF0"), "\xCF\xA0\xF0");
  platform::SetAnsiCodePage(saved);
}

// An XML declaration's encoding counts as a meta tag's charset of the same name; where both
// are given the meta tag wins.
TEST(HtmlToText, XmlDeclarationsNameTheCharset) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  // "Привет" + no-break space + "мир": in UTF-8, and as 1251 bytes with the space it becomes.
  const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\xC2\xA0\xD0\xBC\xD0\xB8\xD1\x80";
  const std::string cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2\xA0\xEC\xE8\xF0";
  const std::string spaced = "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
  const std::string xhtml = "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body><p>";
  const std::string metaWin = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"/>";
  struct Case {
    const char* what;
    std::string html, text;
  };
  const Case cases[] = {
      {"utf-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + xhtml + utf8, spaced},
      {"utf-8 single quotes", "<?xml version='1.0' encoding='utf-8'?>" + xhtml + utf8, spaced},
      {"blanks around =", "<?xml version=\"1.0\" encoding = \"UTF-8\" ?>" + xhtml + utf8, spaced},
      {"windows-1251", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + xhtml + cp1251, spaced},
      {"no declaration", xhtml + cp1251, cp1251},
      {"another name", "<?xml version=\"1.0\" encoding=\"ISO-8859-5\"?>" + xhtml + cp1251, cp1251},
      {"not a declaration", "<p encoding=\"UTF-8\">" + utf8, utf8},
      {"meta wins over utf-8",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><head>" + metaWin + "</head>" + xhtml + cp1251, spaced},
      {"meta wins over windows", "<?xml version=\"1.0\" encoding=\"windows-1251\"?><meta charset=\"utf-8\"/>" + utf8,
       spaced},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.html), c.text) << c.what;
  platform::SetAnsiCodePage(1252);
  EXPECT_EQ(Convert("<?xml version=\"1.0\" encoding=\"UTF-8\"?><p>It\xE2\x80\x99s</p>"), "It\x92s");
  platform::SetAnsiCodePage(saved);
}

TEST(HtmlToText, Pictures) {
  TempDir dir;
  dir.Write("My Pic.GIF", "gif");
  dir.Write("Pic.png", "png");
  dir.Write("Images/Deep.Jpg", "jpg");
  dir.Write("picture.bmp", "bmp");
  struct Case {
    std::string html;
    std::string text;
    std::vector<std::string> converted;  // file names passed to the converter
  } cases[] = {
      // A quoted value with a blank ends at the blank; %20 restores it, case is ignored.
      {"<img src=\"my pic.gif\">a", "a", {}},
      {"<img src=my%20pic.gif>a", Marker(1) + "a", {"My Pic.GIF"}},
      {"<IMG alt = \"x\" SRC = pic.PNG >", Marker(1), {"Pic.png"}},
      {"x<img src=\"images\\deep.jpg\" width=3>y", "x" + Marker(1) + "y", {"Deep.Jpg"}},
      {"<img src=./IMAGES/../pic.png>", Marker(1), {"Pic.png"}},
      {"<img src='pic.png'>a", "a", {}},
      {"<img src=missing.gif>a", "a", {}},
      {"<img src=picture.bmp>a", "a", {}},
      {"<img src=http://example.com/pic.png>a", "a", {}},
      {"<img alt=x>a", "a", {}},
      {"<img src=images>a", "a", {}},
      {"<title>T<img src=pic.png></title>body", "T\n\n\n" + Marker(1) + "body", {"Pic.png"}},
      {"<img src=pic.png><img src=my%20pic.gif>", Marker(1) + Marker(2), {"Pic.png", "My Pic.GIF"}},
  };
  for (const Case& c : cases) {
    FakeConverter fake;
    TPictureList pictures;
    EXPECT_EQ(HtmlToText(c.html, pictures, dir.Folder(), fake.Fn()), c.text) << c.html;
    ASSERT_EQ(fake.asked.size(), c.converted.size()) << c.html;
    ASSERT_EQ(pictures.size(), c.converted.size()) << c.html;
    for (std::size_t i = 0; i < c.converted.size(); ++i) {
      EXPECT_EQ(fs::path(fake.asked[i]).filename(), c.converted[i]) << c.html;
      EXPECT_TRUE(fs::is_regular_file(fake.asked[i])) << fake.asked[i];
      EXPECT_EQ(pictures[i], "PNG of " + c.converted[i]);
    }
  }
  // A picture the converter leaves out leaves no trace.
  FakeConverter refuse;
  refuse.accept = false;
  TPictureList pictures;
  EXPECT_EQ(HtmlToText("a<img src=pic.png>b", pictures, dir.Folder(), refuse.Fn()), "ab");
  EXPECT_EQ(refuse.asked.size(), 1u);
  EXPECT_TRUE(pictures.empty());
}

TEST(HtmlToText, Utf8BooksFindPicturesNamedInAnotherCase) {
  TempDir dir;
  // The files as the file system writes them (UTF-8).
  dir.Write("\xC3\xA9lan.gif", "gif");               // élan.gif
  dir.Write("\xC3\x9Cn\xC3\xAF.PNG", "png");         // Ünï.PNG
  dir.Write("\xD1\x80\xD0\xB8\xD1\x81.png", "png");  // рис.png
  dir.Write("plain.jpg", "jpg");
  // The book refers to them in another case: ÉLAN.GIF, ünï.png, РИС.PNG, PLAIN.JPG.
  const std::string body =
      "<p>Caf\xC3\xA9 \xC3\xBCmlaut</p><img src=\"\xC3\x89LAN.GIF\"><img src=\"\xC3\xBCn\xC3\xAF.png\">"
      "<img src=\"\xD0\xA0\xD0\x98\xD0\xA1.PNG\"><img src=PLAIN.JPG>";
  struct Case {
    const char* what;
    std::string html;
  };
  const Case cases[] = {
      {"meta", "<html><head><meta charset=\"utf-8\"><title>T</title></head><body>" + body + "</body></html>"},
      {"byte-order mark", "\xEF\xBB\xBF<html><head><title>T</title></head><body>" + body + "</body></html>"},
  };
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1252);
  for (const Case& c : cases) {
    for (unsigned threads : {1u, 4u}) {
      const std::string book = dir.Write("book.html", c.html);
      FakeConverter fake;
      TPictureList pictures;
      Host host;
      const std::string text = LoadTextFiles(host, {book}, false, pictures, fake.HostedFn(), threads);
      EXPECT_EQ(text, "T\n\n\nCaf\xE9 \xFCmlaut\n\n" + Marker(1) + Marker(2) + Marker(3) + Marker(4)) << c.what;
      EXPECT_EQ(text.find('?'), std::string::npos) << c.what;
      // Several threads convert in any order.
      std::vector<std::string> names;
      for (const std::string& p : fake.asked) names.push_back(fs::path(p).filename().string());
      std::sort(names.begin(), names.end());
      EXPECT_EQ(names, (std::vector<std::string>{"plain.jpg", "\xC3\x9Cn\xC3\xAF.PNG", "\xC3\xA9lan.gif",
                                                 "\xD1\x80\xD0\xB8\xD1\x81.png"}))
          << c.what;
      EXPECT_EQ(pictures.size(), 4u);
      EXPECT_TRUE(host.messages.empty());
    }
  }
  platform::SetAnsiCodePage(saved);
}

TEST(LoadFileToString, ReadsBytesAndReportsMissingFiles) {
  TempDir dir;
  const std::string bytes("a\0b\r\n\xFF", 6);
  const std::string file = dir.Write("f.txt", bytes);
  Host host;
  std::string data = "old";
  EXPECT_TRUE(LoadFileToString(host, file, data));
  EXPECT_EQ(data, bytes);
  EXPECT_TRUE(LoadFileToString(host, dir.Write("empty.txt", ""), data));
  EXPECT_EQ(data, "");
  EXPECT_TRUE(host.messages.empty());

  for (const std::string& bad : {dir.Folder() + "none.txt", std::string(), dir.path.string()}) {
    Host h;
    data = "old";
    EXPECT_FALSE(LoadFileToString(h, bad, data));
    EXPECT_EQ(data, "");
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text,
              "Unable to open file. File does not exist or is locked by other application: \"" +
                  bad + "\"");
    EXPECT_EQ(h.messages[0].caption, "Fatal error");
    EXPECT_EQ(h.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(h.terminateRequests, 1);
  }
}

TEST(LoadFileToString, APipeNamedLikeABookIsRefusedAtOnce) {
  TempDir dir;
  const std::string pipe = dir.Folder() + "book.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);  // opening it for reading would wait for a writer
  Host host;
  std::string data = "old";
  EXPECT_FALSE(LoadFileToString(host, pipe, data));
  EXPECT_EQ(data, "");
  EXPECT_EQ(host.messages.size(), 1u);
}

// Loads `files` with pictures converted by a FakeConverter.
std::string LoadWithFakeConverter(Host& host, const std::vector<std::string>& files, bool progress,
                                  TPictureList& pictures) {
  FakeConverter fake;
  return LoadTextFiles(host, files, progress, pictures, fake.HostedFn());
}

TEST(LoadTextFiles, JoinsFiles) {
  TempDir dir;
  const std::string a = dir.Write("a.txt", "Alpha\r\nline");
  const std::string b = dir.Write("b, with comma.txt", "Beta");
  const std::string h1 = dir.Write("one.htm", "<p>One <img src=p1.png> and <img src=P2.PNG></p>");
  const std::string h2 = dir.Write("sub/two.HTML", "<p>Two<img src=p3.png><img src=p4.png></p>");
  for (const char* p : {"p1.png", "p2.png", "sub/p3.png", "sub/p4.png"}) dir.Write(p, p);
  const std::string sep = "-------------------";

  {
    Host host;
    TPictureList pictures{"stale"};
    EXPECT_EQ(LoadWithFakeConverter(host, {}, true, pictures), "");
    EXPECT_TRUE(pictures.empty());
  }
  {
    Host host;
    TPictureList pictures;
    EXPECT_EQ(LoadWithFakeConverter(host, {a}, true, pictures), "Alpha\r\nline");
    EXPECT_EQ(host.progress, (std::vector<std::pair<int, int>>{{0, 1}}));
  }
  {
    Host host;
    TPictureList pictures;
    EXPECT_EQ(LoadWithFakeConverter(host, {h1}, false, pictures), "One " + Marker(1) + " and " + Marker(2));
    EXPECT_EQ(pictures.size(), 2u);
    EXPECT_TRUE(host.progress.empty());
  }
  {
    // The comma belongs to the path; plain text files are not normalised.
    Host host;
    TPictureList pictures;
    EXPECT_EQ(LoadWithFakeConverter(host, {a, b}, true, pictures),
              a + "\n\n" + sep + "\n\nAlpha\r\nline\n\n\n" + b + "\n\n" + sep + "\n\nBeta\n\n\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.progress, (std::vector<std::pair<int, int>>{{0, 2}, {0, 2}, {1, 2}}));
  }
  {
    // Pictures are numbered over the whole book; a book with HTML is normalised.
    Host host;
    TPictureList pictures;
    const std::string text = LoadWithFakeConverter(host, {h1, h2}, false, pictures);
    EXPECT_EQ(text, h1 + "\n\n" + sep + "\n\nOne" + Marker(1) + "and" + Marker(2) + sep + "\n\n\n" +
                        h2 + "\n\n" + sep + "\n\nTwo" + Marker(3) + Marker(4) + sep + "\n\n\n");
    EXPECT_EQ(pictures, (TPictureList{"PNG of p1.png", "PNG of p2.png", "PNG of p3.png",
                                      "PNG of p4.png"}));
  }
  {
    // A file that cannot be read is reported and counts as empty.
    Host host;
    TPictureList pictures;
    const std::string missing = dir.Folder() + "missing.txt";
    EXPECT_EQ(LoadWithFakeConverter(host, {missing, b}, false, pictures),
              missing + "\n\n" + sep + "\n\n\n\n\n" + b + "\n\n" + sep + "\n\nBeta\n\n\n");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.terminateRequests, 1);
  }
}

// Converts by the file's name, from any thread: "bad" pictures are reported and end the
// program, "boom" ones throw, others are slow enough that the workers overtake the book.
bool NamedConverter(const std::string& path, std::string& png, BuildHost& host) {
  const std::string name = fs::path(path).filename().string();
  if (name.find("boom") != std::string::npos) throw std::runtime_error("decoder failed on " + name);
  if (name.find("bad") != std::string::npos) {
    host.ShowMessage("Unable to load image: " + name, "Error", MessageIcon::None);
    host.RequestTerminate();
    return false;
  }
  if (name.find("skip") != std::string::npos) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(name.size() % 3));
  png = "PNG of " + name;
  return true;
}

// Every host call in one list, in the order made, each checked to come from the test's thread.
class CallLog : public BuildHost {
public:
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    Log(caption + ": " + text);
  }
  void RequestTerminate() override { Log("terminate"); }
  void SetProgress(int position, int max) override {
    Log("progress " + std::to_string(position) + "/" + std::to_string(max));
  }
  void SetStatus(const std::string& text) override { Log("status " + text); }
  void ProcessMessages() override { Log("process messages"); }
  std::vector<std::string> calls;

private:
  void Log(const std::string& call) {
    EXPECT_EQ(std::this_thread::get_id(), owner_) << call;
    calls.push_back(call);
  }
  std::thread::id owner_ = std::this_thread::get_id();
};

struct Loaded {
  std::string text;
  TPictureList pictures;
  CallLog host;
  std::string error;
};

Loaded Load(const std::vector<std::string>& files, unsigned threads) {
  Loaded r;
  try {
    r.text = LoadTextFiles(r.host, files, true, r.pictures, NamedConverter, threads);
  } catch (const std::exception& e) {
    r.error = e.what();
  }
  return r;
}

// Text books: UTF-8 ones (with a byte-order mark, or holding a multi-byte sequence) are stored
// in the process code page; code-page books and ASCII keep their bytes; characters the code page
// lacks become "?" with one warning naming the file and the count.
TEST(LoadTextFiles, Utf8TextBooksAreStoredInTheCodePage) {
  const std::string glava =
      "\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0 \xD0\xBF\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB0\xD1\x8F.\r\n";
  const std::string glava1251 = "\xC3\xEB\xE0\xE2\xE0 \xEF\xE5\xF0\xE2\xE0\xFF.\r\n";  // Глава первая.
  const std::string quotes =
      "It\xE2\x80\x99s \xE2\x80\x9C"
      "fine\xE2\x80\x9D \xE2\x80\x93 ok\xE2\x80\xA6";
  struct Case {
    const char* what;
    int cp;
    std::string file, stored;
    int lost;  // characters the warning counts; 0: no warning
  };
  const Case cases[] = {
      {"utf-8", 1251, glava, glava1251, 0},
      {"utf-8 with mark", 1251, "\xEF\xBB\xBF" + glava, glava1251, 0},
      {"cp1251", 1251, glava1251, glava1251, 0},
      {"cp1252 under 1251", 1251, "caf\xE9 \x93q\x94", "caf\xE9 \x93q\x94", 0},
      {"ascii", 1251, "Plain\r\ntext\r\n", "Plain\r\ntext\r\n", 0},
      {"mark and ascii", 1251, "\xEF\xBB\xBFHi", "Hi", 0},
      {"lacking", 1251, "Caf\xC3\xA9 \xE2\x80\x94 \xCE\xB1\xCE\xB2", "Caf? \x97 ??", 3},
      {"utf-8", 1252, quotes,
       "It\x92s \x93"
       "fine\x94 \x96 ok\x85",
       0},
      {"utf-8 with mark", 1252, "\xEF\xBB\xBF" + quotes,
       "It\x92s \x93"
       "fine\x94 \x96 ok\x85",
       0},
      {"cp1252", 1252, "caf\xE9 \x93q\x94\r\n", "caf\xE9 \x93q\x94\r\n", 0},
      {"cp1251 under 1252", 1252, glava1251, glava1251, 0},
      {"ascii", 1252, "Plain", "Plain", 0},
      {"lacking", 1252, "\xCE\xB1 = a", "? = a", 1},
      {"cyrillic", 1252, "\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0", "?????", 5},
      // A mark in front of malformed bytes: they count as characters the code page lacks.
      {"mark and malformed", 1252,
       "\xEF\xBB\xBF"
       "a\xFF"
       "b",
       "a?b", 1},
  };
  const std::map<int, std::string> warnings = {
      {1, " holds 1 character that code page %d lacks; it was stored as \"?\"."},
      {3, " holds 3 characters that code page %d lacks; they were stored as \"?\"."},
      {5, " holds 5 characters that code page %d lacks; they were stored as \"?\"."}};
  const int saved = platform::AnsiCodePage();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " under " + std::to_string(c.cp));
    platform::SetAnsiCodePage(c.cp);
    TempDir dir;
    const std::string path = dir.Write("book.txt", c.file);
    for (const unsigned threads : {1u, 3u}) {
      Host host;
      TPictureList pictures;
      FakeConverter fake;
      EXPECT_EQ(LoadTextFiles(host, {path}, false, pictures, fake.HostedFn(), threads), c.stored);
      if (c.lost == 0) {
        EXPECT_TRUE(host.messages.empty());
        continue;
      }
      ASSERT_EQ(host.messages.size(), 1u);
      std::string expected = warnings.at(c.lost);
      expected.replace(expected.find("%d"), 2, std::to_string(c.cp));
      EXPECT_EQ(host.messages[0].text, "The book file \"" + path + "\"" + expected);
      EXPECT_EQ(host.messages[0].caption, "Warning");
      EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
      EXPECT_EQ(host.terminateRequests, 0);
    }
  }

  // In a book of several files each file is read by its own bytes.
  platform::SetAnsiCodePage(1251);
  TempDir dir;
  const std::string a = dir.Write("a.txt", glava), b = dir.Write("b.txt", glava1251);
  Host host;
  TPictureList pictures;
  const std::string sep = "\n\n-------------------\n\n";
  EXPECT_EQ(LoadWithFakeConverter(host, {a, b}, false, pictures),
            a + sep + glava1251 + "\n\n\n" + b + sep + glava1251 + "\n\n\n");
  EXPECT_TRUE(host.messages.empty());
  platform::SetAnsiCodePage(saved);
}

TEST(LoadTextFiles, PicturesOnSeveralThreadsGiveWhatOneThreadGives) {
  TempDir dir;
  std::string html;
  for (int i = 1; i <= 40; ++i) {
    const std::string name = i == 3    ? "bad3.gif"
                             : i == 17 ? "skip17.png"
                             : i == 29 ? "bad29.jpg"
                                       : std::string("p") + std::to_string(i) + ".png";
    dir.Write(name, "picture");
    html += "<p>Text " + std::to_string(i) + "<img src=" + name + "></p>";
  }
  const std::string one = dir.Write("one.htm", html + "<img src=missing.png><img src=p1.png>");
  const std::string two = dir.Write("two.htm", "<p>Again<img src=p2.png><img src=bad3.gif></p>");
  const std::string text = dir.Write("plain.txt", "plain");
  const std::string gone = dir.Folder() + "gone.htm";

  const std::vector<std::vector<std::string>> books = {{one}, {one, gone, two, text}, {gone}, {text}, {}};
  for (const auto& files : books) {
    const Loaded serial = Load(files, 1);
    for (unsigned threads : {2u, 8u, 0u}) {
      SCOPED_TRACE(::testing::Message() << files.size() << " files, " << threads << " threads");
      const Loaded parallel = Load(files, threads);
      EXPECT_EQ(parallel.text, serial.text);
      EXPECT_EQ(parallel.pictures, serial.pictures);
      EXPECT_EQ(parallel.host.calls, serial.host.calls);
      EXPECT_EQ(parallel.error, "");
    }
  }
  // What the book gives: its own pictures in order, the skipped and missing ones left out, and
  // the messages of the broken ones and of the file that is gone, in the book's order.
  const Loaded all = Load(books[1], 0);
  ASSERT_EQ(all.pictures.size(), 40u - 3 + 1 + 1);
  EXPECT_EQ(all.pictures[2], "PNG of p4.png");
  EXPECT_EQ(all.pictures.back(), "PNG of p2.png");
  EXPECT_EQ(all.host.calls,
            (std::vector<std::string>{
                "progress 0/4", "progress 0/4", "Error: Unable to load image: bad3.gif", "terminate",
                "Error: Unable to load image: bad29.jpg", "terminate", "progress 1/4",
                "Fatal error: Unable to open file. File does not exist or is locked by other "
                "application: \"" +
                    gone + "\"",
                "terminate", "progress 2/4", "Error: Unable to load image: bad3.gif", "terminate", "progress 3/4"}));
}

TEST(LoadTextFiles, AConverterErrorLeavesWhereItWouldWithOneThread) {
  TempDir dir;
  std::string html;
  for (const char* name : {"p1.png", "bad2.gif", "boom3.png", "bad4.gif", "p5.png"}) {
    dir.Write(name, "picture");
    html += std::string("<img src=") + name + ">";
  }
  const std::string book = dir.Write("b.htm", html);
  const std::string gone = dir.Folder() + "gone.txt";
  for (unsigned threads : {1u, 3u, 0u}) {
    const Loaded r = Load({book, gone}, threads);
    EXPECT_EQ(r.error, "decoder failed on boom3.png") << threads;
    // Only what came before the failing picture was shown.
    EXPECT_EQ(r.host.calls, (std::vector<std::string>{"progress 0/2", "progress 0/2",
                                                      "Error: Unable to load image: bad2.gif", "terminate"}))
        << threads;
  }
}

}  // namespace
}  // namespace assembly
