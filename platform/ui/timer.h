// Events (never while loading): OnTimer every Interval ms while Enabled, Interval > 0 and OnTimer is set.
#pragma once

#include "platform/components/component.h"

class QTimer;

namespace platform {

class TTimer : public TComponent {
  QW_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  static void Publish(TProps<TTimer>& p);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  void SetOnTimer(TNotifyEvent e);
  TNotifyEvent OnTimer;
  void Loaded() override;
  bool Active() const;

private:
  void Update();
  bool enabled_ = true;
  int interval_ = 1000;
  QTimer* timer_ = nullptr;
};

}  // namespace platform
