#pragma once

#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/controleventrouter.h"

#include <QPainter>
#include <QWidget>

namespace platform {

// The widget of self-drawn controls.
class PaintWidget : public QWidget {
public:
  explicit PaintWidget(TControl* owner) : owner_(owner) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    DispatchEvent([&] { ControlEventRouter::Paint(owner_, p); });
  }

private:
  TControl* owner_;
};

}  // namespace platform
