#include "controls/gradient.h"
#include "platform/ui/control.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace controls {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long num = static_cast<long long>(a) * b;
  long long q =
      (2 * std::llabs(num) + std::llabs(static_cast<long long>(c))) / (2 * std::llabs(static_cast<long long>(c)));
  if ((num < 0) != (c < 0)) q = -q;
  return static_cast<int>(q);
}

TTwainColors::TTwainColors() {
  fromRgb_ = ResolveColor(fromColor_);
  toRgb_ = ResolveColor(toColor_);
}

void TTwainColors::Publish(platform::TProps<TTwainColors>& p) {
  p.Int("FromColor", &TTwainColors::FromColor, &TTwainColors::SetFromColor);
  p.Int("ToColor", &TTwainColors::ToColor, &TTwainColors::SetToColor);
}

void TGradient::Publish(platform::TProps<TGradient>& p) {
  p.Bool("Active", &TGradient::Active, &TGradient::SetActive);
  p.Bool("BufferedDraw", &TGradient::BufferedDraw, &TGradient::SetBufferedDraw);
  p.Enum(
      "Orientation",
      {"fgdHorizontal", "fgdVertical", "fgdLeftBias", "fgdRightBias", "fgdRectangle", "fgdHorzConvergent",
       "fgdVertConvergent"},
      [](TGradient& g) { return static_cast<int>(g.Orientation()); },
      [](TGradient& g, int v) { g.SetOrientation(static_cast<TGradientDir>(std::clamp(v, 0, 6))); });
  p.Int("Steps", &TGradient::Steps, &TGradient::SetSteps);
  p.Int(
      "PercentFilling", [](TGradient& g) { return static_cast<int>(g.PercentFilling()); },
      [](TGradient& g, int v) { g.SetPercentFilling(static_cast<TPercent>(std::clamp(v, 0, 100))); });
  p.Enum(
      "BrushStyle",
      {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"},
      [](TGradient& g) { return static_cast<int>(g.BrushStyle()); },
      [](TGradient& g, int v) { g.SetBrushStyle(static_cast<TBrushStyle>(std::clamp(v, 0, 7))); });
}

void TCustomGradient::Assign(const platform::TPersistent& source) {
  const auto* g = dynamic_cast<const TCustomGradient*>(&source);
  if (g == nullptr) {
    platform::TPersistent::Assign(source);
    return;
  }
  auto saved = std::move(OnChange);
  SetFromColor(g->FromColor());
  SetToColor(g->ToColor());
  bufferedDraw_ = g->bufferedDraw_;
  steps_ = g->steps_;
  percentFilling_ = g->percentFilling_;
  brushStyle_ = g->brushStyle_;
  orientation_ = g->orientation_;
  active_ = g->active_;
  OnChange = std::move(saved);
  Changed();
}

void TTwainColors::SetFromColor(TColor c) {
  if (c == fromColor_) return;
  fromColor_ = c;
  fromRgb_ = ResolveColor(c);
  Changed();
}

void TTwainColors::SetToColor(TColor c) {
  if (c == toColor_) return;
  toColor_ = c;
  toRgb_ = ResolveColor(c);
  Changed();
}

void TCustomGradient::SetSteps(int v) {
  v = std::clamp(v, 1, 255);
  if (v == steps_) return;
  steps_ = v;
  Changed();
}

void TCustomGradient::SetPercentFilling(TPercent v) {
  v = std::min<TPercent>(v, 100);
  if (v == percentFilling_) return;
  percentFilling_ = v;
  Changed();
}

void TCustomGradient::SetBrushStyle(TBrushStyle v) {
  brushStyle_ = v;
  Changed();
}

void TCustomGradient::SetOrientation(TGradientDir v) {
  if (v == orientation_) return;
  orientation_ = v;
  if (active_) Changed();
}

void TCustomGradient::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  Changed();
}

namespace {

Qt::PenStyle QtPenStyle(int ps) {
  switch (ps) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

// The brush of one band; a clear style gives none.
bool BandBrush(TBrushStyle style, const QColor& color, QBrush& brush) {
  switch (style) {
    case bsSolid: brush = QBrush(color, Qt::SolidPattern); return true;
    case bsHorizontal: brush = QBrush(color, Qt::HorPattern); return true;
    case bsVertical: brush = QBrush(color, Qt::VerPattern); return true;
    case bsFDiagonal: brush = QBrush(color, Qt::FDiagPattern); return true;
    case bsBDiagonal: brush = QBrush(color, Qt::BDiagPattern); return true;
    case bsCross: brush = QBrush(color, Qt::CrossPattern); return true;
    case bsDiagCross: brush = QBrush(color, Qt::DiagCrossPattern); return true;
    case bsClear: break;
  }
  return false;
}

void FillBand(QPainter& p, TBrushStyle style, const QColor& color, int l, int t, int r, int b) {
  QBrush brush;
  if (r <= l || b <= t || !BandBrush(style, color, brush)) return;
  p.fillRect(QRect(l, t, r - l, b - t), brush);
}

// Bands of the horizontal, vertical and bias orientations; a rectangle takes one band per
// pixel of its shorter half.
int BandCount(const TCustomGradient& g, int w, int h) {
  switch (g.Orientation()) {
    case fgdHorizontal: return std::min(g.Steps(), h);
    case fgdVertical: return std::min(g.Steps(), w);
    case fgdLeftBias:
    case fgdRightBias: return std::min(g.Steps(), w + h);
    case fgdRectangle: return std::min(g.Steps(), std::min(w / 2, h / 2));
    default: return 0;
  }
}

// Colour of band `i` of `n`, from `from` to `to`.
QColor BandColor(TColor from, TColor to, int i, int n) {
  const int r1 = RedOf(from), g1 = GreenOf(from), b1 = BlueOf(from);
  if (n == 1) return QColor(r1, g1, b1);
  const int dr = RedOf(to) - r1, dg = GreenOf(to) - g1, db = BlueOf(to) - b1;
  return QColor(std::clamp(r1 + MulDiv(i, dr, n - 1), 0, 255), std::clamp(g1 + MulDiv(i, dg, n - 1), 0, 255),
                std::clamp(b1 + MulDiv(i, db, n - 1), 0, 255));
}

// The two walking points of the bias orientations.
struct BiasWalk {
  int X1, Y1, X2, Y2;
};

// Band `i` of `n` of a bias orientation: its share of the w + h lines, each `pw` wide.
void DrawBiasBand(QPainter& p, TGradientDir dir, const TRect& r, const QColor& color, int penStyle, int pw, int i,
                  int n, BiasWalk& walk) {
  QPen pen(color, pw, QtPenStyle(penStyle));
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  const int w = r.Width(), h = r.Height();
  const int lines = MulDiv(i + 1, w + h, n) - MulDiv(i, w + h, n);
  for (int k = 0; k < lines; ++k) {
    if (dir == fgdLeftBias) {
      if (walk.Y1 < r.Bottom) walk.Y1 += pw;
      else walk.X1 += pw;
      if (walk.X2 < r.Right) walk.X2 += pw;
      else walk.Y2 += pw;
    } else {
      if (walk.X1 > r.Left) walk.X1 -= pw;
      else walk.Y1 += pw;
      if (walk.Y2 < r.Bottom) walk.Y2 += pw;
      else walk.X2 -= pw;
    }
    p.drawLine(walk.X1, walk.Y1, walk.X2, walk.Y2);
  }
}

// Band `i` of `n` of the horizontal, vertical and rectangle orientations.
void FillBandAt(QPainter& p, TGradientDir dir, TBrushStyle style, const TRect& r, const QColor& color, int i, int n) {
  const int w = r.Width(), h = r.Height();
  switch (dir) {
    case fgdHorizontal:
      FillBand(p, style, color, r.Left, r.Top + MulDiv(i, h, n), r.Right, r.Top + MulDiv(i + 1, h, n));
      break;
    case fgdVertical:
      FillBand(p, style, color, r.Left + MulDiv(i, w, n), r.Top, r.Left + MulDiv(i + 1, w, n), r.Bottom);
      break;
    case fgdRectangle: {
      const int dx = MulDiv(i, w / 2, n), dy = MulDiv(i, h / 2, n);
      FillBand(p, style, color, r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy);
      break;
    }
    default: break;
  }
}

// The bands of one non-convergent gradient, up to its fill percentage.
void PaintBands(const TCustomGradient& g, QPainter& p, const TRect& r, int penStyle, int penWidth) {
  const TGradientDir dir = g.Orientation();
  const int n = BandCount(g, r.Width(), r.Height());
  const int pw = penWidth == 0 ? 1 : penWidth;
  const int startX = dir == fgdRightBias ? r.Right : r.Left;
  BiasWalk walk{startX, r.Top, startX, r.Top};
  for (int i = 0; i < n; ++i) {
    const QColor color = BandColor(g.FromRGB(), g.ToRGB(), i, n);
    if (dir == fgdLeftBias || dir == fgdRightBias) DrawBiasBand(p, dir, r, color, penStyle, pw, i, n, walk);
    else FillBandAt(p, dir, g.BrushStyle(), r, color, i, n);
    if (100.0 * i / n > g.PercentFilling()) break;
  }
}

}  // namespace

void PaintGradient(TCustomGradient& g, QPainter& dc, const TRect& r, int penStyle, int penWidth) {
  if (!g.active_ || g.steps_ == 1) return;
  if (dc.device() == nullptr || dc.device()->depth() < 16) return;
  const int w = r.Width(), h = r.Height();

  if (g.orientation_ == fgdHorzConvergent || g.orientation_ == fgdVertConvergent) {
    const TGradientDir saved = g.orientation_;
    const bool horz = saved == fgdHorzConvergent;
    g.orientation_ = horz ? fgdHorizontal : fgdVertical;
    TRect first = r, second = r;
    if (horz) {
      first.Bottom -= h / 2;
      second.Top += h / 2;
    } else {
      first.Right -= w / 2;
      second.Left += w / 2;
    }
    PaintGradient(g, dc, first, penStyle, penWidth);
    std::swap(g.fromRgb_, g.toRgb_);
    PaintGradient(g, dc, second, penStyle, penWidth);
    std::swap(g.fromRgb_, g.toRgb_);
    g.orientation_ = saved;
    return;
  }

  if (!g.bufferedDraw_) {
    PaintBands(g, dc, r, penStyle, penWidth);
    return;
  }
  // Buffered drawing goes into an image of the rectangle's size, then onto the rectangle.
  if (w <= 0 || h <= 0) return;
  QImage buffer(w, h, QImage::Format_ARGB32_Premultiplied);
  buffer.fill(Qt::transparent);
  QPainter buffered(&buffer);
  buffered.translate(-r.Left, -r.Top);
  PaintBands(g, buffered, r, penStyle, penWidth);
  buffered.end();
  dc.drawImage(QPoint(r.Left, r.Top), buffer);
}

}  // namespace controls
