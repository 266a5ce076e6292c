// Events (never while loading): OnClick on a left press and release inside the button.
#pragma once

#include "platform/ui/graphiccontrol.h"

#include <QImage>

#include <algorithm>

namespace platform {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A flat button that draws itself: caption and glyph (whose bottom-left pixel colour is
// transparent). Subclasses may draw over it (call TSpeedButton::Paint first).
class TSpeedButton : public TGraphicControl {
  QW_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* owner);
  static void Publish(TProps<TSpeedButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& g) { glyph_ = g; Invalidate(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n) { numGlyphs_ = std::max(1, n); Invalidate(); }
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g) { groupIndex_ = g; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; Invalidate(); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l) { layout_ = l; Invalidate(); }
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; Invalidate(); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) { spacing_ = s; Invalidate(); }
  // bsDown while the left button holds it (or Down is set).
  TButtonState State() const { return state_; }
  // The left button was pressed on it and is still held (the mouse is captured).
  bool MouseCaptured() const { return dragging_; }

protected:
  void Paint(QPainter& painter) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override { Invalidate(); }
  bool ClicksOnRelease() const override { return false; }
  void EnabledChanged() override { Invalidate(); }

private:
  QImage glyph_;
  int numGlyphs_ = 1;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
};

}  // namespace platform
