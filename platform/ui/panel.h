// Events (never while loading): OnClick on a left press and release inside the panel.
#pragma once

#include "platform/ui/alignment.h"
#include "platform/ui/customcontrol.h"

namespace platform {

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
  QW_CLASS(TPanel, TCustomControl)
public:
  explicit TPanel(TComponent* owner);
  static void Publish(TProps<TPanel>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TPanelBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TPanelBevel b) { bevel_inner_ = b; Invalidate(); }
  TPanelBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TPanelBevel b) { bevel_outer_ = b; Invalidate(); }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w) { bevel_width_ = w; Invalidate(); }
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle b) { border_style_ = b; Invalidate(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }

protected:
  void TextChanged() override { Invalidate(); }
  void Paint(QPainter& painter) override;

private:
  TPanelBevel bevel_inner_ = TPanelBevel::bvNone;
  TPanelBevel bevel_outer_ = TPanelBevel::bvRaised;
  int bevel_width_ = 1;
  TBorderStyle border_style_ = TBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

}  // namespace platform
