#pragma once

#include "platform/ui/wincontrol.h"

class QScrollArea;

namespace platform {

// Children placed on a scrolled area; the range follows the children's bounds.
class TScrollBox : public TWinControl {
  QW_CLASS(TScrollBox, TWinControl)
public:
  explicit TScrollBox(TComponent* owner);
  static void Publish(TProps<TScrollBox>& p);
  QWidget* ContainerWidget() const override;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b);
  // Fits the scrolled area to the children (also on every resize of the box).
  void UpdateRange();

protected:
  void Resize() override;

private:
  QScrollArea* Area() const;
  QWidget* inner_ = nullptr;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

}  // namespace platform
