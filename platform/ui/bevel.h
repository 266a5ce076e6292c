#pragma once

#include "platform/ui/graphiccontrol.h"

namespace platform {

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  QW_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* owner);
  static void Publish(TProps<TBevel>& p);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s) { shape_ = s; Invalidate(); }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle s) { style_ = s; Invalidate(); }

protected:
  void Paint(QPainter& painter) override;

private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

}  // namespace platform
