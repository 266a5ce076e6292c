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
#include <cmath>
#include <mutex>
#include <set>
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

// One rendered character: coverage 0..255 per pixel (three per pixel, red first, for LCD),
// with its ink box relative to the pen on the baseline (top = rows above the baseline), and
// the hinted outline's box in whole pixels (the character's metrics).
struct Glyph {
  bool ready = false;
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;
  int boxLeft = 0;
  int boxWidth = 0;
};

// Drops the columns without ink at both sides, so that the box is the ink's own.
void TrimColumns(Glyph& g, int channels) {
  auto inked = [&](int c) {
    for (int r = 0; r < g.rows; ++r)
      for (int k = 0; k < channels; ++k)
        if (g.coverage[(static_cast<std::size_t>(r) * g.width + c) * channels + k] != 0) return true;
    return false;
  };
  int first = 0, last = g.width - 1;
  while (first <= last && !inked(first)) ++first;
  while (last >= first && !inked(last)) --last;
  if (first == 0 && last == g.width - 1) return;
  if (last < first) {
    g.left = g.top = g.width = g.rows = 0;
    g.coverage.clear();
    return;
  }
  const int width = last - first + 1;
  std::vector<std::uint8_t> kept(static_cast<std::size_t>(width) * g.rows * channels);
  for (int r = 0; r < g.rows; ++r)
    std::copy_n(&g.coverage[(static_cast<std::size_t>(r) * g.width + first) * channels],
                static_cast<std::size_t>(width) * channels,
                &kept[static_cast<std::size_t>(r) * width * channels]);
  g.coverage = std::move(kept);
  g.left += first;
  g.width = width;
}

// Drops the rows without ink at the top and the bottom (after TrimColumns).
void TrimRows(Glyph& g, int channels) {
  const std::size_t rowBytes = static_cast<std::size_t>(g.width) * channels;
  auto inked = [&](int r) {
    const auto begin = g.coverage.begin() + static_cast<std::ptrdiff_t>(r * rowBytes);
    return std::any_of(begin, begin + static_cast<std::ptrdiff_t>(rowBytes), [](std::uint8_t v) { return v != 0; });
  };
  int first = 0, last = g.rows - 1;
  while (first <= last && !inked(first)) ++first;
  while (last >= first && !inked(last)) --last;
  if (last < first) {
    g.left = g.top = g.width = g.rows = 0;
    g.coverage.clear();
    return;
  }
  g.coverage.erase(g.coverage.begin() + static_cast<std::ptrdiff_t>((last + 1) * rowBytes), g.coverage.end());
  g.coverage.erase(g.coverage.begin(), g.coverage.begin() + static_cast<std::ptrdiff_t>(first * rowBytes));
  g.top -= first;
  g.rows = last - first + 1;
}

// Ink of a character only: columns, then rows.
void TrimInk(Glyph& g, int channels) {
  TrimColumns(g, channels);
  TrimRows(g, channels);
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
    return TextSize{Render(code, MeasureMode()).advance, font_.Height};
  }

  // From the hinted outline's box, as the glyph's metrics give it (not from the drawn
  // coverage, whose filter fringe reaches past the outline).
  bool CharABCWidths(unsigned char code, ABC& abc) override {
    const Glyph& g = Render(code, MeasureMode());
    if (g.boxWidth == 0) {
      abc = ABC{0, g.advance, 0};
    } else {
      abc.abcA = g.boxLeft;
      abc.abcB = g.boxWidth;
      abc.abcC = g.advance - g.boxLeft - g.boxWidth;
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
  void Setup();
  // Sets the glyphs' size in pixels per em and answers the most rows of ink above and below
  // the baseline among codes 32..255.
  std::pair<int, int> InkRows(int size);
  const Glyph& Render(unsigned char code, RenderMode mode);

  FT_Face face_;
  bool embolden_;
  bool oblique_;
  int pixelSize_ = 0;  // pixels per em the glyphs are hinted and drawn at
  int ascent_ = 0;     // pixels from the cell's top to the baseline
  std::array<Glyph, 256 * 3> glyphs_{};
};

void FreeTypeFont::Setup() {
  // The requested height is the cell height (ascent + descent), as the Windows metrics of
  // the font divide it.
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
  // Glyphs are hinted at whole pixels per em. Start at the size those metrics give and step
  // down until the ink of every character of codes 32..255 fits the cell's rows; not below
  // half that size (hinting at a few pixels per em misplaces ink anyway): when nothing there
  // fits, the size that overflows least.
  const int height = font_.Height;
  const int start = std::max(1, static_cast<int>(std::lround(height * face_->units_per_EM / (asc + desc))));
  int best = 0, above = 0, below = 0;
  for (int size = start; size >= (start + 1) / 2; --size) {
    const auto [top, bottom] = InkRows(size);
    if (best == 0 || top + bottom < above + below) {
      best = size;
      above = top;
      below = bottom;
    }
    if (top + bottom <= height) break;
  }
  if (best != pixelSize_) InkRows(best);
  // The baseline where the metrics put it, moved as little as the ink needs; ink that cannot
  // fit loses its bottom rows.
  const int natural = static_cast<int>(std::lround(height * asc / (asc + desc)));
  ascent_ = above + below <= height ? std::clamp(natural, above, height - below) : std::min(above, height);
}

std::pair<int, int> FreeTypeFont::InkRows(int size) {
  FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(size));
  pixelSize_ = size;
  for (Glyph& g : glyphs_) g = Glyph{};
  int above = 0, below = 0;
  for (int code = 32; code < 256; ++code) {
    const Glyph& g = Render(static_cast<unsigned char>(code), MeasureMode());
    if (g.rows == 0) continue;
    above = std::max(above, g.top);
    below = std::max(below, g.rows - g.top);
  }
  return {above, below};
}

// The outline's box on whole pixels, as FreeType fits the metrics of a hinted glyph (the
// synthesised slant does not update them).
void SetOutlineBox(Glyph& g, FT_GlyphSlot slot) {
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  const FT_Pos left = box.xMin & ~63;
  const FT_Pos right = (box.xMax + 63) & ~63;
  g.boxLeft = static_cast<int>(left >> 6);
  g.boxWidth = static_cast<int>((right - left) >> 6);
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
  g.left = pixLeft;
  g.width = pixRight - pixLeft + 1;
  g.top = slot->bitmap_top;
  g.rows = static_cast<int>(bm.rows);
  g.coverage.assign(static_cast<std::size_t>(g.width) * g.rows * 3, 0);
  for (int r = 0; r < g.rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
    for (int s = subLeft; s < subLeft + subWidth; ++s) {
      int sum = 0;
      for (int k = -2; k <= 2; ++k) {
        int i = s + k - slot->bitmap_left;
        if (i >= 0 && i < static_cast<int>(bm.width)) sum += kFilter[k + 2] * src[i];
      }
      int v = std::min(255, (sum + 128) >> 8);
      std::size_t at = (static_cast<std::size_t>(r) * g.width * 3) + static_cast<std::size_t>(s - pixLeft * 3);
      g.coverage[at] = static_cast<std::uint8_t>(v);
    }
  }
  // The filter spreads ink two samples past the outline; what falls outside the character's
  // cell (its box and advance) is dropped, as the neighbouring cells are not its own.
  const int cellLeft = std::min(g.boxLeft, 0);
  const int cellRight = std::max(g.boxLeft + g.boxWidth, g.advance);
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.width; ++c)
      if (g.left + c < cellLeft || g.left + c >= cellRight)
        std::fill_n(&g.coverage[(static_cast<std::size_t>(r) * g.width + c) * 3], 3, std::uint8_t{0});
  TrimInk(g, 3);
}

// One coverage byte per pixel, 0 or 255 in monochrome.
void RenderPixels(Glyph& g, FT_GlyphSlot slot, RenderMode mode) {
  if (FT_Render_Glyph(slot, mode == RenderMode::Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.coverage.assign(static_cast<std::size_t>(g.width) * g.rows, 0);
  for (int r = 0; r < g.rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
    for (int c = 0; c < g.width; ++c) {
      std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                           ? ((src[c >> 3] >> (7 - (c & 7))) & 1 ? 255 : 0)
                           : src[c];
      g.coverage[static_cast<std::size_t>(r) * g.width + c] = v;
    }
  }
  TrimInk(g, 1);
}

const Glyph& FreeTypeFont::Render(unsigned char code, RenderMode mode) {
  Glyph& g = glyphs_[code * 3 + static_cast<int>(mode)];
  if (g.ready) return g;
  g.ready = true;

  FT_UInt index = 0;
  if (auto cp = CharsetToUnicode(font_.Charset, code)) index = FT_Get_Char_Index(face_, *cp);
  // Full hinting, as for bilevel output, serves monochrome and grey drawing alike (the
  // outline and so the widths are the same for both); subpixel drawing hints lightly.
  FT_Int32 target = font_.Quality == CLEARTYPE_QUALITY ? FT_LOAD_TARGET_LCD : FT_LOAD_TARGET_MONO;
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | target) != 0) return g;
  FT_GlyphSlot slot = face_->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return g;
  if (oblique_) FT_GlyphSlot_Oblique(slot);
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (slot->outline.n_points > 0) SetOutlineBox(g, slot);
  if (mode == RenderMode::Lcd) RenderLcd(g, slot);
  else RenderPixels(g, slot, mode);
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
      for (int i = 0; i < g.advance; ++i) put(x + i, y + j, paper);

  const int ox = x + g.left;
  const int oy = y + ascent_ - g.top;
  for (int r = 0; r < g.rows; ++r) {
    int py = oy + r;
    if (py < 0 || py >= surface.Height()) continue;
    std::uint8_t* line = surface.ScanLine(py);
    for (int c = 0; c < g.width; ++c) {
      int px = ox + c;
      if (px < 0 || px >= surface.Width()) continue;
      if (mono) {
        if (g.coverage[static_cast<std::size_t>(r) * g.width + c] >= 128) put(px, py, ink);
        continue;
      }
      std::uint8_t* p = line + static_cast<std::size_t>(px) * 4;  // blue, green, red
      if (mode == RenderMode::Lcd) {
        const std::uint8_t* cov = &g.coverage[(static_cast<std::size_t>(r) * g.width + c) * 3];
        p[2] = Blend(p[2], ink.red, cov[0]);
        p[1] = Blend(p[1], ink.green, cov[1]);
        p[0] = Blend(p[0], ink.blue, cov[2]);
      } else {
        int a = g.coverage[static_cast<std::size_t>(r) * g.width + c];
        if (mode == RenderMode::Mono) a = a >= 128 ? 255 : 0;
        p[2] = Blend(p[2], ink.red, a);
        p[1] = Blend(p[1], ink.green, a);
        p[0] = Blend(p[0], ink.blue, a);
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
