#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

class TProgressBar : public TWinControl {
  QW_CLASS(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* owner);
  static void Publish(TProps<TProgressBar>& p);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }

private:
  void Sync();
  int min_ = 0, max_ = 100, position_ = 0;
  bool smooth_ = false;
};

}  // namespace platform
