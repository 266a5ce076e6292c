#include "assembly/fontfile.h"

#include <gtest/gtest.h>

using namespace assembly;

namespace {

FontFile SampleFont() {
  FontFile f;
  f.Height = 12;
  f.Type = FontColour;
  f.TextColor = 0x00112233;
  f.BackgroundColor = 0x00FFEEDD;
  for (int i = 0; i < kFontCodeCount; ++i) f.Widths[i] = uint8_t(i % 33);
  f.Sheet = std::string("\x89PNG first sheet", 16);
  f.NegativeSheet = "negative sheet bytes";
  return f;
}

}  // namespace

TEST(FontFile, WritesTheLayoutAndReadsItBack) {
  const FontFile f = SampleFont();
  const std::string bytes = WriteFontFile(f);
  ASSERT_EQ(bytes.size(), 244 + f.Sheet.size() + 4 + f.NegativeSheet.size());
  EXPECT_EQ(uint8_t(bytes[0]), 0x01);
  EXPECT_EQ(uint8_t(bytes[1]), 0x34);
  // The offset at byte 2 is 244 + N1 and points at N2.
  EXPECT_EQ(ReadU32LE(bytes, 2), 244 + f.Sheet.size());
  EXPECT_EQ(ReadU32LE(bytes, 240), f.Sheet.size());
  EXPECT_EQ(ReadU32LE(bytes, ReadU32LE(bytes, 2)), f.NegativeSheet.size());
  EXPECT_EQ(uint8_t(bytes[6]), 12);
  EXPECT_EQ(uint8_t(bytes[7]), 1);
  EXPECT_EQ(bytes.substr(8, 4), std::string("\x33\x22\x11\x00", 4));  // B, G, R, 0
  EXPECT_EQ(uint8_t(bytes[16 + 40]), 40 % 33);  // width of code 72

  std::string why;
  const auto back = ReadFontFile(bytes, &why);
  ASSERT_TRUE(back) << why;
  EXPECT_EQ(back->Height, f.Height);
  EXPECT_EQ(back->Type, f.Type);
  EXPECT_EQ(back->TextColor, f.TextColor);
  EXPECT_EQ(back->BackgroundColor, f.BackgroundColor);
  EXPECT_EQ(back->Widths, f.Widths);
  EXPECT_EQ(back->Sheet, f.Sheet);
  EXPECT_TRUE(back->HasNegativeSheet);
  EXPECT_EQ(back->NegativeSheet, f.NegativeSheet);
}

TEST(FontFile, CutAtTheLengthFieldIsAFontWithoutNegativeSet) {
  const std::string bytes = WriteFontFile(SampleFont());
  const std::string cut = bytes.substr(0, ReadU32LE(bytes, 2));
  const auto font = ReadFontFile(cut);
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->HasNegativeSheet);
  EXPECT_EQ(cut[7], bytes[7]);

  FontFile noNegative = SampleFont();
  noNegative.HasNegativeSheet = false;
  EXPECT_EQ(WriteFontFile(noNegative), cut);
}

TEST(FontFile, RefusesMalformedBytes) {
  const std::string good = WriteFontFile(SampleFont());
  const uint32_t positive = ReadU32LE(good, 2);
  auto withU32 = [&](std::size_t at, uint32_t v) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) s[at + i] = char(v >> (8 * i));
    return s;
  };
  auto withByte = [&](std::size_t at, char v) {
    std::string s = good;
    s[at] = v;
    return s;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"magic only", "\x01\x34"},
      {"wrong magic", withByte(1, 0x35)},
      {"shorter than the header", good.substr(0, 243)},
      {"length field before the header's end", withU32(2, 243)},
      {"length field past the end", withU32(2, uint32_t(good.size() + 1))},
      {"huge length field", withU32(2, 0xFFFFFFFF)},
      {"first sheet length disagrees", withU32(240, uint32_t(positive - 244 + 1))},
      {"font type 3", withByte(7, 3)},
      {"negative block without its length", good.substr(0, positive + 3)},
      {"negative block cut short", good.substr(0, good.size() - 1)},
      {"bytes after the negative block", good + "x"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(CheckFontBytes(c.bytes).empty()) << c.what;
    std::string why;
    EXPECT_FALSE(ReadFontFile(c.bytes, &why)) << c.what;
    EXPECT_FALSE(why.empty()) << c.what;
  }
  // The type's bit 7 is not part of the type.
  EXPECT_TRUE(CheckFontBytes(withByte(7, char(0x82))).empty());
  // A header with an empty first sheet and no negative set is still a font.
  std::string bare = good.substr(0, 240) + std::string(4, '\0');
  for (int i = 0; i < 4; ++i) bare[2 + i] = "\xF4\0\0\0"[i];
  EXPECT_TRUE(CheckFontBytes(bare).empty());
}
