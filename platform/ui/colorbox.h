// Events (never while loading): OnChange when the user selects a colour; not when code sets Selected.
#pragma once

#include "platform/ui/wincontrol.h"

#include <string>
#include <utility>
#include <vector>

namespace platform {

enum : unsigned {
  cbStandardColors = 1, cbExtendedColors = 2, cbSystemColors = 4, cbIncludeNone = 8, cbIncludeDefault = 16,
  cbCustomColor = 32, cbPrettyNames = 64
};

// A drop-down list of colours.
class TColorBox : public TWinControl {
  QW_CLASS(TColorBox, TWinControl)
public:
  explicit TColorBox(TComponent* owner);
  static void Publish(TProps<TColorBox>& p);
  TColor Selected() const { return selected_; }
  void SetSelected(TColor c);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned s);
  int ItemCount() const { return static_cast<int>(colors_.size()); }
  TColor Colors(int index) const { return colors_.at(static_cast<size_t>(index)).second; }
  TNotifyEvent OnChange;
  // The user chose entry `index` (the custom entry asks Services().ChooseColor first).
  void UserSelect(int index);

protected:
  void CodePageChanged() override;

private:
  void Fill();
  void SyncIndex();
  std::vector<std::pair<std::string, TColor>> colors_;
  TColor selected_ = clBlack;
  unsigned style_ = cbStandardColors | cbExtendedColors | cbSystemColors;
  bool hasCustom_ = false;
};

}  // namespace platform
