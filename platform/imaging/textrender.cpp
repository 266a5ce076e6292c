#include "platform/imaging/textrender.h"

#include "platform/system/codepage.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <map>
#include <mutex>
#include <numeric>
#include <set>
#include <tuple>
#include <utility>

namespace platform {

int CharsetCodePage(int charset) {
  switch (charset) {
    case ANSI_CHARSET: return 1252;
    case DEFAULT_CHARSET: return AnsiCodePage();
    case MAC_CHARSET: return 10000;
    case JOHAB_CHARSET: return 1361;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case VIETNAMESE_CHARSET: return 1258;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case BALTIC_CHARSET: return 1257;
    case RUSSIAN_CHARSET: return 1251;
    case EASTEUROPE_CHARSET: return 1250;
    case OEM_CHARSET: return AnsiCodePage() == 1251 ? 866 : 437;
    default: return 1252;
  }
}

std::optional<char32_t> CharsetToUnicode(int charset, unsigned char code) {
  int cp = CharsetCodePage(charset);
  if (cp == 1361) {
    if (code < 0x80) return static_cast<char32_t>(code);
    return std::nullopt;
  }
  return CodePage::Get(cp).ToUnicode(code);
}

unsigned char CharsetUpperCase(int charset, unsigned char code) {
  int cp = CharsetCodePage(charset);
  if (cp == 1361) return code >= 'a' && code <= 'z' ? static_cast<unsigned char>(code - 32) : code;
  return CodePage::Get(cp).Upper(code);
}

namespace {

std::mutex& FontMutex() {
  static std::mutex m;
  return m;
}

std::set<std::string>& RegisteredFiles() {
  static std::set<std::string> files;
  return files;
}

// Folders of the private configuration; they are application fonts too.
std::vector<std::string>& PrivateDirs() {
  static std::vector<std::string> dirs;
  return dirs;
}

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

const FcChar8* Fc(const std::string& s) { return reinterpret_cast<const FcChar8*>(s.c_str()); }

}  // namespace

bool AddFontResource(const std::string& path) {
  std::lock_guard lock(FontMutex());
  if (!FcConfigAppFontAddFile(FcConfigGetCurrent(), Fc(path))) return false;
  RegisteredFiles().insert(path);
  return true;
}

bool RemoveFontResource(const std::string& path) {
  std::lock_guard lock(FontMutex());
  if (RegisteredFiles().erase(path) == 0) return false;
  // fontconfig forgets application fonts only all at once: clear, then add the others again.
  FcConfig* config = FcConfigGetCurrent();
  FcConfigAppFontClear(config);
  for (const std::string& d : PrivateDirs()) FcConfigAppFontAddDir(config, Fc(d));
  for (const std::string& f : RegisteredFiles()) FcConfigAppFontAddFile(config, Fc(f));
  return true;
}

bool UsePrivateFontDirs(const std::vector<std::string>& dirs) {
  std::lock_guard lock(FontMutex());
  FcConfig* config = FcConfigCreate();
  if (!config) return false;
  // The user's usual cache folder; without one fontconfig complains on every scan.
  static const char kCache[] =
      "<?xml version=\"1.0\"?><fontconfig><cachedir prefix=\"xdg\">fontconfig</cachedir></fontconfig>";
  bool ok = FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kCache), FcFalse);
  for (const std::string& d : dirs) ok = FcConfigAppFontAddDir(config, Fc(d)) && ok;
  for (const std::string& f : RegisteredFiles()) FcConfigAppFontAddFile(config, Fc(f));
  if (!FcConfigSetCurrent(config)) ok = false;
  else PrivateDirs() = dirs;
  FcConfigDestroy(config);  // the current configuration keeps its own reference
  return ok;
}

std::vector<std::string> ScreenFontFamilies() {
  std::lock_guard lock(FontMutex());
  std::set<std::string> names;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  if (fonts) {
    for (int i = 0; i < fonts->nfont; ++i) {
      FcChar8* family = nullptr;
      for (int k = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, k, &family) == FcResultMatch; ++k) {
        std::string utf8(reinterpret_cast<const char*>(family));
        std::string ansi = FromUtf8(utf8, AnsiCodePage(), '\0');
        // Names the code page cannot spell could never be asked for again.
        if (!ansi.empty() && ansi.find('\0') == std::string::npos && ToUtf8(ansi) == utf8)
          names.insert(ansi);
      }
    }
    FcFontSetDestroy(fonts);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  std::vector<std::string> list(names.begin(), names.end());
  SortFamilyNames(list);
  return list;
}

void SortFamilyNames(std::vector<std::string>& names) {
  const CodePage& page = CodePage::Get(AnsiCodePage());
  // As a reader looks a name up: letters of either case together, then byte order for
  // names that differ only in case.
  auto folded = [&page](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&page](char x, char y) {
      return page.Upper(static_cast<unsigned char>(x)) < page.Upper(static_cast<unsigned char>(y));
    });
  };
  std::sort(names.begin(), names.end(), [&folded](const std::string& a, const std::string& b) {
    if (folded(a, b)) return true;
    if (folded(b, a)) return false;
    return a < b;
  });
}

namespace {

enum class RenderMode { Mono = 0, Grey = 1, Lcd = 2 };

int Channels(RenderMode mode) { return mode == RenderMode::Lcd ? 3 : 1; }

// One rendered character: coverage 0..255 per pixel (three per pixel, red first, for LCD),
// with its ink box relative to the pen on the baseline (Top = rows above the baseline), and
// the hinted outline's box in whole pixels (the character's metrics, kept whatever ink is
// drawn in the end).
struct Glyph {
  bool Ready = false;
  int Advance = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Rows = 0;
  std::vector<std::uint8_t> Coverage;
  int BoxLeft = 0;
  int BoxWidth = 0;
  bool Marked = false;    // a vanished mark was put back
  bool Refitted = false;  // moved up or down, or drawn otherwise, to fit the cell

  std::uint8_t& At(int col, int row, int channel, int channels) {
    return Coverage[(static_cast<std::size_t>(row) * Width + col) * channels + channel];
  }
  std::uint8_t At(int col, int row, int channel, int channels) const {
    return Coverage[(static_cast<std::size_t>(row) * Width + col) * channels + channel];
  }
  // Columns of the character's cell, relative to the pen: its box and its advance.
  int CellLeft() const { return std::min(BoxLeft, 0); }
  int CellRight() const { return std::max(BoxLeft + BoxWidth, Advance); }
};

// Drops the columns without ink at both sides, so that the box is the ink's own.
void TrimColumns(Glyph& g, int channels) {
  auto inked = [&](int c) {
    for (int r = 0; r < g.Rows; ++r)
      for (int k = 0; k < channels; ++k)
        if (g.At(c, r, k, channels) != 0) return true;
    return false;
  };
  int first = 0, last = g.Width - 1;
  while (first <= last && !inked(first)) ++first;
  while (last >= first && !inked(last)) --last;
  if (first == 0 && last == g.Width - 1) return;
  if (last < first) {
    g.Left = g.Top = g.Width = g.Rows = 0;
    g.Coverage.clear();
    return;
  }
  const int width = last - first + 1;
  std::vector<std::uint8_t> kept(static_cast<std::size_t>(width) * g.Rows * channels);
  for (int r = 0; r < g.Rows; ++r)
    std::copy_n(&g.Coverage[(static_cast<std::size_t>(r) * g.Width + first) * channels],
                static_cast<std::size_t>(width) * channels, &kept[static_cast<std::size_t>(r) * width * channels]);
  g.Coverage = std::move(kept);
  g.Left += first;
  g.Width = width;
}

// Drops the rows without ink at the top and the bottom (after TrimColumns).
void TrimRows(Glyph& g, int channels) {
  const std::size_t rowBytes = static_cast<std::size_t>(g.Width) * channels;
  auto inked = [&](int r) {
    const auto begin = g.Coverage.begin() + static_cast<std::ptrdiff_t>(r * rowBytes);
    return std::any_of(begin, begin + static_cast<std::ptrdiff_t>(rowBytes), [](std::uint8_t v) { return v != 0; });
  };
  int first = 0, last = g.Rows - 1;
  while (first <= last && !inked(first)) ++first;
  while (last >= first && !inked(last)) --last;
  if (last < first) {
    g.Left = g.Top = g.Width = g.Rows = 0;
    g.Coverage.clear();
    return;
  }
  g.Coverage.erase(g.Coverage.begin() + static_cast<std::ptrdiff_t>((last + 1) * rowBytes), g.Coverage.end());
  g.Coverage.erase(g.Coverage.begin(), g.Coverage.begin() + static_cast<std::ptrdiff_t>(first * rowBytes));
  g.Top -= first;
  g.Rows = last - first + 1;
}

// Ink of a character only: columns, then rows.
void TrimInk(Glyph& g, int channels) {
  TrimColumns(g, channels);
  TrimRows(g, channels);
}

// Ink to add to a glyph: pixel (x, y) with y the rows above the baseline.
struct InkPixel {
  int X = 0;
  int Y = 0;
  int Value = 0;
};

// `v` of the range from0..from1 carried over in proportion to the range to0..to1.
int MapAxis(int v, int from0, int from1, int to0, int to1) {
  if (from1 == from0) return to0 + (v - from0);
  return to0 + static_cast<int>(std::lround(static_cast<double>(v - from0) * (to1 - to0) / (from1 - from0)));
}

// The glyph with more ink: its box grows to hold the pixels, each set in every channel.
void AddInk(Glyph& g, const std::vector<InkPixel>& pixels, int channels) {
  if (pixels.empty()) return;
  int left = g.Rows ? g.Left : pixels[0].X, right = g.Rows ? g.Left + g.Width - 1 : pixels[0].X;
  int top = g.Rows ? g.Top : pixels[0].Y, bottom = g.Rows ? g.Top - g.Rows + 1 : pixels[0].Y;
  for (const InkPixel& p : pixels) {
    left = std::min(left, p.X);
    right = std::max(right, p.X);
    top = std::max(top, p.Y);
    bottom = std::min(bottom, p.Y);
  }
  Glyph grown = g;
  grown.Left = left;
  grown.Top = top;
  grown.Width = right - left + 1;
  grown.Rows = top - bottom + 1;
  grown.Coverage.assign(static_cast<std::size_t>(grown.Width) * grown.Rows * channels, 0);
  for (int r = 0; r < g.Rows; ++r)
    for (int c = 0; c < g.Width; ++c)
      for (int k = 0; k < channels; ++k)
        grown.At(g.Left - left + c, top - g.Top + r, k, channels) = g.At(c, r, k, channels);
  for (const InkPixel& p : pixels)
    for (int k = 0; k < channels; ++k) {
      std::uint8_t& v = grown.At(p.X - left, top - p.Y, k, channels);
      v = static_cast<std::uint8_t>(std::max(static_cast<int>(v), p.Value));
    }
  g = std::move(grown);
}

// Drops the rows of `g` that hold no ink, from the `count` rows below its top row down.
void DropEmptyRows(Glyph& g, int channels, int count) {
  const std::size_t rowBytes = static_cast<std::size_t>(g.Width) * channels;
  for (int r = 1; r < g.Rows - 1 && count > 0;) {
    const auto begin = g.Coverage.begin() + static_cast<std::ptrdiff_t>(r * rowBytes);
    if (std::any_of(begin, begin + static_cast<std::ptrdiff_t>(rowBytes), [](std::uint8_t v) { return v != 0; })) {
      ++r;
      continue;
    }
    g.Coverage.erase(begin, begin + static_cast<std::ptrdiff_t>(rowBytes));
    --g.Rows;
    --count;
  }
}

// Moves the ink horizontally into the character's columns where they are wide enough; ink
// wider than them (a subpixel fringe, a mark put back) keeps its place, its outer columns
// folded into the edge columns so that none of its coverage is lost.
void FitColumns(Glyph& g, int channels) {
  if (g.Rows == 0) return;
  const int cellLeft = g.CellLeft(), cellRight = g.CellRight();
  if (g.Width <= cellRight - cellLeft) {
    g.Left = std::clamp(g.Left, cellLeft, cellRight - g.Width);
    return;
  }
  if (cellRight <= cellLeft) return;
  Glyph folded = g;
  folded.Left = cellLeft;
  folded.Width = cellRight - cellLeft;
  folded.Coverage.assign(static_cast<std::size_t>(folded.Width) * g.Rows * channels, 0);
  for (int r = 0; r < g.Rows; ++r)
    for (int c = 0; c < g.Width; ++c) {
      const int to = std::clamp(g.Left + c, cellLeft, cellRight - 1) - cellLeft;
      for (int k = 0; k < channels; ++k) {
        std::uint8_t& v = folded.At(to, r, k, channels);
        v = static_cast<std::uint8_t>(std::min(255, v + g.At(c, r, k, channels)));
      }
    }
  g = std::move(folded);
}

// Moves the ink vertically into the cell's rows when it has no more rows than the cell;
// answers whether it fits.
bool FitRows(Glyph& g, int ascent, int height) {
  if (g.Rows == 0) return true;
  if (g.Rows > height) return false;
  if (g.Top > ascent) g.Top = ascent;
  if (g.Rows - g.Top > height - ascent) g.Top = g.Rows - (height - ascent);
  return true;
}

// Keeps the `height` top rows of ink that the cell cannot hold, from the cell's top row.
void CutRows(Glyph& g, int channels, int ascent, int height) {
  if (g.Rows <= height) return;
  g.Coverage.resize(static_cast<std::size_t>(g.Width) * height * channels);
  g.Rows = height;
  g.Top = ascent;
}

class FreeTypeFont final : public TextFont {
public:
  FreeTypeFont(const LogFont& font, FT_Face face, bool emboldenFace, bool obliqueFace)
      : TextFont(font), face_(face), embolden_(emboldenFace), oblique_(obliqueFace) {
    Setup();
  }
  ~FreeTypeFont() override {
    std::lock_guard lock(FontMutex());
    FT_Done_Face(face_);
  }

  TextSize TextExtent(unsigned char code) override {
    return TextSize{Render(code, MeasureMode()).Advance, font_.Height};
  }

  // From the hinted outline's box, as the glyph's metrics give it (not from the drawn
  // coverage, whose filter fringe reaches past the outline).
  bool CharABCWidths(unsigned char code, ABC& abc) override {
    const Glyph& g = Render(code, MeasureMode());
    if (g.BoxWidth == 0) {
      abc = ABC{0, g.Advance, 0};
    } else {
      abc.AbcA = g.BoxLeft;
      abc.AbcB = g.BoxWidth;
      abc.AbcC = g.Advance - g.BoxLeft - g.BoxWidth;
    }
    return true;
  }

  int PixelSize() const override { return pixelSize_; }
  int Ascent() const override { return ascent_; }

  void DrawChar(Bitmap& surface, int x, int y, unsigned char code, ColorRef textColor,
                bool opaqueBackground, ColorRef backColor) override;

private:
  RenderMode MeasureMode() const {
    if (font_.Quality == NONANTIALIASED_QUALITY) return RenderMode::Mono;
    if (font_.Quality == CLEARTYPE_QUALITY) return RenderMode::Lcd;
    return RenderMode::Grey;
  }
  // Full hinting, as for bilevel output, serves monochrome and grey drawing alike (the
  // outline and so the widths are the same for both); subpixel drawing hints lightly.
  FT_Int32 HintTarget() const { return font_.Quality == CLEARTYPE_QUALITY ? FT_LOAD_TARGET_LCD : FT_LOAD_TARGET_MONO; }
  void Setup();
  // The character at the current size, as FreeType hints (`loadFlags`) and draws it.
  Glyph RenderRaw(unsigned char code, RenderMode mode, FT_Int32 loadFlags);
  const Glyph& Render(unsigned char code, RenderMode mode);
  // Every character of one drawing mode: rendered, fitted to the cell, marks kept.
  void PrepareMode(RenderMode mode);
  int ChooseBaseline(RenderMode mode, int natural) const;
  void FitToCell(unsigned char code, RenderMode mode);
  void KeepDescender(unsigned char code, RenderMode mode);
  void KeepMarks(RenderMode mode);
  void KeepMarksOf(const std::vector<int>& codes, RenderMode mode);
  void PutMarkBack(Glyph& g, const Glyph& accented, const Glyph& base, RenderMode mode) const;

  FT_Face face_;
  bool embolden_;
  bool oblique_;
  int pixelSize_ = 0;  // pixels per em the glyphs are hinted and drawn at
  int ascent_ = 0;     // pixels from the cell's top to the baseline
  std::array<bool, 3> prepared_{};
  std::array<Glyph, 256 * 3> glyphs_{};
};

void FreeTypeFont::Setup() {
  // The requested height is the cell height (ascent + descent), as the Windows metrics of
  // the font divide it; the glyphs are hinted at the whole pixels per em nearest to that.
  double asc = 0, desc = 0;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
      os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    asc = os2->usWinAscent;
    desc = os2->usWinDescent;
  } else {
    asc = face_->ascender;
    desc = -face_->descender;
  }
  if (asc + desc <= 0) {
    asc = face_->units_per_EM * 0.8;
    desc = face_->units_per_EM * 0.2;
  }
  const int height = font_.Height;
  pixelSize_ = std::max(1, static_cast<int>(std::lround(height * face_->units_per_EM / (asc + desc))));
  FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize_));
  const RenderMode mode = MeasureMode();
  for (int code = 32; code < 256; ++code)
    glyphs_[code * 3 + static_cast<int>(mode)] = RenderRaw(static_cast<unsigned char>(code), mode, HintTarget());
  ascent_ = ChooseBaseline(mode, static_cast<int>(std::lround(height * asc / (asc + desc))));
  PrepareMode(mode);
}

// The baseline that lets the letters and digits fit the cell, then as many other characters
// as can, nearest to where the metrics put it. One character whose hinting misplaces its
// ink decides nothing: characters that do not fit are fitted each by itself.
int FreeTypeFont::ChooseBaseline(RenderMode mode, int natural) const {
  const int height = font_.Height;
  auto core = [](int code) { return std::isalnum(code) != 0 && code < 128; };
  long best = -1;
  int chosen = std::clamp(natural, 0, height);
  for (int b = 0; b <= height; ++b) {
    long coreFit = 0, fit = 0;
    for (int code = 32; code < 256; ++code) {
      const Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
      if (g.Rows == 0 || g.Top > b || g.Rows - g.Top > height - b) continue;
      ++fit;
      if (core(code)) ++coreFit;
    }
    const long score = ((coreFit * 256 + fit) * 64) + (63 - std::min(63, std::abs(b - natural)));
    if (score > best) {
      best = score;
      chosen = b;
    }
  }
  return chosen;
}

void FreeTypeFont::PrepareMode(RenderMode mode) {
  prepared_[static_cast<std::size_t>(mode)] = true;
  for (int code = 32; code < 256; ++code) {
    Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
    if (!g.Ready) g = RenderRaw(static_cast<unsigned char>(code), mode, HintTarget());
    KeepDescender(static_cast<unsigned char>(code), mode);
    FitToCell(static_cast<unsigned char>(code), mode);
  }
  KeepMarks(mode);
  const int channels = Channels(mode);
  for (int code = 32; code < 256; ++code) {
    Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
    if (!g.Marked) continue;
    // A mark put back may leave the glyph taller than the cell: the gap above its letter
    // goes first, then what still does not fit.
    DropEmptyRows(g, channels, g.Rows - font_.Height);
    FitColumns(g, channels);
    if (!FitRows(g, ascent_, font_.Height)) CutRows(g, channels, ascent_, font_.Height);
  }
}

// Hinting at a few pixels per em may squash a descender onto the baseline (q reads as a,
// p as o): such a character is drawn with lighter hinting, else unhinted, where that keeps
// it below the baseline.
void FreeTypeFont::KeepDescender(unsigned char code, RenderMode mode) {
  Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
  if (g.Rows == 0 || g.Rows > g.Top) return;
  FT_UInt index = 0;
  if (auto cp = CharsetToUnicode(font_.Charset, code)) index = FT_Get_Char_Index(face_, *cp);
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0 ||
      face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return;
  FT_BBox box;
  FT_Outline_Get_CBox(&face_->glyph->outline, &box);
  // Kept where the outline ends less than three quarters of a pixel below the baseline, or
  // where the hinted ink reaches higher than the outline (moved up whole, not squashed).
  if (box.yMin > -48 || g.Top * 64 > box.yMax + 32) return;
  for (const FT_Int32 flags : std::array<FT_Int32, 2>{FT_LOAD_TARGET_LIGHT, FT_LOAD_NO_HINTING}) {
    Glyph drawn = RenderRaw(code, mode, flags);
    if (drawn.Rows <= drawn.Top) continue;
    drawn.Advance = g.Advance;
    drawn.BoxLeft = g.BoxLeft;
    drawn.BoxWidth = g.BoxWidth;
    drawn.Refitted = true;
    g = std::move(drawn);
    return;
  }
  // No drawing keeps it: the unhinted outline's strongest pixels below the baseline are
  // added under the hinted glyph.
  const Glyph outline = RenderRaw(code, RenderMode::Grey, FT_LOAD_NO_HINTING);
  std::vector<InkPixel> below;
  int most = 0;
  for (int r = 0; r < outline.Rows; ++r)
    for (int c = 0; c < outline.Width && outline.Top - r <= 0; ++c) {
      below.push_back({outline.Left + c, outline.Top - r, outline.At(c, r, 0, 1)});
      most = std::max(most, below.back().Value);
    }
  if (most < 32) return;
  std::erase_if(below, [most](const InkPixel& p) { return p.Value * 2 < most; });
  for (InkPixel& p : below) {
    p.X = MapAxis(p.X, outline.Left, outline.Left + outline.Width - 1, g.Left, g.Left + g.Width - 1);
    p.Value = mode == RenderMode::Mono ? 255 : std::min(255, p.Value * 255 / most);
  }
  AddInk(g, below, Channels(mode));
  g.Refitted = true;
}

// A character taller than the cell is drawn with lighter hinting, else smaller, until it
// fits; then it is moved into the cell's rows and its own columns.
void FreeTypeFont::FitToCell(unsigned char code, RenderMode mode) {
  Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
  const int channels = Channels(mode);
  if (g.Rows > font_.Height) {
    Glyph fitted = RenderRaw(code, mode, FT_LOAD_TARGET_LIGHT);
    for (int size = pixelSize_ - 1; fitted.Rows > font_.Height && size >= std::max(1, pixelSize_ / 2); --size) {
      FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(size));
      fitted = RenderRaw(code, mode, HintTarget());
    }
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize_));
    if (fitted.Rows < g.Rows) {
      // The ink is new, the metrics stay those of the character at the font's size; the
      // smaller ink sits where the larger one's middle was.
      fitted.Left = g.Left + (g.Width - fitted.Width) / 2;
      fitted.Advance = g.Advance;
      fitted.BoxLeft = g.BoxLeft;
      fitted.BoxWidth = g.BoxWidth;
      fitted.Refitted = true;
      g = std::move(fitted);
    }
  }
  FitColumns(g, channels);
  const int top = g.Top;
  if (!FitRows(g, ascent_, font_.Height)) CutRows(g, channels, ascent_, font_.Height);
  g.Refitted = g.Refitted || g.Top != top;
}

// How much of `base`'s unhinted ink `outline` lacks, and the most it has beyond it (both
// aligned at the pen).
std::pair<long, int> Difference(const Glyph& outline, const Glyph& base) {
  auto at = [](const Glyph& g, int x, int y) {
    const int c = x - g.Left, r = g.Top - y;
    return c >= 0 && c < g.Width && r >= 0 && r < g.Rows ? static_cast<int>(g.At(c, r, 0, 1)) : 0;
  };
  long lacking = 0;
  for (int r = 0; r < base.Rows; ++r)
    for (int c = 0; c < base.Width; ++c)
      lacking += std::max(0, base.At(c, r, 0, 1) - at(outline, base.Left + c, base.Top - r));
  int beyond = 0;
  for (int r = 0; r < outline.Rows; ++r)
    for (int c = 0; c < outline.Width; ++c)
      beyond = std::max(beyond, outline.At(c, r, 0, 1) - at(base, outline.Left + c, outline.Top - r));
  return {lacking, beyond};
}

// Where hinting drew two characters alike (an accented letter like its letter, because the
// hinting dropped a thin mark), the character whose unhinted outline holds the other's and
// more gets the pixels beyond the other's back, placed beside the hinted letter. Characters
// fitted to the cell by themselves are drawn otherwise than hinted and left out.
void FreeTypeFont::KeepMarks(RenderMode mode) {
  // Two letters given back their marks may come out alike again (a dot and a diaeresis drawn
  // as one pixel): a second round tells those apart.
  for (int round = 0; round < 2; ++round) {
    std::map<std::tuple<int, int, int, std::vector<std::uint8_t>>, std::vector<int>> alike;
    for (int code = 32; code < 256; ++code) {
      const Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
      if (g.Rows > 0 && !g.Refitted && (round == 0 || g.Marked))
        alike[{g.Top, g.Rows, g.Width, g.Coverage}].push_back(code);
    }
    for (const auto& [ink, codes] : alike)
      if (codes.size() > 1) KeepMarksOf(codes, mode);
  }
}

void FreeTypeFont::KeepMarksOf(const std::vector<int>& codes, RenderMode mode) {
  std::vector<Glyph> outlines;
  std::vector<long> inks;
  for (int code : codes) {
    outlines.push_back(RenderRaw(static_cast<unsigned char>(code), RenderMode::Grey, FT_LOAD_NO_HINTING));
    inks.push_back(std::accumulate(outlines.back().Coverage.begin(), outlines.back().Coverage.end(), 0L));
  }
  for (std::size_t i = 0; i < codes.size(); ++i) {
    // The letter this one is made of: the one with the most ink among those whose ink it
    // holds (but for a third: a mark may take the place of a dot) with a mark beyond.
    std::size_t base = i;
    for (std::size_t j = 0; j < codes.size(); ++j) {
      if (j == i || inks[j] >= inks[i] || (base != i && inks[j] <= inks[base])) continue;
      const auto [lacking, beyond] = Difference(outlines[i], outlines[j]);
      if (lacking * 3 <= inks[j] && beyond >= 16) base = j;
    }
    if (base != i) PutMarkBack(glyphs_[codes[i] * 3 + static_cast<int>(mode)], outlines[i], outlines[base], mode);
  }
}

// Moves the pixels of a mark from the unhinted letter `base` to the hinted glyph `g`: a mark
// whose middle is in the letter's top quarter or above it (bottom quarter or below) keeps its
// shape and sits above (below) the hinted letter, one row apart where the unhinted one is
// apart; a mark across the letter is placed in proportion to the letter's box.
void PlaceMark(std::vector<InkPixel>& mark, const Glyph& base, const Glyph& g) {
  const int baseTop = base.Top, baseBottom = base.Top - base.Rows + 1;
  const int top = g.Top, bottom = g.Top - g.Rows + 1;
  long weight = 0, sum = 0;
  int markTop = INT_MIN, markBottom = INT_MAX;
  for (const InkPixel& p : mark) {
    weight += p.Value;
    sum += static_cast<long>(p.Value) * p.Y;
    markTop = std::max(markTop, p.Y);
    markBottom = std::min(markBottom, p.Y);
  }
  const double middle = static_cast<double>(sum) / static_cast<double>(std::max(weight, 1L));
  const double quarter = (baseTop - baseBottom) / 4.0;
  const bool above = middle >= baseTop - quarter, below = !above && middle <= baseBottom + quarter;
  const int shift = above   ? top + (markBottom > baseTop + 1 ? 2 : 1) - markBottom
                    : below ? bottom - (markTop < baseBottom - 1 ? 2 : 1) - markTop
                            : 0;
  for (InkPixel& p : mark) {
    p.X = MapAxis(p.X, base.Left, base.Left + base.Width - 1, g.Left, g.Left + g.Width - 1);
    p.Y = above || below ? p.Y + shift : MapAxis(p.Y, baseBottom, baseTop, bottom, top);
  }
}

// The pixels of the unhinted `accented` beyond the unhinted `base` (the mark), added to the
// hinted glyph `g`: a mark above or below the letter keeps its shape and its distance (one
// row at least), a mark across the letter is placed in proportion to the letter's box.
void FreeTypeFont::PutMarkBack(Glyph& g, const Glyph& accented, const Glyph& base, RenderMode mode) const {
  if (base.Rows == 0 || g.Rows == 0) return;
  auto baseAt = [&base](int x, int y) {
    const int c = x - base.Left, r = base.Top - y;
    return c >= 0 && c < base.Width && r >= 0 && r < base.Rows ? base.At(c, r, 0, 1) : 0;
  };
  std::vector<InkPixel> mark;
  int most = 0;
  for (int r = 0; r < accented.Rows; ++r)
    for (int c = 0; c < accented.Width; ++c) {
      const int x = accented.Left + c, y = accented.Top - r;
      const int extra = accented.At(c, r, 0, 1) - baseAt(x, y);
      if (extra > 0) mark.push_back({x, y, extra});
      most = std::max(most, extra);
    }
  // A mark has pixels of its own, or at least its strongest ones (the callers take only
  // differences of a sixteenth of a pixel or more).
  const int keep = std::min(most, 128);
  std::erase_if(mark, [keep](const InkPixel& p) { return p.Value < keep; });
  PlaceMark(mark, base, g);
  for (InkPixel& p : mark) p.Value = mode == RenderMode::Mono ? 255 : std::min(255, p.Value * 255 / keep);
  AddInk(g, mark, Channels(mode));
  g.Marked = true;
}

// The outline's box on whole pixels, as FreeType fits the metrics of a hinted glyph (the
// synthesised slant does not update them).
void SetOutlineBox(Glyph& g, FT_GlyphSlot slot) {
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  const FT_Pos left = box.xMin & ~63;
  const FT_Pos right = (box.xMax + 63) & ~63;
  g.BoxLeft = static_cast<int>(left >> 6);
  g.BoxWidth = static_cast<int>((right - left) >> 6);
}

// Three samples per pixel, spread by the five-tap filter, grouped red, green, blue.
void RenderLcd(Glyph& g, FT_GlyphSlot slot) {
  FT_Matrix triple{3 << 16, 0, 0, 1 << 16};
  FT_Outline_Transform(&slot->outline, &triple);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.width == 0 || bm.rows == 0) return;
  static constexpr int kFilter[5] = {0x08, 0x4D, 0x56, 0x4D, 0x08};
  int subLeft = slot->bitmap_left - 2;
  int subWidth = static_cast<int>(bm.width) + 4;
  int pixLeft = static_cast<int>(std::floor(subLeft / 3.0));
  int pixRight = static_cast<int>(std::floor((subLeft + subWidth - 1) / 3.0));
  g.Left = pixLeft;
  g.Width = pixRight - pixLeft + 1;
  g.Top = slot->bitmap_top;
  g.Rows = static_cast<int>(bm.rows);
  g.Coverage.assign(static_cast<std::size_t>(g.Width) * g.Rows * 3, 0);
  for (int r = 0; r < g.Rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
    for (int s = subLeft; s < subLeft + subWidth; ++s) {
      int sum = 0;
      for (int k = -2; k <= 2; ++k) {
        int i = s + k - slot->bitmap_left;
        if (i >= 0 && i < static_cast<int>(bm.width)) sum += kFilter[k + 2] * src[i];
      }
      int v = std::min(255, (sum + 128) >> 8);
      std::size_t at = (static_cast<std::size_t>(r) * g.Width * 3) + static_cast<std::size_t>(s - pixLeft * 3);
      g.Coverage[at] = static_cast<std::uint8_t>(v);
    }
  }
  TrimInk(g, 3);
}

// One coverage byte per pixel, 0 or 255 in monochrome.
void RenderPixels(Glyph& g, FT_GlyphSlot slot, RenderMode mode) {
  if (FT_Render_Glyph(slot, mode == RenderMode::Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bm = slot->bitmap;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = static_cast<int>(bm.width);
  g.Rows = static_cast<int>(bm.rows);
  g.Coverage.assign(static_cast<std::size_t>(g.Width) * g.Rows, 0);
  for (int r = 0; r < g.Rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
    for (int c = 0; c < g.Width; ++c) {
      std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                           ? ((src[c >> 3] >> (7 - (c & 7))) & 1 ? 255 : 0)
                           : src[c];
      g.Coverage[static_cast<std::size_t>(r) * g.Width + c] = v;
    }
  }
  TrimInk(g, 1);
}

Glyph FreeTypeFont::RenderRaw(unsigned char code, RenderMode mode, FT_Int32 loadFlags) {
  Glyph g;
  g.Ready = true;
  FT_UInt index = 0;
  if (auto cp = CharsetToUnicode(font_.Charset, code)) index = FT_Get_Char_Index(face_, *cp);
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | loadFlags) != 0) return g;
  FT_GlyphSlot slot = face_->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return g;
  if (oblique_) FT_GlyphSlot_Oblique(slot);
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  g.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (slot->outline.n_points > 0) SetOutlineBox(g, slot);
  if (mode == RenderMode::Lcd) RenderLcd(g, slot);
  else RenderPixels(g, slot, mode);
  return g;
}

const Glyph& FreeTypeFont::Render(unsigned char code, RenderMode mode) {
  if (!prepared_[static_cast<std::size_t>(mode)]) PrepareMode(mode);
  Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
  // Codes below 32 are no part of the font's characters; drawn as they come.
  if (!g.Ready) g = RenderRaw(code, mode, HintTarget());
  return g;
}

std::uint8_t Blend(std::uint8_t dst, std::uint8_t src, int a) {
  return static_cast<std::uint8_t>((dst * (255 - a) + src * a + 127) / 255);
}

void FreeTypeFont::DrawChar(Bitmap& surface, int x, int y, unsigned char code, ColorRef textColor,
                            bool opaqueBackground, ColorRef backColor) {
  const bool mono = surface.Format() == PixelFormat::pf1bit;
  if (!mono && surface.Format() != PixelFormat::pf32bit) throw EBitmapError("DrawChar: 1-bit or 32-bit bitmap expected");
  RenderMode mode = mono ? RenderMode::Mono : MeasureMode();
  const Glyph& g = Render(code, mode);
  const Rgb ink = RgbOf(textColor);
  const Rgb paper = RgbOf(backColor);
  auto put = [&](int px, int py, Rgb c) {
    if (px < 0 || py < 0 || px >= surface.Width() || py >= surface.Height()) return;
    surface.SetPixel(px, py, c);
  };
  if (opaqueBackground)
    for (int j = 0; j < font_.Height; ++j)
      for (int i = 0; i < g.Advance; ++i) put(x + i, y + j, paper);

  const int ox = x + g.Left;
  const int oy = y + ascent_ - g.Top;
  for (int r = 0; r < g.Rows; ++r) {
    int py = oy + r;
    if (py < 0 || py >= surface.Height()) continue;
    std::uint8_t* line = surface.ScanLine(py);
    for (int c = 0; c < g.Width; ++c) {
      int px = ox + c;
      if (px < 0 || px >= surface.Width()) continue;
      if (mono) {
        if (g.Coverage[static_cast<std::size_t>(r) * g.Width + c] >= 128) put(px, py, ink);
        continue;
      }
      std::uint8_t* p = line + static_cast<std::size_t>(px) * 4;  // blue, green, red
      if (mode == RenderMode::Lcd) {
        const std::uint8_t* cov = &g.Coverage[(static_cast<std::size_t>(r) * g.Width + c) * 3];
        p[2] = Blend(p[2], ink.Red, cov[0]);
        p[1] = Blend(p[1], ink.Green, cov[1]);
        p[0] = Blend(p[0], ink.Blue, cov[2]);
      } else {
        int a = g.Coverage[static_cast<std::size_t>(r) * g.Width + c];
        if (mode == RenderMode::Mono) a = a >= 128 ? 255 : 0;
        p[2] = Blend(p[2], ink.Red, a);
        p[1] = Blend(p[1], ink.Green, a);
        p[0] = Blend(p[0], ink.Blue, a);
      }
    }
  }
}

bool SameFamily(FcPattern* match, const std::string& wanted) {
  FcChar8* family = nullptr;
  for (int k = 0; FcPatternGetString(match, FC_FAMILY, k, &family) == FcResultMatch; ++k)
    if (FcStrCmpIgnoreCase(family, Fc(wanted)) == 0) return true;
  return false;
}

}  // namespace

std::unique_ptr<TextFont> CreateTextFont(const LogFont& font) {
  if (font.Height <= 0 || font.FaceName.empty()) return nullptr;
  const std::string family = ToUtf8(font.FaceName);
  const bool bold = font.Weight >= 600;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, Fc(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(font.Weight == 0 ? 400 : font.Weight));
  FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);

  std::string file;
  int faceIndex = 0;
  int matchedWeight = FC_WEIGHT_REGULAR;
  int matchedSlant = FC_SLANT_ROMAN;
  bool found = false;
  {
    std::lock_guard lock(FontMutex());
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
      FcChar8* path = nullptr;
      FcBool scalable = FcFalse;
      if (SameFamily(match, family) && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
          (FcPatternGetBool(match, FC_SCALABLE, 0, &scalable) != FcResultMatch || scalable)) {
        file = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
        FcPatternGetInteger(match, FC_SLANT, 0, &matchedSlant);
        found = true;
      }
      FcPatternDestroy(match);
    }
  }
  FcPatternDestroy(pattern);
  if (!found) return nullptr;

  FT_Face face = nullptr;
  {
    std::lock_guard lock(FontMutex());
    if (FT_New_Face(Library(), file.c_str(), faceIndex, &face) != 0) return nullptr;
  }
  if (!FT_IS_SCALABLE(face)) {
    FT_Done_Face(face);
    return nullptr;
  }
  const bool embolden = bold && matchedWeight < FC_WEIGHT_DEMIBOLD;
  const bool oblique = font.Italic && matchedSlant == FC_SLANT_ROMAN;
  return std::make_unique<FreeTypeFont>(font, face, embolden, oblique);
}

}  // namespace platform
