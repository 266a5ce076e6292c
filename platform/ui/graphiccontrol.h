#pragma once

#include "platform/ui/control.h"

namespace platform {

// A windowless control that draws itself (Paint); it takes no focus.
class TGraphicControl : public TControl {
  QW_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* owner);
};

}  // namespace platform
