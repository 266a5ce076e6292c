#include "platform/components/graphics.h"

#include <cmath>

namespace platform {

namespace {

struct NamedColor {
  const char* Name;
  TColor Color;
};

const NamedColor kColors[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText},
    {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText}, {"clBtnText", clBtnText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk},
};

int MulDiv(int a, int b, int c) { return static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

}  // namespace

bool ColorFromName(std::string_view name, TColor& color) {
  for (const NamedColor& c : kColors)
    if (SameName(c.Name, name)) {
      color = c.Color;
      return true;
    }
  return false;
}

bool IntegerFromIdent(std::string_view name, int64_t& value) {
  TColor color;
  if (ColorFromName(name, color)) {
    value = color;
    return true;
  }
  struct Named {
    const char* Name;
    int Value;
  };
  static const Named kNames[] = {
      {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET},
      {"MAC_CHARSET", MAC_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
      {"JOHAB_CHARSET", JOHAB_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET},
      {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET},
      {"TURKISH_CHARSET", TURKISH_CHARSET}, {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
      {"HEBREW_CHARSET", HEBREW_CHARSET}, {"ARABIC_CHARSET", ARABIC_CHARSET}, {"BALTIC_CHARSET", BALTIC_CHARSET},
      {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}, {"THAI_CHARSET", THAI_CHARSET},
      {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}, {"OEM_CHARSET", OEM_CHARSET},
      {"crDefault", 0}, {"crNone", -1}, {"crArrow", -2}, {"crCross", -3}, {"crIBeam", -4}, {"crSizeNESW", -6},
      {"crSizeNS", -7}, {"crSizeNWSE", -8}, {"crSizeWE", -9}, {"crUpArrow", -10}, {"crHourGlass", -11},
      {"crNoDrop", -13}, {"crHSplit", -14}, {"crVSplit", -15}, {"crMultiDrag", -16}, {"crSQLWait", -17},
      {"crNo", -18}, {"crAppStart", -19}, {"crHelp", -20}, {"crHandPoint", -21}, {"crSizeAll", -22},
  };
  for (const Named& n : kNames)
    if (SameName(n.Name, name)) {
      value = n.Value;
      return true;
    }
  return false;
}

int CodePageOfCharset(int charset) {
  switch (charset) {
    case EASTEUROPE_CHARSET: return 1250;
    case RUSSIAN_CHARSET: return 1251;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case BALTIC_CHARSET: return 1257;
    case VIETNAMESE_CHARSET: return 1258;
    case THAI_CHARSET: return 874;
    default: return 0;
  }
}

void TFont::Publish(TProps<TFont>& p) {
  p.Int("Charset", &TFont::Charset, &TFont::SetCharset);
  p.Int("Color", &TFont::Color, &TFont::SetColor);
  p.Int("Height", &TFont::Height, &TFont::SetHeight);
  p.Str("Name", &TFont::Name, &TFont::SetName);
  p.Enum("Pitch", {"fpDefault", "fpFixed", "fpVariable"}, &TFont::Pitch, &TFont::SetPitch);
  p.Int("Size", &TFont::Size, &TFont::SetSize);
  p.Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style, &TFont::SetStyle);
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}
void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}
int TFont::Size() const { return -MulDiv(height_, 72, kScreenPixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kScreenPixelsPerInch, 72)); }
void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}
void TFont::SetStyle(unsigned style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}
void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}
void TFont::SetPitch(int pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  const auto* f = dynamic_cast<const TFont*>(&source);
  if (f == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (*f == *this) return;
  name_ = f->name_;
  height_ = f->height_;
  color_ = f->color_;
  style_ = f->style_;
  charset_ = f->charset_;
  pitch_ = f->pitch_;
  Changed();
}

bool TFont::operator==(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
         charset_ == o.charset_ && pitch_ == o.pitch_;
}

void TFont::Changed() {
  if (OnChanged) OnChanged();
  if (OnChange) OnChange(this);
}

}  // namespace platform
