#include "assembly/utils.h"

#include "platform/system/codepage.h"
#include "platform/system/exedir.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

using namespace assembly;
using namespace testing_support;

TEST(PathHelpers, NamesAndFolders) {
  struct Case { std::string path, name, noExt, parent; };
  const Case cases[] = {
      {"/home/u/books/sea.tales.second.txt", "sea.tales.second.txt", "sea", "/home/u/books"},
      {"C:\\books\\sea.tales.second.txt", "sea.tales.second.txt", "sea", ""},
      {"a\\b/c.txt", "c.txt", "c", "a\\b"},        // backslash, then slash: the part after the slash
      {"a/b\\c.d.e", "c.d.e", "c", "a"},            // slash, then backslash
      {"plain", "plain", "plain", ""},
      {"/top.txt", "top.txt", "top", ""},
      {"/books/", "", "", "/books"},
      {".hidden", ".hidden", "", ""},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractNameOnly(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractNameNoExt(c.path), c.noExt) << c.path;
    EXPECT_EQ(ParentDir(c.path), c.parent) << c.path;
  }
  // At most 1000 characters survive a cut.
  EXPECT_EQ(ExtractNameOnly("x/" + std::string(1500, 'n')).size(), 1000u);
  EXPECT_EQ(ExtractNameOnly(std::string(1500, 'n')).size(), 1500u);
}

TEST(PathHelpers, ForceDirsCreatesFoldersAndKeepsTheWorkingFolder) {
  TempDir dir;
  const auto cwd = std::filesystem::current_path();
  const std::string base = dir.Path().string();
  EXPECT_TRUE(ForceDirs(base + "/Siemens SX1/Full, With ZIP support//English - Greek/Tomefalcon.jad"));
  EXPECT_TRUE(std::filesystem::is_directory(base + "/Siemens SX1/Full, With ZIP support/English - Greek"));
  EXPECT_FALSE(std::filesystem::exists(base + "/Siemens SX1/Full, With ZIP support/English - Greek/Tomefalcon.jad"));
  EXPECT_EQ(std::filesystem::current_path(), cwd);
  EXPECT_TRUE(ForceDirs(base + "/Siemens SX1/"));  // already there

  WriteFile(base + "/file", "x");
  EXPECT_FALSE(ForceDirs(base + "/file/sub/"));
  if (geteuid() != 0) {
    std::filesystem::create_directory(base + "/locked");
    std::filesystem::permissions(base + "/locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(ForceDirs(base + "/locked/sub/"));
  }
  EXPECT_EQ(std::filesystem::current_path(), cwd);
}

TEST(TextHelpers, SmallOnes) {
  std::string s = "core\\midp20\\a.class";
  ReplaceChar(s, '\\', '/');
  EXPECT_EQ(s, "core/midp20/a.class");

  struct Case { int v; const char* text; };
  for (const Case& c : {Case{0, "00"}, Case{7, "07"}, Case{9, "09"}, Case{10, "10"}, Case{99, "99"}, Case{123, "123"}})
    EXPECT_EQ(IntToStr2(c.v), c.text);
}

TEST(TextHelpers, TransliterateCyrillic) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  struct Case { std::string in, out; };
  const Case cases[] = {
      {"\xCF\xF0\xE8\xE2\xE5\xF2, World!", "Privet, World!"},               // Привет
      {"\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF", "ABVGDEZZIYKLMNOP"},
      {"\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF", "RSTUFHCCSSxYxEUA"},
      {"\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF", "abvgdezziyklmnop"},
      {"\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF", "rstufhccssxyxeua"},
      {"\xB8\xA8\x80\xFF\x7F", "xxxa\x7F"},  // ё Ё and others become x
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TransliterateCyrillic(c.in), c.out);
    EXPECT_EQ(TransliterateCyrillic(c.in).size(), c.in.size());
  }
  platform::SetAnsiCodePage(saved);
}

// The characters count, not the bytes: the bytes of Greek letters in 1253 are Cyrillic letters
// in 1251, and a decoded text gives one letter per character whatever the code page.
TEST(TextHelpers, TransliterateCyrillicReadsCharacters) {
  const int saved = platform::AnsiCodePage();
  struct Case {
    int cp;
    std::string in, out;
  };
  const Case cases[] = {
      {1253, "\xCF\xE4\xFD\xF3\xF3\xE5\xE9\xE1", "xxxxxxxx"},  // Οδύσσεια
      {1251, "\xCF\xE4\xFD\xF3\xF3\xE5\xE9\xE1", "Pdeuueyb"},  // the same bytes: Пдэууейб
      {1252, "Caf\xE9 \xC0", "Cafx x"},
      {1250,
       "\xA3\xF3"
       "d\x9F",
       "xxdx"},  // Łódź
  };
  for (const Case& c : cases) {
    platform::SetAnsiCodePage(c.cp);
    EXPECT_EQ(TransliterateCyrillic(c.in), c.out) << c.cp;
  }
  platform::SetAnsiCodePage(1252);
  EXPECT_EQ(TransliterateCyrillic(U"\u0412\u043E\u0439\u043D\u0430 \u0438 \u043C\u0438\u0440!"), "Voyna i mir!");
  EXPECT_EQ(TransliterateCyrillic(U"\u0401\u044A\u044C\u0456\u03B1\u00E9\U0001F600z"), "xxxxxxxz");  // Ёъьіαé, emoji
  platform::SetAnsiCodePage(saved);
}

TEST(TextHelpers, EncodeLetterHex) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  EXPECT_EQ(EncodeLetterHex(""), "");
  EXPECT_EQ(EncodeLetterHex("A"), "AAEB");
  EXPECT_EQ(EncodeLetterHex("\xC0z"), "AEBAAAHK");  // U+0410, U+007A
  EXPECT_EQ(EncodeLetterHex("\x88"), "CAKM");       // euro sign U+20AC in 1251
  EXPECT_EQ(EncodeLetterHex(std::string(300, 'a')).size(), 254u * 4);
  platform::SetAnsiCodePage(1252);
  EXPECT_EQ(EncodeLetterHex("\xC0"), "AAMA");       // U+00C0 in 1252
  platform::SetAnsiCodePage(saved);
}

TEST(TextHelpers, LinesSplitJoinAndRemoveEmpty) {
  struct Case { std::string text; std::vector<std::string> lines; };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"\n", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");

  std::vector<std::string> lines = {"", "MIDlet-Name: x", "", "", "MIDlet-Version: 2.5.2", ""};
  RemoveEmptyLines(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"MIDlet-Name: x", "MIDlet-Version: 2.5.2"}));
}
