#include "platform/system/inifile.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = (dir_ / "Quirewright.ini").string();
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  }
  void Write(const std::string& text) {
    std::ofstream f(path_, std::ios::binary);
    f << text;
  }
  std::string Read() const {
    std::ifstream f(path_, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  testing_support::TempDir tmp_;
  const fs::path dir_ = tmp_.Path();
  std::string path_;
};

}  // namespace

TEST_F(IniFileTest, ReadingFollowsTheProfileRules) {
  Write("; settings\r\n"
        "[PI_PHONEMODELPAGE]\r\n"
        "  cbPhoneModel  =  12  \r\n"
        "edName=\"  quoted  \"\r\n"
        "edOther='single'\r\n"
        "edHalf=\"open\r\n"
        "edEmpty=\r\n"
        "spSize=-34xyz\r\n"
        "spWord=abc\r\n"
        "spPlus=+7\r\n"
        "garbage line\r\n"
        "[pi_phonemodelpage]\r\n"
        "cbPhoneModel=99\r\n");
  TIniFile ini(path_);
  struct Case {
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
  };
  const Case strings[] = {
      {"PI_PHONEMODELPAGE", "cbPhoneModel", "d", "12"},  // blanks trimmed
      {"pi_phonemodelpage", "CBPHONEMODEL", "d", "12"},  // without regard to case; the first section
      {"PI_PHONEMODELPAGE", "edName", "d", "  quoted  "},  // one pair of quotes removed
      {"PI_PHONEMODELPAGE", "edOther", "d", "single"},
      {"PI_PHONEMODELPAGE", "edHalf", "d", "\"open"},
      {"PI_PHONEMODELPAGE", "edEmpty", "d", ""},  // present but empty: not the default
      {"PI_PHONEMODELPAGE", "missing", "def  ", "def"},  // default without trailing blanks
      {"NO_SECTION", "cbPhoneModel", "x", "x"},
  };
  for (const Case& c : strings) EXPECT_EQ(ini.ReadString(c.section, c.key, c.def), c.expected) << c.key;
  struct IntCase {
    const char* key;
    int def;
    int expected;
  };
  const IntCase ints[] = {{"cbPhoneModel", -1, 12}, {"spSize", 5, -34}, {"spWord", 5, 0},
                          {"spPlus", 5, 7},        {"edEmpty", 5, 0}, {"missing", 5, 5}};
  for (const IntCase& c : ints) EXPECT_EQ(ini.ReadInteger("PI_PHONEMODELPAGE", c.key, c.def), c.expected) << c.key;
  EXPECT_EQ(TIniFile((dir_ / "none.ini").string()).ReadString("a", "b", "c"), "c");
}

TEST_F(IniFileTest, WritingUpdatesInPlaceAppendsAndKeepsTheRest) {
  Write("; my comment\n[A]\nx=1\n\n; inside A\nunknown\n[B]\ny=2\n");
  TIniFile ini(path_);
  EXPECT_TRUE(ini.WriteString("a", "X", "10"));     // existing key: in place, its spelling kept
  EXPECT_TRUE(ini.WriteString("A", "z", "3"));      // new key: after the section's last entry
  EXPECT_TRUE(ini.WriteString("C", "w", "4"));      // new section: at the end
  EXPECT_TRUE(ini.WriteString("B", "y", "-5"));
  EXPECT_EQ(Read(), "; my comment\r\n[A]\r\nx=10\r\nz=3\r\n\r\n; inside A\r\nunknown\r\n[B]\r\ny=-5\r\n[C]\r\nw=4\r\n");
  EXPECT_EQ(ini.ReadInteger("C", "w", 0), 4);
  // Nothing is left beside the file.
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
}

TEST_F(IniFileTest, LongValuesComeBackWholeAndLineBreaksAreRefused) {
  TIniFile ini(path_);
  std::string intro(5000, 'a');
  intro += "|second line|third";
  ASSERT_TRUE(ini.WriteString("PI_MIDLETNAMEPAGE", "mmIntroText", intro));
  EXPECT_EQ(ini.ReadString("PI_MIDLETNAMEPAGE", "mmIntroText", ""), intro);

  ASSERT_TRUE(ini.WriteString("S", "k", "before"));
  EXPECT_FALSE(ini.WriteString("S", "k", "one\r\n[Evil]\r\nk=2"));
  EXPECT_FALSE(ini.WriteString("S", "k", "lf\nonly"));
  EXPECT_FALSE(ini.WriteString("S\n", "k", "v"));
  EXPECT_FALSE(ini.WriteString("S", "a=b", "v"));
  EXPECT_EQ(ini.ReadString("S", "k", ""), "before");
  EXPECT_EQ(ini.ReadString("Evil", "k", "none"), "none");
}

TEST_F(IniFileTest, ReadOnlyProgramFolderUsesThePerUserFolder) {
  fs::path prog = dir_ / "prog";
  fs::path config = dir_ / "config";
  fs::create_directories(prog);
  {
    std::ofstream f(prog / "Quirewright.ini", std::ios::binary);
    f << "[A]\r\nk=shipped\r\n";
  }
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  std::string saved = oldXdg != nullptr ? oldXdg : "";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

  TIniFile ini = ProgramSettingsFor(prog.string() + "/", false, "Quirewright.ini");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "shipped");  // nothing of our own yet
  EXPECT_TRUE(ini.WriteString("A", "k", "mine"));
  EXPECT_EQ(ini.FileName(), (config / "quirewright" / "Quirewright.ini").string());
  EXPECT_EQ(ini.ReadString("A", "k", ""), "mine");
  EXPECT_EQ(TIniFile((prog / "Quirewright.ini").string()).ReadString("A", "k", ""), "shipped");
  // A writable program folder keeps the file there.
  EXPECT_EQ(ProgramSettingsFor(prog.string() + "/", true, "Quirewright.ini").FileName(),
            (prog / "Quirewright.ini").string());

  if (oldXdg != nullptr) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(IniFileTest, AnUpdateWritesTheFileOnceAtItsEnd) {
  Write("[A]\r\nx=1\r\n");
  TIniFile ini(path_);
  ini.BeginUpdate();
  EXPECT_TRUE(ini.WriteString("A", "x", "2"));
  EXPECT_TRUE(ini.WriteString("B", "y", "3"));
  EXPECT_EQ(ini.ReadString("A", "x", ""), "2");  // reads see the pending lines
  EXPECT_EQ(Read(), "[A]\r\nx=1\r\n");           // the file is not touched yet
  EXPECT_TRUE(ini.EndUpdate());
  EXPECT_EQ(Read(), "[A]\r\nx=2\r\n[B]\r\ny=3\r\n");

  // A file that cannot be replaced: the end of the update says so.
  fs::remove(path_);
  fs::create_directory(path_);
  ini.BeginUpdate();
  ini.WriteString("A", "x", "4");
  EXPECT_FALSE(ini.EndUpdate());
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(IniFileTest, AnObjectReadsTheFileOnceAndAFailedWriteSaysWhy) {
  std::string text = "[PI_IMAGESPAGE]\r\n";
  for (int i = 0; i < 2000; ++i) text += "filler" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  text += "spMaxImageWidth=120\r\n[PI_FINISHPAGE]\r\ncbDirectory=0\r\n[pi_imagespage]\r\nspMaxImageWidth=7\r\n";
  Write(text);
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, path_.c_str(), IN_OPEN), 0);
  {
    const TIniFile ini(path_);
    for (int round = 0; round < 20; ++round) {
      EXPECT_EQ(ini.ReadInteger("PI_IMAGESPAGE", "spMaxImageWidth", 96), 120);  // the first section counts
      EXPECT_EQ(ini.ReadInteger("pi_finishpage", "CBDIRECTORY", 1), 0);
      EXPECT_EQ(ini.ReadString("PI_IMAGESPAGE", "filler1999", ""), "1999");
      EXPECT_EQ(ini.ReadString("PI_IMAGESPAGE", "missing", "def  "), "def");
      EXPECT_FALSE(ini.KeyExists("PI_OTHER", "spMaxImageWidth"));
    }
  }
  int opens = 0;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
    for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
      opens += (reinterpret_cast<inotify_event*>(p)->mask & IN_OPEN) != 0 ? 1 : 0;
  close(watch);
  EXPECT_EQ(opens, 1);

  // A write refused by the file system keeps the file and names the reason.
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  TIniFile ini(path_);
  EXPECT_FALSE(ini.WriteString("PI_FINISHPAGE", "cbDirectory", "1"));
  EXPECT_EQ(ini.LastError(), "Permission denied");
  EXPECT_EQ(ini.ReadInteger("PI_FINISHPAGE", "cbDirectory", 1), 0);
  EXPECT_EQ(Read(), text);
  ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
  EXPECT_TRUE(ini.WriteString("PI_FINISHPAGE", "cbDirectory", "1"));
  EXPECT_EQ(ini.LastError(), "");
}
