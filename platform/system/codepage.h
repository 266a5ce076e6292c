// 8-bit Windows code pages: the process-wide ANSI code page, byte <-> Unicode
// conversion and case mapping by a code page's own letters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// One single-byte code page, as 256 code points and the reverse lookup.
class CodePage {
public:
  // The table of a code page (1250..1258, 874, 437, 850, 866, 10000 = Mac Roman, 28591..28605).
  // Unknown numbers give the 1252 table. Tables are built once and live for the process.
  static const CodePage& Get(int number);

  int Number() const { return number_; }
  // Undefined positions map to the same code point (as the Windows conversion does).
  char32_t ToUnicode(unsigned char byte) const { return toUnicode_[byte]; }
  std::optional<unsigned char> FromUnicode(char32_t cp) const;
  unsigned char Upper(unsigned char byte) const { return upper_[byte]; }

private:
  explicit CodePage(int number);
  int number_;
  char32_t toUnicode_[256];
  unsigned char upper_[256];
  std::unordered_map<char32_t, unsigned char> fromUnicode_;
};

// The process ANSI code page: QW_ANSI_CODEPAGE when set, else derived from the locale's
// language (LC_ALL, LC_CTYPE, LANG), else 1252.
int AnsiCodePage();
// Overrides the process code page (tests, and programs that know better).
void SetAnsiCodePage(int number);
// The code page Windows gives a language ("ru" -> 1251, "pl" -> 1250, ...; unknown -> 1252).
int CodePageForLanguage(std::string_view language);

// Bytes of code page `cp` to UTF-8 / UTF-16 and back. Characters the page lacks become `fallback`.
std::string ToUtf8(std::string_view bytes, int cp = AnsiCodePage());
std::string FromUtf8(std::string_view utf8, int cp = AnsiCodePage(), char fallback = '?');
std::u16string ToUtf16(std::string_view bytes, int cp = AnsiCodePage());
std::string FromUtf16(std::u16string_view text, int cp = AnsiCodePage(), char fallback = '?');

// The characters of a UTF-8 / UTF-16 text that code page `cp` cannot hold, each once, in the
// order of their first use (empty: the text converts without loss).
std::u32string Unencodable(std::string_view utf8, int cp = AnsiCodePage());
std::u32string Unencodable(std::u16string_view text, int cp = AnsiCodePage());

// Simple Unicode case folding of one character, independent of the locale.
char32_t FoldCase(char32_t c);
// Whether two UTF-8 names are the same text without regard to case (folded character by
// character; malformed bytes must match exactly).
bool SameTextUtf8(std::string_view a, std::string_view b);

// Decodes UTF-8 into code points; malformed sequences give U+FFFD per bad byte.
std::u32string DecodeUtf8(std::string_view utf8);
// Whether the bytes are well-formed UTF-8 throughout (plain ASCII is).
bool IsUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, char32_t cp);

// Upper case by the rules of code page `cp` (in place of CharUpperBuffA).
std::string UpperCase(std::string_view bytes, int cp = AnsiCodePage());
void UpperCaseInPlace(std::string& bytes, int cp = AnsiCodePage());

// Case-insensitive comparison of byte strings by code page `cp`.
bool SameText(std::string_view a, std::string_view b, int cp = AnsiCodePage());

}  // namespace platform
