#include "platform/codepage.h"
#include "platform/exedir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

TEST(CodePage, DecodesKnownLetters) {
  struct Case { int cp; unsigned char byte; char32_t expected; };
  const Case cases[] = {
      {1251, 0xC0, U'\u0410'}, {1251, 0xFF, U'\u044F'}, {1251, 0xB8, U'\u0451'},
      {1252, 0x80, U'\u20AC'}, {1252, 0x9F, U'\u0178'}, {1250, 0xB3, U'\u0142'},
      {1253, 0xC1, U'\u0391'}, {1255, 0xE0, U'\u05D0'}, {866, 0x80, U'\u0410'},
      {437, 0xB0, U'\u2591'}, {10000, 0x80, U'\u00C4'}, {1257, 0xC0, U'\u0104'},
      // Undefined positions pass through as the same code point.
      {1252, 0x81, U'\u0081'}, {1252, 0x8D, U'\u008D'}, {1251, 0x98, U'\u0098'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CodePage::Get(c.cp).ToUnicode(c.byte), c.expected) << c.cp << " " << int(c.byte);
}

TEST(CodePage, RoundTripsEveryByte) {
  for (int cp : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 866, 437, 10000}) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(FromUtf8(ToUtf8(all, cp), cp), all) << cp;
    EXPECT_EQ(FromUtf16(ToUtf16(all, cp), cp), all) << cp;
  }
}

TEST(CodePage, UnmappableCharactersBecomeFallback) {
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD" "b", 1251), "a?b");  // a CJK letter in Cyrillic
  EXPECT_EQ(FromUtf8("\xFF\xFE", 1252, '#'), "##");      // malformed UTF-8
  EXPECT_EQ(FromUtf8("\xD0\x96", 1251), "\xC6");          // U+0416
}

TEST(CodePage, UpperCaseFollowsThePage) {
  struct Case { int cp; std::string in, out; };
  const Case cases[] = {
      {1251, "abc\xE0\xFF\xB8", "ABC\xC0\xDF\xA8"},
      {1252, "\xE9\xFF\xDF\xB5", "\xC9\x9F\xDF\xB5"},  // e-acute, y-diaeresis; sharp s and micro stay
      {1250, "\xB3\xB9", "\xA3\xA5"},
      {1251, "\xFF", "\xDF"},
      {1252, "\xFF", "\x9F"},
  };
  for (const Case& c : cases) EXPECT_EQ(UpperCase(c.in, c.cp), c.out) << c.cp;
  EXPECT_EQ(LowerCase("ABC\xC0", 1251), "abc\xE0");
  EXPECT_TRUE(SameText("Caption", "CAPTION", 1252));
  EXPECT_FALSE(SameText("Caption", "Captio", 1252));
}

TEST(CodePage, LanguageTable) {
  struct Case { const char* lang; int cp; };
  const Case cases[] = {{"ru", 1251}, {"uk", 1251}, {"bg", 1251}, {"pl", 1250}, {"cs", 1250},
                        {"sk", 1250}, {"hu", 1250}, {"el", 1253}, {"he", 1255}, {"ar", 1256},
                        {"tr", 1254}, {"lt", 1257}, {"vi", 1258}, {"en", 1252}, {"de", 1252},
                        {"xx", 1252}};
  for (const Case& c : cases) EXPECT_EQ(CodePageForLanguage(c.lang), c.cp) << c.lang;
}

TEST(CodePage, ProcessPageCanBeSet) {
  int before = AnsiCodePage();
  SetAnsiCodePage(1251);
  EXPECT_EQ(AnsiCodePage(), 1251);
  EXPECT_EQ(ToUtf8("\xC0"), "\xD0\x90");
  SetAnsiCodePage(99999);  // unknown: Western
  EXPECT_EQ(AnsiCodePage(), 1252);
  SetAnsiCodePage(before);
}

TEST(ExeDir, EndsWithSlashAndHoldsTheTest) {
  std::string dir = ExecutableDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_EQ(ExecutablePath().rfind(dir, 0), 0u);
  SetExecutableDirForTesting("/tmp/x");
  EXPECT_EQ(ExecutableDir(), "/tmp/x/");
  SetExecutableDirForTesting("");
  EXPECT_EQ(ExecutableDir(), dir);
}
