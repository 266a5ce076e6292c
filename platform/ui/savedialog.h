#pragma once

#include "platform/ui/opendialog.h"

namespace platform {

class TSaveDialog : public TOpenDialog {
  QW_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
  bool IsSave() const override { return true; }
};

}  // namespace platform
