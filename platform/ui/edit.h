#pragma once

#include "platform/ui/customedit.h"

namespace platform {

class TEdit : public TCustomEdit {
  QW_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace platform
