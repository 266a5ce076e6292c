// Events (never while loading): OnClick when it becomes checked, by the user or by code; unchecking raises
// nothing. Checking one unchecks the other radio buttons of the same parent (silently); a
// parent may have none checked.
#pragma once

#include "platform/ui/alignment.h"
#include "platform/ui/wincontrol.h"

namespace platform {

class TRadioButton : public TWinControl {
  QW_CLASS(TRadioButton, TWinControl)
public:
  explicit TRadioButton(TComponent* owner);
  static void Publish(TProps<TRadioButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void SyncWidget();
  bool checked_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

}  // namespace platform
