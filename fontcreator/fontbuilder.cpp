#include "fontcreator/fontbuilder.h"

#include "assembly/fontfile.h"
#include "fontcreator/colorquantizer.h"
#include "platform/imaging/png.h"
#include "platform/system/codepage.h"
#include "platform/system/wholefile.h"

#include <cstring>

namespace fontcreator {

using platform::Bitmap;
using platform::PixelFormat;

SheetLayout LayoutSheet(int glyphHeight, const std::array<std::uint8_t, kCodeCount>& widths, int sheetWidth) {
  SheetLayout l;
  int x = 0, y = 0;
  for (int i = 0; i < kCodeCount; ++i) {
    if (x + widths[static_cast<std::size_t>(i)] > sheetWidth) {
      x = 0;
      y += glyphHeight;
    }
    l.X[static_cast<std::size_t>(i)] = x;
    l.Y[static_cast<std::size_t>(i)] = y;
    x += widths[static_cast<std::size_t>(i)];
  }
  l.Total = y + (x != 0 ? glyphHeight : 0);
  l.SheetHeight = std::max(l.Total, kMinSheetHeight);
  if (l.SheetHeight >= kMaxSheetHeight) {
    l.SheetHeight = kMaxSheetHeight;
    l.TooLarge = true;
  }
  return l;
}

std::unique_ptr<TCharImage> CreateCharImage(const FontSettings& s, bool negative, const FontFactory& factory) {
  return TCharImage::CreateCharImage(s.FontType, s.FaceName, s.Charset, s.Antialiased, s.UpperCase, s.Italic,
                                     s.Bold, s.Brightness, s.Contrast, negative, s.BackgroundColor, s.TextColor,
                                     s.Size, factory);
}

Bitmap RenderSheet(TCharImage& image, int width, int height) {
  Bitmap sheet(width, height, image.PixelFormat());
  sheet.Fill(platform::RgbOf(SwapRedBlue(image.BackColor())));
  const int h = image.GetHeight();
  int x = 0, y = 0;
  for (int code = kFirstCode; code <= 255; ++code) {
    image.SelectChar(static_cast<unsigned char>(code));
    const int w = image.GetCharWidth();
    if (x + w > width) {
      x = 0;
      y += h;
    }
    for (int j = 0; j < h; ++j) {
      if (y + j >= height) break;
      for (int i = 0; i < w; ++i) sheet.SetPixel(x + i, y + j, platform::RgbOf(image.Pixel(i, j)));
    }
    x += w;
  }
  if (sheet.Format() == PixelFormat::pf24bit) ReduceToPalette(sheet, PixelFormat::pf8bit, 256);
  return sheet;
}

Bitmap RenderZoomGlyph(TCharImage& image) {
  image.SelectChar('A');
  const int w = image.GetCharWidth(), h = image.GetHeight();
  Bitmap zoom(4 * w + 2, 4 * h + 2, image.PixelFormat());
  zoom.Fill(platform::RgbOf(SwapRedBlue(image.BackColor())));
  const platform::Rgb lime{0, 0xFF, 0};
  for (int x = 0; x < zoom.Width(); ++x) {
    zoom.SetPixel(x, 0, lime);
    zoom.SetPixel(x, zoom.Height() - 1, lime);
  }
  for (int y = 0; y < zoom.Height(); ++y) {
    zoom.SetPixel(0, y, lime);
    zoom.SetPixel(zoom.Width() - 1, y, lime);
  }
  for (int j = 0; j < 4 * h; ++j)
    for (int i = 0; i < 4 * w; ++i) zoom.SetPixel(i + 1, j + 1, platform::RgbOf(image.Pixel(i / 4, j / 4)));
  return zoom;
}

Bitmap ShrinkZoom(const Bitmap& zoom, int factor) {
  const int w = (zoom.Width() - 2) / 4, h = (zoom.Height() - 2) / 4;
  Bitmap small(factor * w + 2, factor * h + 2, zoom.Format());
  for (int y = 0; y < small.Height(); ++y)
    for (int x = 0; x < small.Width(); ++x) {
      const bool frame = x == 0 || y == 0 || x == small.Width() - 1 || y == small.Height() - 1;
      small.SetPixel(
          x, y, frame ? zoom.GetPixel(0, 0) : zoom.GetPixel(1 + 4 * ((x - 1) / factor), 1 + 4 * ((y - 1) / factor)));
    }
  return small;
}

FontPreview BuildFont(const FontSettings& settings, const FontFactory& factory) {
  FontPreview p;
  auto image = CreateCharImage(settings, false, factory);
  p.Height = image->GetHeight();
  for (int code = kFirstCode; code <= 255; ++code) {
    image->SelectChar(static_cast<unsigned char>(code));
    p.Widths[static_cast<std::size_t>(code - kFirstCode)] = static_cast<std::uint8_t>(image->GetCharWidth());
  }
  p.Layout = LayoutSheet(p.Height, p.Widths);
  p.TooLarge = p.Layout.TooLarge;
  p.Sheet = RenderSheet(*image, kSheetWidth, p.Layout.SheetHeight);
  p.Zoom = RenderZoomGlyph(*image);
  return p;
}

std::string BuildFontFile(const FontSettings& settings, FontPreview* preview, const FontFactory& factory) {
  FontPreview p = BuildFont(settings, factory);
  assembly::FontFile f;
  f.Height = static_cast<std::uint8_t>(p.Height);
  f.Type = static_cast<std::uint8_t>(settings.FontType);
  f.TextColor = settings.TextColor & 0xFFFFFF;
  f.BackgroundColor = settings.BackgroundColor & 0xFFFFFF;
  f.Widths = p.Widths;
  f.Sheet = platform::EncodePalettePng(p.Sheet);
  {
    auto negative = CreateCharImage(settings, true, factory);
    Bitmap sheet = RenderSheet(*negative, kSheetWidth, p.Layout.SheetHeight);
    f.NegativeSheet = platform::EncodePalettePng(sheet);
  }
  f.HasNegativeSheet = true;
  std::string bytes = assembly::WriteFontFile(f);
  if (preview) *preview = std::move(p);
  return bytes;
}

FontPreview SaveFont(const FontSettings& settings, const std::string& fileName, const FontFactory& factory) {
  FontPreview p;
  const std::string bytes = BuildFontFile(settings, &p, factory);
  try {
    platform::WriteWholeFile(fileName, bytes);
  } catch (const platform::EFileError& e) {
    platform::TMessage text("Cannot write the font file \"", platform::AnsiCodePage());
    throw EFontWriteError(text.Path(fileName).Own("\": ", platform::AnsiCodePage()).Append(e.ReasonText));
  }
  return p;
}

}  // namespace fontcreator
