#include "platform/ui/graphiccontrol.h"

#include "platform/ui/control.h"
#include "platform/ui/paintwidget.h"

namespace platform {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
  auto* w = new PaintWidget(this);
  w->setFocusPolicy(Qt::NoFocus);
  SetWidget(w);
}

}  // namespace platform
