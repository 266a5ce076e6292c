#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

class TPageControl;

class TTabSheet : public TWinControl {
  QW_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  static void Publish(TProps<TTabSheet>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  void SetParent(TWinControl* parent) override;

protected:
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
};

}  // namespace platform
