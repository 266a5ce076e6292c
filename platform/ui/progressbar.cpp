#include "platform/ui/progressbar.h"

#include "platform/ui/wincontrol.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  auto* b = new QProgressBar;
  b->setTextVisible(false);
  SetWidget(b);
  SetBounds(0, 0, 150, 16);
  Sync();
}

void TProgressBar::Publish(TProps<TProgressBar>& p) {
  p.Int("Max", &TProgressBar::Max, &TProgressBar::SetMax);
  p.Int("Min", &TProgressBar::Min, &TProgressBar::SetMin);
  p.Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
  p.Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  Sync();
}
void TProgressBar::SetMax(int v) {
  max_ = v;
  Sync();
}
void TProgressBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, std::max(min_, max_));
  Sync();
}

void TProgressBar::Sync() {
  auto* b = static_cast<QProgressBar*>(Widget());
  b->setRange(min_, std::max(min_, max_));
  b->setValue(std::clamp(position_, min_, std::max(min_, max_)));
}

}  // namespace platform
