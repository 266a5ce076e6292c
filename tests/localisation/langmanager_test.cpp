#include "localisation/langmanager.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/system/codepage.h"
#include "support/tempdir.h"

namespace localisation {
namespace {

namespace fs = std::filesystem;

const std::string kData = QW_TEST_DATA;
constexpr HModule kTestModule = 42;

const TBuiltInText kTexts[] = {
    {"AppTitle", "Builder "},
    {"Chapter", "Chapter"},
    {"bytes", "bytes"},
    {"Other", "Other text"},
};

// A window's controller that records what the manager hands it.
class FakeController : public TCustomLangController {
public:
  explicit FakeController(TLangManager& manager, std::string window = "Form1")
      : TCustomLangController(manager), window_(std::move(window)) {
    OnLanguageChanging = [this](TCustomLangController& sender) {
      EXPECT_EQ(&sender, this);
      log += "changing;";
    };
    OnLanguageChanged = [this](TCustomLangController&) { log += "changed;"; };
  }
  std::string WindowName() const override { return window_; }
  void ApplySection(const TLang_CompTranslation* section) override {
    if (!section) {
      log += "defaults;";
      return;
    }
    const std::string* five = section->TextOf(5);
    log += section->Name() + ":" + (five ? *five : "-") + ";";
  }
  std::string Take() {
    std::string r = log;
    log.clear();
    return r;
  }
  std::string log;

private:
  std::string window_;
};

class TempDir {
public:
  std::string Path() const { return path_.string() + "/"; }
  std::string Write(const std::string& name, const std::string& text) const {
    fs::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << text;
    return (path_ / name).string();
  }

private:
  testing_support::TempDir dir_;
  const fs::path& path_ = dir_.Path();
};

class LangManagerTest : public ::testing::Test {
protected:
  void SetUp() override { SetRcData(kTestModule, "LANG_CONSTS", EncodeLangConsts(kTexts)); }
  void RegisterSwitchFiles(TLangManager& m) {
    ASSERT_TRUE(m.AddLanguageFile(kData + "/switch/a.lng"));  // 1049
    ASSERT_TRUE(m.AddLanguageFile(kData + "/switch/b.lng"));  // $412 = 1042
  }
  std::string Texts(TLangManager& m) {
    return m.TextByName("Chapter") + "|" + m.TextByName("bytes") + "|" + m.TextByName("Other");
  }
};

TEST_F(LangManagerTest, TextsComeFromTheModuleTableWithoutCase) {
  TLangManager m(kTestModule);
  EXPECT_EQ(m.TextByName("apptitle"), "Builder ");
  EXPECT_EQ(m.TextByName("APPTITLE"), "Builder ");
  EXPECT_EQ(m.BuiltInLanguageId(), 1033);
  EXPECT_EQ(m.CurrentLanguageId(), 1033);
  try {
    m.TextByName("NoSuchText");
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Constant \"NoSuchText\" not found");
  }
}

TEST_F(LangManagerTest, ModuleWithoutTableHasNoTexts) {
  TLangManager m(kTestModule + 1);
  EXPECT_EQ(m.Constants().Count(), 0);
  EXPECT_THROW(m.TextByName("AppTitle"), ELangError);
}

TEST_F(LangManagerTest, InvalidTableFailsTheCreation) {
  const TBuiltInText bad[] = {{"Good", "x"}, {"Not valid", "y"}};
  SetRcData(kTestModule + 2, "LANG_CONSTS", EncodeLangConsts(bad));
  try {
    TLangManager m(kTestModule + 2);
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Invalid constant name (\"Not valid\")");
  }
}

TEST_F(LangManagerTest, SwitchSequenceKeepsUntranslatedTextsUntilTheDefaultReturns) {
  TLangManager m(kTestModule);
  FakeController window(m);
  RegisterSwitchFiles(m);
  EXPECT_EQ(Texts(m), "Chapter|bytes|Other text");

  m.SwitchLanguage(1049);
  EXPECT_EQ(m.CurrentLanguageId(), 1049);
  EXPECT_EQ(Texts(m), "Chapter A|bytes A|Other text");
  EXPECT_EQ(window.Take(), "changing;form1:Five A;changed;");

  m.SwitchLanguage(1042);  // b.lng lacks "bytes": A's text stays
  EXPECT_EQ(Texts(m), "Chapter B|bytes A|Other text");
  EXPECT_EQ(window.Take(), "changing;FORM1:Five B;changed;");

  m.SwitchLanguage(m.BuiltInLanguageId());
  EXPECT_EQ(Texts(m), "Chapter|bytes|Other text");
  EXPECT_EQ(window.Take(), "changing;defaults;changed;");
}

TEST_F(LangManagerTest, CyrillicFileGivesItsCodePageBytes) {
  TLangManager m(kTestModule);
  FakeController window(m);
  ASSERT_TRUE(m.AddLanguageFile(kData + "/russian.lng"));
  m.SwitchLanguage(1049);
  EXPECT_EQ(platform::ToUtf8(m.TextByName("chapter"), 1251), "Глава");
  EXPECT_EQ(m.TextByName("bytes"), "bytes");  // the file lacks it
  EXPECT_EQ(window.Take(), "changing;Form1:-;changed;");
}

TEST_F(LangManagerTest, EventsOnlyWhenTheLanguageChanges) {
  TempDir dir;
  std::string file = dir.Write("a.lng", "LANGID=1049\n[$CONSTANTS]\nChapter=Glava\n");
  TLangManager m(kTestModule);
  FakeController window(m);
  ASSERT_TRUE(m.AddLanguageFile(file));

  m.SwitchLanguage(1033);  // already current
  m.SwitchLanguage(2222);  // no file: the default, already current
  EXPECT_EQ(m.CurrentLanguageId(), 1033);
  EXPECT_EQ(window.Take(), "");

  m.SwitchLanguage(1049);
  EXPECT_EQ(window.Take(), "changing;defaults;changed;");  // no [Form1] section in this file
  // The same language again reads the file again (an error now shows) but applies nothing.
  dir.Write("a.lng", "LANGID=1049\n[$CONSTANTS]\nChapter=Changed\n");
  m.SwitchLanguage(1049);
  EXPECT_EQ(m.TextByName("Chapter"), "Glava");
  EXPECT_EQ(window.Take(), "");
  dir.Write("a.lng", "LANGID=1049\n[$CONSTANTS]\n9=x\n");
  EXPECT_THROW(m.SwitchLanguage(1049), ELangError);

  m.SwitchLanguage(2222);  // unknown id from another language: back to the default
  EXPECT_EQ(m.CurrentLanguageId(), 1033);
  EXPECT_EQ(m.TextByName("Chapter"), "Chapter");
  EXPECT_EQ(window.Take(), "changing;defaults;changed;");
}

TEST_F(LangManagerTest, FailedLoadLeavesTheLanguageAsItWas) {
  TLangManager m(kTestModule);
  FakeController window(m);
  RegisterSwitchFiles(m);
  ASSERT_TRUE(m.AddLanguageFile(kData + "/errors.lng"));  // 1058
  m.SwitchLanguage(1049);
  window.Take();
  try {
    m.SwitchLanguage(1058);
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Loading translations failed.\r\nLine 7: Invalid constant name (\"7bad\")");
  }
  EXPECT_EQ(m.CurrentLanguageId(), 1049);
  EXPECT_EQ(m.TextByName("Chapter"), "Chapter A");
  EXPECT_EQ(window.Take(), "");
  // The lock was released: the manager still works.
  m.SwitchLanguage(1042);
  EXPECT_EQ(m.TextByName("Chapter"), "Chapter B");
}

TEST_F(LangManagerTest, HandlersReadTextsDuringTheSwitch) {
  TLangManager m(kTestModule);
  FakeController window(m);
  RegisterSwitchFiles(m);
  std::string seen;
  window.OnLanguageChanged = [&](TCustomLangController&) {
    seen = m.TextByName("Chapter") + "/" + std::to_string(m.BuiltInLanguageId()) + "/" +
           std::to_string(m.CurrentLanguageId());
  };
  m.SwitchLanguage(1049);
  EXPECT_EQ(seen, "Chapter A/1033/1049");
}

TEST_F(LangManagerTest, NewWindowIsTranslatedWhenAnotherLanguageIsCurrent) {
  TLangManager m(kTestModule);
  RegisterSwitchFiles(m);
  FakeController first(m, "Form1");
  m.TranslateNewController(&first);
  EXPECT_EQ(first.Take(), "");  // default language: nothing to do

  m.SwitchLanguage(1042);
  FakeController second(m, "Form1");
  FakeController other(m, "Form2");
  m.TranslateNewController(&second);
  m.TranslateNewController(&other);
  EXPECT_EQ(second.Take(), "changing;FORM1:Five B;changed;");
  EXPECT_EQ(other.Take(), "changing;defaults;changed;");
}

TEST_F(LangManagerTest, ControllersAttachInOrderAndDetachWhenDestroyed) {
  TLangManager m(kTestModule);
  RegisterSwitchFiles(m);
  std::string order;
  auto first = std::make_unique<FakeController>(m);
  auto second = std::make_unique<FakeController>(m);
  auto third = std::make_unique<FakeController>(m);
  first->OnLanguageChanged = [&](TCustomLangController&) {
    order += "1";
    second.reset();  // a handler closes another window
  };
  third->OnLanguageChanged = [&](TCustomLangController&) { order += "3"; };
  EXPECT_EQ(m.Controllers().size(), 3u);
  m.SwitchLanguage(1049);
  EXPECT_EQ(order, "13");
  EXPECT_EQ(m.Controllers().size(), 2u);
  third.reset();
  EXPECT_EQ(m.Controllers(), std::vector<TCustomLangController*>{first.get()});
}

TEST_F(LangManagerTest, ControllerOutlivingTheManagerIsSafe) {
  auto m = std::make_unique<TLangManager>(kTestModule);
  FakeController window(*m);
  EXPECT_EQ(window.Manager(), m.get());
  m.reset();
  EXPECT_EQ(window.Manager(), nullptr);
}

TEST_F(LangManagerTest, AddLanguageFileReadsTheHeaderOnly) {
  TempDir dir;
  TLangManager m(kTestModule);
  const std::pair<std::string, bool> cases[] = {
      {"LANGID=1049\n", true},
      {"langid = $419\n", true},
      {"LANGID=1033\n", true},  // accepted, but the default needs no source
      {"Name=x\n", false},
      {"LANGID=0\n", false},
      {"LANGID=abc\n", false},
      {"LANGID=65536\n", false},  // low 16 bits are 0
      {"LANGID=99999999999\n", false},
      {"[Form1]\nLANGID=1049\n", false},
  };
  for (const auto& [text, accepted] : cases)
    EXPECT_EQ(m.AddLanguageFile(dir.Write("x.lng", text)), accepted) << text;
  EXPECT_FALSE(m.AddLanguageFile(dir.Path() + "missing.lng"));
  EXPECT_FALSE(m.AddLanguageFile(dir.Path()));
  ASSERT_EQ(m.Sources().Items().size(), 1u);  // both 1049 files share one source
  EXPECT_EQ(m.Sources().Items()[0].LangId, 1049);
  EXPECT_EQ(m.Sources().Items()[0].Kind, TLangSourceKind::File);
}

// Registration reads the header however far into the file it stands, and never takes a
// line cut by the end of a read for a whole one.
TEST_F(LangManagerTest, HeaderFarIntoTheFileIsReadWhole) {
  const std::string body = "[$CONSTANTS]\r\nChapter=Glava\r\n";
  // Comment lines of 100 bytes each (CR LF included).
  auto comments = [](std::size_t bytes) {
    std::string text;
    while (text.size() + 100 <= bytes) text += ";" + std::string(97, 'c') + "\r\n";
    if (text.size() < bytes) text += ";" + std::string(bytes - text.size() - 1, 'c');  // up to `bytes`
    return text;
  };
  const std::string straddling = comments(65536 - 11) + "\r\nLANGID=1049\r\n";
  ASSERT_EQ(straddling.substr(65536 - 9, 9), "LANGID=10");  // the first 64 KiB end here
  ASSERT_EQ(straddling.substr(65536, 2), "49");
  const struct {
    const char* name;
    std::string text;
    uint16_t registered;  // 0: not accepted
    const char* chapter;  // the named text after switching to 1049
  } cases[] = {
      {"after 100 KB of comments", comments(100 * 1024) + "\r\nLANGID=1049\r\n" + body, 1049, "Glava"},
      {"straddling 64 KiB", straddling + body, 1049, "Glava"},
      {"CR and LF on both sides of 64 KiB", comments(65535) + "\r\nLANGID=1049\r\n" + body, 1049, "Glava"},
      {"last line without a break", comments(200 * 1024) + "\nLANGID=1049", 1049, "Chapter"},
      {"after the first section", comments(70 * 1024) + "\r\n[Form1]\r\nLANGID=1049\r\n", 0, "Chapter"},
      {"after a byte 0", comments(70 * 1024) + std::string(1, '\0') + "\r\nLANGID=1049\r\n", 0, "Chapter"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    TLangManager m(kTestModule);
    EXPECT_EQ(m.AddLanguageFile(dir.Write("late.lng", c.text)), c.registered != 0) << c.name;
    ASSERT_EQ(m.Sources().Items().size(), c.registered != 0 ? 1u : 0u) << c.name;
    if (c.registered != 0) {
      EXPECT_EQ(m.Sources().Items()[0].LangId, c.registered) << c.name;
    }
    m.SwitchLanguage(1049);
    EXPECT_EQ(m.CurrentLanguageId(), c.registered != 0 ? 1049 : 1033) << c.name;
    EXPECT_EQ(m.TextByName("Chapter"), c.chapter) << c.name;
  }
}

TEST_F(LangManagerTest, RegisterFolderInNameOrderSkippingUnreadableFiles) {
  TempDir dir;
  dir.Write("b.lng", "LANGID=1049\n[$CONSTANTS]\nChapter=from b\n");
  dir.Write("a.LNG", "LANGID=1049\n[$CONSTANTS]\nChapter=from a\n");
  dir.Write("c.lng", "LANGID=1033\n");
  dir.Write("d.lng", "no header\n");
  dir.Write("e.lng", "LANGID=66585\n[$CONSTANTS]\nChapter=from e\n");  // 65536 + 1049
  dir.Write("f.txt", "LANGID=1058\n");
  dir.Write("sub.lng/g.lng", "LANGID=1058\n");
  dir.Write("sub/h.lng", "LANGID=1051\n");
  dir.Write(".hidden.lng/i.lng", "LANGID=1045\n");
  // A socket named like a language file exists but cannot be opened.
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::string sock = dir.Path() + "bb.lng";
  ASSERT_LT(sock.size(), sizeof(addr.sun_path));
  std::copy(sock.begin(), sock.end(), addr.sun_path);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);

  TLangManager m(kTestModule);
  EXPECT_EQ(m.RegisterLanguageFolder(dir.Path(), "*.lng", false), 4);  // a, b, c, e
  m.SwitchLanguage(1049);
  EXPECT_EQ(m.TextByName("Chapter"), "from e");  // the last registered wins

  TLangManager r(kTestModule);
  std::string noSlash = dir.Path().substr(0, dir.Path().size() - 1);
  EXPECT_EQ(r.RegisterLanguageFolder(noSlash, "*.lng", true), 5);  // and sub.lng/g.lng only
  EXPECT_NE(r.Sources().Find(1058), nullptr);
  EXPECT_EQ(r.Sources().Find(1051), nullptr);  // "sub" does not match the mask
  EXPECT_EQ(r.Sources().Find(1045), nullptr);  // folders starting with "." are not entered
  ::close(fd);

  EXPECT_EQ(r.RegisterLanguageFolder(dir.Path(), "*.none", false), 0);
  EXPECT_EQ(r.RegisterLanguageFolder(dir.Path() + "missing/", "*.lng", false), 0);
  EXPECT_EQ(r.RegisterLanguageFolder(dir.Path(), "?.lng", false), 4);
}

TEST(LangManagerGlobal, CreatedOnFirstUseWithTheProgramTable) {
  FreeLangManager();
  TLangManager& m = LangManager();
  EXPECT_EQ(&m, &LangManager());
  EXPECT_EQ(m.TextByName("chapter"), "Chapter");  // Quirewright's table by default
  UseBuiltInTexts(TProgram::Glyphkiln);
  FreeLangManager();
  EXPECT_EQ(LangManager().TextByName("AppTitle"), "Glyphkiln v2.5 for Tomefalcon ");
  EXPECT_THROW(LangManager().TextByName("Chapter"), ELangError);
  UseBuiltInTexts(TProgram::Quirewright);
  FreeLangManager();
  EXPECT_EQ(LangManager().TextByName("TooManyMidletsTitle"), "Error");
  FreeLangManager();
}

}  // namespace
}  // namespace localisation
