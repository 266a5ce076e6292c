#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

// A control with children that draws itself (Paint) and can take the focus.
class TCustomControl : public TWinControl {
  QW_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* owner);
};

}  // namespace platform
