#include "platform/system/codepage.h"
#include "platform/system/exedir.h"

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

TEST(CodePage, UnencodableNamesEachMissingCharacterOnce) {
  struct Case {
    int cp;
    std::string utf8;
    std::u32string missing;
  };
  const Case cases[] = {
      {1251, "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0 Caf\xC3\xA9", U"\u00E9"},  // Книга Café
      {1250, "\xC5\x81\xC3\xB3\x64\xC5\xBA", U""},                                // Łódź
      {1252, "\xC5\x81\xC3\xB3\x64\xC5\xBA \xC5\xBA", U"\u0141\u017A"},           // Łódź ź
      {1252, "a\xF0\x9F\x98\x80", U"\U0001F600"},                                 // an emoji
      {1253, "", U""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Unencodable(c.utf8, c.cp), c.missing) << c.utf8;
    std::u16string utf16;
    for (char32_t ch : DecodeUtf8(c.utf8)) {
      if (ch >= 0x10000) {
        utf16 += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
        utf16 += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
      } else {
        utf16 += static_cast<char16_t>(ch);
      }
    }
    EXPECT_EQ(Unencodable(utf16, c.cp), c.missing) << c.utf8;
  }
}

TEST(CodePage, Utf8NamesCompareWithoutRegardToCase) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"\xC3\xA9lan.gif", "\xC3\x89LAN.GIF", true},                            // élan / ÉLAN
      {"\xC3\x9Cn\xC3\xAF.PNG", "\xC3\xBCn\xC3\xAF.png", true},                // Ünï / ünï
      {"\xD1\x80\xD0\xB8\xD1\x81.png", "\xD0\xA0\xD0\x98\xD0\xA1.PNG", true},  // рис / РИС
      {"\xCE\xA3\xCE\xB5", "\xCF\x83\xCE\x95", true},                          // Σε / σΕ
      {"\xC3\xA9lan.gif", "elan.gif", false},                                  // é is not e
      {"\xC3\xA9lan.gif", "\xC3\xA9lan.gi", false},
      {"a\xFF", "A\xFF", false},  // malformed: bytes only
      {"a\xFF", "a\xFF", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SameTextUtf8(c.a, c.b), c.same) << c.a << " / " << c.b;
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
