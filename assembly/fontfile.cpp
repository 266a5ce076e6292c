#include "assembly/fontfile.h"

namespace assembly {

uint32_t ReadU32LE(std::string_view b, std::size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

void AppendU32LE(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

std::string WriteFontFile(const FontFile& font) {
  std::string out;
  out.reserve(kFontHeaderSize + font.Sheet.size() + 4 + font.NegativeSheet.size());
  out += char(kFontMagic0);
  out += char(kFontMagic1);
  AppendU32LE(out, uint32_t(kFontHeaderSize + font.Sheet.size()));
  out += char(font.Height);
  out += char(font.Type & 0x7F);
  AppendU32LE(out, font.TextColor & 0xFFFFFF);
  AppendU32LE(out, font.BackgroundColor & 0xFFFFFF);
  for (uint8_t w : font.Widths) out += char(w);
  AppendU32LE(out, uint32_t(font.Sheet.size()));
  out += font.Sheet;
  if (font.HasNegativeSheet) {
    AppendU32LE(out, uint32_t(font.NegativeSheet.size()));
    out += font.NegativeSheet;
  }
  return out;
}

uint32_t FontPositivePartSize(std::string_view bytes) {
  return bytes.size() < 6 ? 0 : ReadU32LE(bytes, 2);
}

std::string CheckFontBytes(std::string_view b) {
  if (b.size() < 2 || uint8_t(b[0]) != kFontMagic0 || uint8_t(b[1]) != kFontMagic1)
    return "not a font file";
  if (b.size() > kFontMaxFileSize) return "the font file is larger than any font can be";
  if (b.size() < kFontHeaderSize) return "the font file is too short";
  const uint64_t positive = ReadU32LE(b, 2);
  if (positive < kFontHeaderSize || positive > b.size())
    return "the font file's length field is out of range";
  if (positive != kFontHeaderSize + uint64_t(ReadU32LE(b, 240)))
    return "the font file's glyph sheet length does not match its length field";
  if ((uint8_t(b[7]) & 0x7F) > FontClearType) return "unknown font type";
  if (positive < b.size()) {
    const uint64_t rest = b.size() - positive;
    if (rest < 4 || ReadU32LE(b, positive) != rest - 4)
      return "the font file's negative glyph sheet is damaged";
  }
  return {};
}

std::optional<FontFile> ReadFontFile(std::string_view b, std::string* reason) {
  std::string why = CheckFontBytes(b);
  if (!why.empty()) {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  }
  FontFile f;
  f.Height = uint8_t(b[6]);
  f.Type = uint8_t(b[7]) & 0x7F;
  f.TextColor = ReadU32LE(b, 8);
  f.BackgroundColor = ReadU32LE(b, 12);
  for (int i = 0; i < kFontCodeCount; ++i) f.Widths[i] = uint8_t(b[16 + i]);
  const std::size_t positive = ReadU32LE(b, 2);
  f.Sheet.assign(b.substr(kFontHeaderSize, positive - kFontHeaderSize));
  f.HasNegativeSheet = positive < b.size();
  if (f.HasNegativeSheet) f.NegativeSheet.assign(b.substr(positive + 4));
  return f;
}

}  // namespace assembly
