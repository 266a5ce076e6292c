// Events (never while loading): OnChange when the user moves the slider; not when code sets Position.
#pragma once

#include "platform/ui/wincontrol.h"

namespace platform {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
  QW_CLASS(TTrackBar, TWinControl)
public:
  explicit TTrackBar(TComponent* owner);
  static void Publish(TProps<TTrackBar>& p);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int f);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle s);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation o);
  TNotifyEvent OnChange;
  // The user moved the slider to `position`.
  void UserMove(int position);

private:
  void Sync();
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  bool syncing_ = false;
};

}  // namespace platform
