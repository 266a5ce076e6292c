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
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v) { show_accel_char_ = v; Invalidate(); }
  TWinControl* FocusControl() const { return focus_control_; }
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
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
};

}  // namespace platform
