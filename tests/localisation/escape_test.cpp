#include "localisation/escape.h"

#include <gtest/gtest.h>

namespace localisation {
namespace {

struct EscapeCase {
  std::string value;
  std::string text;
};

TEST(UnescapeText, ReadsEveryEscapeAndKeepsTheRest) {
  const EscapeCase cases[] = {
      {"a\\\\b", "a\\b"},
      {"one\\ntwo", "one\r\ntwo"},
      {"a\\tb", "a\tb"},
      {"\\09", "\t"},
      {"\\99", "c"},
      {"\\999", "c9"},
      {"\\32x\\32", " x "},
      {"\\00", std::string(1, '\0')},
      {"a\\5", "a\\5"},    // one digit at the end
      {"a\\5b", "a\\5b"},  // one digit before a non-digit
      {"\\q\\N\\T", "\\q\\N\\T"},
      {"end\\", "end\\"},
      {"\\\\n", "\\n"},  // an escaped backslash followed by a plain n
      {"\xC0\xFF", "\xC0\xFF"},
      {"", ""},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(UnescapeText(c.value), c.text) << c.value;
}

TEST(EscapeText, WritesBreaksControlsAndBackslashes) {
  const EscapeCase cases[] = {
      {"\\n\\n", "\r\n\r\n"},
      {"\\n\\n", "\n\r\n\r"},  // LF CR pairs are one break each
      {"a\\nb\\nc", "a\rb\nc"},
      {"\\t", "\t"},
      {"\\\\", "\\"},
      {"\\01", "\x01"},
      {"\\31", "\x1F"},
      {"\\00", std::string(1, '\0')},
      {"\x7F\x80\xFF", "\x7F\x80\xFF"},
      {"  keep  ", "  keep  "},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(EscapeText(c.text), c.value) << c.value;
}

TEST(EscapeText, UnescapingGivesTheTextBackWithCrLfBreaks) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  EXPECT_EQ(UnescapeText(EscapeText(all)), all);
  EXPECT_EQ(UnescapeText(EscapeText("a\nb\rc\n\rd")), "a\r\nb\r\nc\r\nd");
}

TEST(EscapeTemplateText, KeepsBlanksAtTheEndsThroughTrimming) {
  EXPECT_EQ(EscapeTemplateText("Glyphkiln v2.5 for Tomefalcon "), "Glyphkiln v2.5 for Tomefalcon\\32");
  EXPECT_EQ(EscapeTemplateText("  two  words "), "\\32\\32two  words\\32");
  EXPECT_EQ(EscapeTemplateText("   "), "\\32\\32\\32");
  EXPECT_EQ(EscapeTemplateText(""), "");
  EXPECT_EQ(EscapeTemplateText("a\tb"), "a\\tb");
  // Read back as a language file value: trimmed, then unescaped.
  std::string text = " lead and trail ";
  EXPECT_EQ(UnescapeText(TrimBlanks(EscapeTemplateText(text))), text);
}

TEST(ParseInteger, DecimalAndHexadecimalWithin32Bits) {
  const std::pair<std::string, std::optional<int32_t>> cases[] = {
      {"62", 62},
      {"00000062", 62},
      {"+7", 7},
      {"-5", -5},
      {"0", 0},
      {"$1F", 31},
      {"0x419", 1049},
      {"0X419", 1049},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"66585", 66585},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"12a", std::nullopt},
      {"word", std::nullopt},
      {" 1", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInteger(text), value) << text;
}

}  // namespace
}  // namespace localisation
