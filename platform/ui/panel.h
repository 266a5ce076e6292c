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
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel b) { bevelInner_ = b; Invalidate(); }
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel b) { bevelOuter_ = b; Invalidate(); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w) { bevelWidth_ = w; Invalidate(); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b) { borderStyle_ = b; Invalidate(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }

protected:
  void TextChanged() override { Invalidate(); }
  void Paint(QPainter& painter) override;

private:
  TPanelBevel bevelInner_ = TPanelBevel::bvNone;
  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
  int bevelWidth_ = 1;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

}  // namespace platform
