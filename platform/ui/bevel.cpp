#include "platform/ui/bevel.h"

#include "platform/ui/graphiccontrol.h"
#include "platform/ui/qtbridge.h"

#include <QPainter>

#include <utility>

namespace platform {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::Publish(TProps<TBevel>& p) {
  p.Enum("Shape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"},
         &TBevel::Shape, &TBevel::SetShape);
  p.Enum("Style", {"bsLowered", "bsRaised"}, &TBevel::Style, &TBevel::SetStyle);
}

void TBevel::Paint(QPainter& p) {
  QColor c1 = ToQColor(clBtnShadow), c2 = ToQColor(clBtnHighlight);
  if (style_ == TBevelStyle::bsRaised) std::swap(c1, c2);
  int w = Width(), h = Height();
  auto line = [&](QColor c, int x1, int y1, int x2, int y2) {
    p.setPen(c);
    p.drawLine(x1, y1, x2, y2);
  };
  switch (shape_) {
    case TBevelShape::bsBox:
      line(c1, 0, 0, w - 1, 0);
      line(c1, 0, 0, 0, h - 1);
      line(c2, 0, h - 1, w - 1, h - 1);
      line(c2, w - 1, 0, w - 1, h - 1);
      break;
    case TBevelShape::bsFrame:
      p.setPen(c1);
      p.drawRect(0, 0, w - 2, h - 2);
      p.setPen(c2);
      p.drawRect(1, 1, w - 2, h - 2);
      break;
    case TBevelShape::bsTopLine:
      line(c1, 0, 0, w - 1, 0);
      line(c2, 0, 1, w - 1, 1);
      break;
    case TBevelShape::bsBottomLine:
      line(c1, 0, h - 2, w - 1, h - 2);
      line(c2, 0, h - 1, w - 1, h - 1);
      break;
    case TBevelShape::bsLeftLine:
      line(c1, 0, 0, 0, h - 1);
      line(c2, 1, 0, 1, h - 1);
      break;
    case TBevelShape::bsRightLine:
      line(c1, w - 2, 0, w - 2, h - 1);
      line(c2, w - 1, 0, w - 1, h - 1);
      break;
    case TBevelShape::bsSpacer: break;
  }
}

}  // namespace platform
