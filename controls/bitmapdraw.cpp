#include "controls/bitmapdraw.h"
#include "platform/ui/control.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace controls {

namespace {

TColor PixelColor(const QImage& b, int x, int y) { return FromQColor(QColor::fromRgb(b.pixel(x, y))); }

}  // namespace

void GradientFill(QPainter& dc, const TRect& r, TCustomGradient& g, int penStyle, int penWidth) {
  PaintGradient(g, dc, r, penStyle, penWidth);
}

bool HasImage(const QImage* b) { return b != nullptr && !b->isNull() && b->width() != 0 && b->height() != 0; }

TColor CornerColor(const QImage* b, int corner) {
  if (corner == 0 || !HasImage(b)) return 0;
  const int w = b->width() - 1, h = b->height() - 1;
  switch (corner) {
    case 1: return PixelColor(*b, 0, 0);
    case 2: return PixelColor(*b, 0, h);
    case 3: return PixelColor(*b, w, 0);
    default: return PixelColor(*b, w, h);
  }
}

void ReplaceColor(QImage& b, TColor oldColor, TColor newColor) {
  if (b.width() == 0 && b.height() == 0) return;
  if (b.format() != QImage::Format_RGB32 && b.format() != QImage::Format_ARGB32)
    b = b.convertToFormat(QImage::Format_RGB32);
  const QRgb from = ToQColor(oldColor).rgb() & 0xFFFFFF, to = ToQColor(newColor).rgb();
  for (int y = 0; y < b.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(b.scanLine(y));
    for (int x = 0; x < b.width(); ++x)
      if ((line[x] & 0xFFFFFF) == from) line[x] = to;
  }
}

namespace {

// The picture in `state` (see DrawBitmap) on a ground of `tc`; the disabled look takes the
// button face as its ground and as `tc`.
QImage StateImage(const QImage& b, int state, TColor& tc) {
  const int w = b.width(), h = b.height();
  QImage work(w, h, QImage::Format_RGB32);
  work.fill(ToQColor(tc));
  const QImage src = b.convertToFormat(QImage::Format_RGB32);
  if (state == 0 || state == 2) {
    QPainter p(&work);
    p.drawImage(0, 0, src);
    p.end();
    if (state == 2) {
      ReplaceColor(work, clWhite, ResolveColor(clBtnHighlight));
      ReplaceColor(work, clGray, ResolveColor(clBtnShadow));
    }
  } else if (state == 1) {
    // Disabled look: the drawing (every pixel that is not white) embossed in the button
    // highlight one pixel down and right, and in the button shadow on top of it.
    work.fill(ToQColor(clBtnFace));
    const QRgb highlight = ToQColor(clBtnHighlight).rgb(), shadow = ToQColor(clBtnShadow).rgb();
    for (int pass = 0; pass < 2; ++pass) {
      const int off = pass == 0 ? 1 : 0;
      for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx) {
          if ((src.pixel(sx, sy) & 0xFFFFFF) == 0xFFFFFF) continue;
          const int tx = sx + off, ty = sy + off;
          if (tx < w && ty < h) work.setPixel(tx, ty, pass == 0 ? highlight : shadow);
        }
    }
    tc = clBtnFace;
  }
  return work;
}

// `work` with every pixel of colour `tc` made fully transparent.
QImage KeyedOut(const QImage& work, TColor tc) {
  QImage out = work.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(tc).rgb() & 0xFFFFFF;
  for (int yy = 0; yy < out.height(); ++yy) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(yy));
    for (int xx = 0; xx < out.width(); ++xx)
      if ((line[xx] & 0xFFFFFF) == key) line[xx] = 0;
  }
  return out;
}

}  // namespace

void DrawBitmap(QPainter& dc, const QImage& b, const TRect& r, int x, int y, int mode, int state, bool transparent,
                TColor tc) {
  if (b.width() == 0 && b.height() == 0) return;
  const int px = r.Left + x, py = r.Top + y;
  int w = b.width(), h = b.height();

  QImage work = StateImage(b, state, tc);

  if (mode == 1) {
    w = r.Width();
    h = r.Height();
  } else if (mode == 2) {
    const double f = std::min(static_cast<double>(r.Width()) / w, static_cast<double>(r.Height()) / h);
    w = static_cast<int>(std::lround(w * f));
    h = static_cast<int>(std::lround(h * f));
  }
  if (w <= 0 || h <= 0) return;
  if (w != work.width() || h != work.height()) work = work.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);

  const QImage out = transparent ? KeyedOut(work, tc) : work;

  if (mode == 3) {
    dc.save();
    dc.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Qt::IntersectClip);
    for (int cx = px; cx < r.Right; cx += w)
      for (int cy = py; cy < r.Bottom; cy += h) dc.drawImage(cx, cy, out);
    dc.restore();
  } else {
    dc.drawImage(px, py, out);
  }
}

}  // namespace controls
