#include "assembly/sanitisers.h"

#include "platform/system/codepage.h"

#include <gtest/gtest.h>

using namespace assembly;

namespace {

// Runs with a process code page and restores the one before.
class CodePageScope {
public:
  explicit CodePageScope(int cp) : saved_(platform::AnsiCodePage()) { platform::SetAnsiCodePage(cp); }
  ~CodePageScope() { platform::SetAnsiCodePage(saved_); }

private:
  int saved_;
};

}  // namespace

TEST(Sanitisers, MidletNameAndBookTitle) {
  CodePageScope cp(1251);
  struct Case {
    std::string text, midletName, bookTitle;
  };
  const Case cases[] = {
      {"My Book, Part 2.txt", "MyBook", "My Book"},
      {"C:\\texts\\Old_Sea-tales of the North.txt", "OldSeatalesoft", "Old_Sea-tales of"},
      {"C:\\books\\sea.tales.second.txt", "sea", "sea"},
      {"/home/reader/books/a.b.c", "a", "a"},
      {"!!! ---.txt", "", "!!! ---"},
      // Both separators: the name after the last "\" and then after the last "/".
      {"C:\\dir/sub\\name.one.txt", "name", "name"},
      {"C:\\dir\\sub/Name2.txt", "Name2", "Name2"},
      // Only the first item of a list counts.
      {"first.txt\r\nsecond.txt", "first", "first"},
      {"one two,three", "onetwo", "one two"},
      // Windows-1251 letters: transliterated for the name, kept in the title.
      {"\xCC\xEE\xF0\xE5.txt", "More", "\xCC\xEE\xF0\xE5"},
      {"\xA8\xE6 \xE8 \xFA.txt", "xzix", "\xA8\xE6 \xE8 \xFA"},  // yo and hard sign give "x"
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeMidletName(c.text), c.midletName) << c.text;
    EXPECT_EQ(MakeBookTitle(c.text), c.bookTitle) << c.text;
  }
}

TEST(Sanitisers, CyrillicFileNamesGoThroughTheCodePage) {
  CodePageScope cp(1251);
  struct Case {
    std::string path, midletName, bookTitle;  // path in UTF-8, title in Windows-1251
  };
  const Case cases[] = {
      {"/home/reader/\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8/"
       "\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt",
       "Voynaimir", "\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0"},
      // 24 letters: the title keeps 16 characters, the name 14.
      {"\xD0\x9F\xD1\x80\xD0\xB5\xD1\x81\xD1\x82\xD1\x83\xD0\xBF\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8"
       "\xD0\xB5 \xD0\xB8 \xD0\xBD\xD0\xB0\xD0\xBA\xD0\xB0\xD0\xB7\xD0\xB0\xD0\xBD\xD0\xB8\xD0\xB5.txt",
       "Prestupleniein", "\xCF\xF0\xE5\xF1\xF2\xF3\xEF\xEB\xE5\xED\xE8\xE5 \xE8 \xED"},
      // A comma in a folder is part of the path, not a list separator.
      {"/books/Tolstoy, Leo/War.txt", "War", "War"},
      {"/books/Tolstoy, Leo/\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0.txt", "Voyna", "\xC2\xEE\xE9\xED\xE0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeMidletNameFromPath(c.path), c.midletName) << c.path;
    EXPECT_EQ(MakeBookTitleFromPath(c.path), c.bookTitle) << c.path;
  }
}

TEST(Sanitisers, NoTitleIsProposedWithLettersTheCodePageLacks) {
  const std::string war = "/home/reader/\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt";
  struct Case {
    int cp;
    std::string path, bookTitle;
  };
  const Case cases[] = {
      {1252, war, ""},                                                                      // Война и мир
      {1252, "/home/\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8/Caf\xC3\xA9.txt", "Caf\xE9"},  // only the name counts
      {1251, "/home/Caf\xC3\xA9.txt", ""},
      {1250, "/b/\xC5\x81\xC3\xB3\x64\xC5\xBA.htm", "\xA3\xF3\x64\x9F"},  // Łódź
  };
  for (const Case& c : cases) {
    CodePageScope cp(c.cp);
    EXPECT_EQ(MakeBookTitleFromPath(c.path), c.bookTitle) << c.path;
    EXPECT_EQ(MakeMidletNameFromPath(c.path).find('?'), std::string::npos) << c.path;
  }
}

// The midlet name transliterates the characters of the file name, whatever the process code
// page: Greek letters give "x", Cyrillic ones their Latin letters also where the code page has
// no Cyrillic (1252 is the C locale's code page, where these names were empty before).
TEST(Sanitisers, MidletNamesFromFileNamesInAnyScript) {
  const std::string odyssey = "/home/reader/\xCE\x9F\xCE\xB4\xCF\x8D\xCF\x83\xCF\x83\xCE\xB5\xCE\xB9\xCE\xB1.txt";
  const std::string war = "/home/reader/\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt";
  struct Case {
    int cp;
    std::string path, midletName;
  };
  const Case cases[] = {
      {1253, odyssey, "xxxxxxxx"},
      {1251, odyssey, "xxxxxxxx"},
      {1252, war, "Voynaimir"},
      {1251, war, "Voynaimir"},
      {platform::CodePageForLanguage("C"), war, "Voynaimir"},
      {1252,
       "/b/Caf\xC3\xA9 \xC2\xAB"
       "1\xC2\xBB.txt",
       "Cafxx1x"},                                                // é and the guillemets
      {1251, "/b/\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0.txt", "xlka"},  // Ёлка: Ё has no letter
      {1252, "/b/bad\xFF\xD0name.txt", "badxxname"},              // malformed bytes count one each
  };
  for (const Case& c : cases) {
    CodePageScope cp(c.cp);
    EXPECT_EQ(MakeMidletNameFromPath(c.path), c.midletName) << c.cp << " " << c.path;
  }
  // A title in code page 1253 gives the same name as its file name did.
  CodePageScope cp(1253);
  EXPECT_EQ(MakeMidletName("\xCF\xE4\xFD\xF3\xF3\xE5\xE9\xE1"), "xxxxxxxx");
}
