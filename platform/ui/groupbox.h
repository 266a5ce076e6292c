#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

class TGroupBox : public TWinControl {
  QW_CLASS(TGroupBox, TWinControl)
public:
  explicit TGroupBox(TComponent* owner);
  static void Publish(TProps<TGroupBox>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }

protected:
  void TextChanged() override;
};

}  // namespace platform
