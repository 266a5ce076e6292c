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
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  void SetParent(TWinControl* parent) override;

protected:
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

}  // namespace platform
