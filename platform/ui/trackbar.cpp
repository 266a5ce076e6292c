#include "platform/ui/trackbar.h"

#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QObject>
#include <QSlider>

#include <algorithm>

namespace platform {

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  auto* s = new QSlider(Qt::Horizontal);
  SetWidget(s);
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
  QObject::connect(s, &QSlider::valueChanged, [this](int v) {
    if (!syncing_) DispatchEvent([&] { UserMove(v); });
  });
  Sync();
}

void TTrackBar::Publish(TProps<TTrackBar>& p) {
  p.Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
  p.Int("Max", &TTrackBar::Max, &TTrackBar::SetMax);
  p.Int("Min", &TTrackBar::Min, &TTrackBar::SetMin);
  p.Enum("Orientation", {"trHorizontal", "trVertical"}, &TTrackBar::Orientation, &TTrackBar::SetOrientation);
  p.Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition);
  p.Enum("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
  p.Event("OnChange", &TTrackBar::OnChange);
}

void TTrackBar::SetMin(int v) {
  min_ = v;
  Sync();
}
void TTrackBar::SetMax(int v) {
  max_ = v;
  Sync();
}
void TTrackBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, std::max(min_, max_));
  Sync();
}
void TTrackBar::SetFrequency(int f) {
  frequency_ = f;
  Sync();
}
void TTrackBar::SetTickStyle(TTickStyle s) {
  tickStyle_ = s;
  Sync();
}
void TTrackBar::SetOrientation(TTrackBarOrientation o) {
  orientation_ = o;
  Sync();
}

void TTrackBar::UserMove(int position) {
  position = std::clamp(position, min_, std::max(min_, max_));
  if (position == position_) return;
  position_ = position;
  Sync();
  if (OnChange && !Loading()) OnChange(this);
}

void TTrackBar::Sync() {
  auto* s = static_cast<QSlider*>(Widget());
  syncing_ = true;
  s->setOrientation(orientation_ == TTrackBarOrientation::trVertical ? Qt::Vertical : Qt::Horizontal);
  s->setRange(min_, std::max(min_, max_));
  s->setValue(position_);
  s->setTickPosition(tickStyle_ == TTickStyle::tsNone ? QSlider::NoTicks : QSlider::TicksBelow);
  s->setTickInterval(std::max(1, frequency_));
  syncing_ = false;
}

}  // namespace platform
