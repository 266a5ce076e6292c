#include "platform/ui/customcontrol.h"

#include "platform/ui/paintwidget.h"
#include "platform/ui/wincontrol.h"

namespace platform {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
  auto* w = new PaintWidget(this);
  w->setFocusPolicy(Qt::StrongFocus);
  SetWidget(w);
}

}  // namespace platform
