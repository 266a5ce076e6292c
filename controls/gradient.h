// Gradient settings (two colours, band count, fill percentage, brush, orientation) and the
// painter that draws them as bands of flat colour.
#pragma once

#include "controls/colors.h"
#include "platform/components/component.h"
#include "platform/ui/control.h"

#include <cstdint>
#include <functional>

class QPainter;

namespace controls {

// A rectangle as the drawing operations take it: Right and Bottom are outside.
using platform::TRect;

enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TGradientDir : uint8_t {
  fgdHorizontal,
  fgdVertical,
  fgdLeftBias,
  fgdRightBias,
  fgdRectangle,
  fgdHorzConvergent,
  fgdVertConvergent
};

using TPercent = uint8_t;  // 0..100

// a * b / c rounded to the nearest integer (halves away from zero); -1 when c is 0.
int MulDiv(int a, int b, int c);

class TCustomGradient;

class TTwainColors : public platform::TPersistent {
  QW_CLASS(TTwainColors, platform::TPersistent)
public:
  TTwainColors();
  static void Publish(platform::TProps<TTwainColors>& p);

  TColor FromColor() const { return fromColor_; }
  void SetFromColor(TColor c);
  TColor ToColor() const { return toColor_; }
  void SetToColor(TColor c);
  // The colours as plain RGB, resolved when they were set.
  TColor FromRGB() const { return fromRgb_; }
  TColor ToRGB() const { return toRgb_; }

  std::function<void(TTwainColors*)> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }

private:
  friend void PaintGradient(TCustomGradient&, QPainter&, const TRect&, int, int);
  TColor fromColor_ = clGray;
  TColor toColor_ = clBlack;
  TColor fromRgb_ = clGray;
  TColor toRgb_ = clBlack;
};

class TCustomGradient : public TTwainColors {
  QW_CLASS(TCustomGradient, TTwainColors)
public:
  TCustomGradient() = default;
  // Copies every setting (raising one OnChange).
  void Assign(const platform::TPersistent& source) override;

  bool BufferedDraw() const { return bufferedDraw_; }
  void SetBufferedDraw(bool v) { bufferedDraw_ = v; }
  int Steps() const { return steps_; }
  // Clamped to 1..255.
  void SetSteps(int v);
  TPercent PercentFilling() const { return percentFilling_; }
  void SetPercentFilling(TPercent v);
  TBrushStyle BrushStyle() const { return brushStyle_; }
  void SetBrushStyle(TBrushStyle v);
  TGradientDir Orientation() const { return orientation_; }
  void SetOrientation(TGradientDir v);
  bool Active() const { return active_; }
  void SetActive(bool v);

private:
  friend void PaintGradient(TCustomGradient&, QPainter&, const TRect&, int, int);
  bool bufferedDraw_ = false;
  int steps_ = 255;
  TPercent percentFilling_ = 100;
  TBrushStyle brushStyle_ = bsSolid;
  TGradientDir orientation_ = fgdHorizontal;
  bool active_ = false;
};

class TGradient : public TCustomGradient {
  QW_CLASS(TGradient, TCustomGradient)
public:
  TGradient() = default;
  static void Publish(platform::TProps<TGradient>& p);
};

// Paints gradient `g` over `r`; the bias orientations draw lines with
// pen style `penStyle` (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none) and
// width `penWidth` (0 counts as 1). Nothing is drawn on a device below 16 bits per pixel.
void PaintGradient(TCustomGradient& g, QPainter& dc, const TRect& r, int penStyle, int penWidth);

}  // namespace controls
