// Colours and fonts of the window layer, without Qt (the Qt side turns them into QColor
// and QFont in platform/ui/qtbridge.h).
#pragma once

#include "platform/system/charsets.h"
#include "platform/components/component.h"

#include <cstdint>
#include <string>

namespace platform {

// 0x00BBGGRR (red in the low byte), or a system colour: 0x80000000 | COLOR_xxx index.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1), clActiveCaption = SystemColor(2),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8), clCaptionText = SystemColor(9),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14), clBtnFace = SystemColor(15),
                 clBtnShadow = SystemColor(16), clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clBtnHighlight = SystemColor(20), cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24);
constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u; }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

// Colour names as window descriptions write them ("clBtnFace", "clRed"); false when unknown.
bool ColorFromName(std::string_view name, TColor& color);
// Names that integer properties accept in window descriptions: colours, character sets
// ("RUSSIAN_CHARSET") and cursors ("crHandPoint"); false when unknown.
bool IntegerFromIdent(std::string_view name, int64_t& value);

// Font style bits.
enum : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The code page a character set implies, or 0 for ANSI, DEFAULT and the others without one.
int CodePageOfCharset(int charset);

constexpr int kScreenPixelsPerInch = 96;

// A font description. Height < 0 is the character height in pixels (the usual form),
// Height > 0 the cell height; Size is in points at 96 pixels per inch.
class TFont : public TPersistent {
  QW_CLASS(TFont, TPersistent)
public:
  TFont() = default;
  static void Publish(TProps<TFont>& p);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  int Pitch() const { return pitch_; }  // 0 default, 1 fixed, 2 variable
  void SetPitch(int pitch);

  void Assign(const TPersistent& source) override;
  bool operator==(const TFont& o) const;

  // Every change, after it is made. The owning control sets it.
  std::function<void()> OnChanged;
  TNotifyEvent OnChange;

private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  unsigned style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  int pitch_ = 0;
};

}  // namespace platform
