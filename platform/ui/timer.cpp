#include "platform/ui/timer.h"

#include "platform/ui/application.h"

#include <QObject>
#include <QTimer>

#include <utility>

namespace platform {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { delete timer_; }

void TTimer::Publish(TProps<TTimer>& p) {
  p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
  p.Int("Interval", &TTimer::Interval, &TTimer::SetInterval);
  p.Event("OnTimer", &TTimer::OnTimer);
}

void TTimer::SetEnabled(bool v) {
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  Update();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  OnTimer = std::move(e);
  Update();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

bool TTimer::Active() const { return timer_ != nullptr && timer_->isActive(); }

void TTimer::Update() {
  bool run = enabled_ && interval_ > 0 && static_cast<bool>(OnTimer) && !Loading();
  if (!run) {
    if (timer_ != nullptr) timer_->stop();
    return;
  }
  if (timer_ == nullptr) {
    EnsureQtApplication();
    timer_ = new QTimer;
    QObject::connect(timer_, &QTimer::timeout, [this] {
      DispatchEvent([this] {
        if (OnTimer) OnTimer(this);
      });
    });
  }
  timer_->start(interval_);  // restarts the interval, as re-enabling does
}

}  // namespace platform
