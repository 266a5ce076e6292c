// Events (never while loading): OnClick when Checked changes, by the user or by code; not when set to its value.
#pragma once

#include "platform/ui/alignment.h"
#include "platform/ui/wincontrol.h"

namespace platform {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
  QW_CLASS(TCheckBox, TWinControl)
public:
  explicit TCheckBox(TComponent* owner);
  static void Publish(TProps<TCheckBox>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void SyncWidget();
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

}  // namespace platform
