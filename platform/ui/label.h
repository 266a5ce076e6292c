// Events (never while loading): OnClick on a left press and release inside the label.
#pragma once

#include "platform/ui/alignment.h"
#include "platform/ui/graphiccontrol.h"

namespace platform {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
  QW_CLASS(TLabel, TGraphicControl)
public:
  explicit TLabel(TComponent* owner);
  static void Publish(TProps<TLabel>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v) { showAccelChar_ = v; Invalidate(); }
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* c);
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // Fits the bounds to the text (AutoSize).
  void AdjustBounds();

protected:
  void TextChanged() override;
  void FontChanged() override;
  void Paint(QPainter& painter) override;

private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

}  // namespace platform
