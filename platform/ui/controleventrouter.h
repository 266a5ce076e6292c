#pragma once

#include "platform/ui/application.h"
#include "platform/ui/control.h"

#include <QObject>
#include <QVariant>

namespace platform {

// The property of a control's widget that holds the control.
inline constexpr char kControlProperty[] = "qw_control";

// Routes the events of every control's widget to the control; paints self-drawn controls.
class ControlEventRouter : public QObject {
public:
  static ControlEventRouter& Get() {
    static ControlEventRouter* r = new ControlEventRouter;  // lives for the process
    return *r;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    QVariant v = watched->property(kControlProperty);
    if (!v.isValid()) return false;
    auto* c = reinterpret_cast<TControl*>(v.value<quintptr>());
    if (c == nullptr) return false;
    bool handled = false;
    DispatchEvent([&] { handled = c->WidgetEvent(event); });
    return handled;
  }
  static void Paint(TControl* c, QPainter& p) { c->Paint(p); }
};

}  // namespace platform
