#include "platform/ui/panel.h"

#include "platform/ui/control.h"
#include "platform/ui/customcontrol.h"
#include "platform/ui/qtbridge.h"

#include <QPainter>

#include <utility>

namespace platform {

namespace {

void DrawBevelFrame(QPainter& p, QRect& r, TPanelBevel bevel, int width) {
  if (bevel == TPanelBevel::bvNone) return;
  QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
  if (bevel == TPanelBevel::bvLowered) std::swap(light, dark);
  for (int i = 0; i < width; ++i) {
    if (bevel != TPanelBevel::bvSpace) {
      p.setPen(light);
      p.drawLine(r.left(), r.top(), r.right(), r.top());
      p.drawLine(r.left(), r.top(), r.left(), r.bottom());
      p.setPen(dark);
      p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    }
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  Widget()->setFocusPolicy(Qt::NoFocus);
}

void TPanel::Publish(TProps<TPanel>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TPanel::Alignment, &TPanel::SetAlignment);
  const std::vector<std::string> bevels = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
  p.Enum("BevelInner", bevels, &TPanel::BevelInner, &TPanel::SetBevelInner);
  p.Enum("BevelOuter", bevels, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  p.Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
  p.Enum("BorderStyle", {"bsNone", "bsSingle"}, &TPanel::BorderStyle, &TPanel::SetBorderStyle);
  p.Str("Caption", &TPanel::Caption, &TPanel::SetCaption);
}

void TPanel::Paint(QPainter& p) {
  QRect r(0, 0, Width(), Height());
  p.fillRect(r, ToQColor(Color()));
  if (borderStyle_ == TBorderStyle::bsSingle) {
    p.setPen(ToQColor(clWindowFrame));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  r.adjust(0, 0, -1, -1);
  DrawBevelFrame(p, r, bevelOuter_, bevelWidth_);
  DrawBevelFrame(p, r, bevelInner_, bevelWidth_);
  if (!Caption().empty()) {
    p.setFont(ToQFont(*Font()));
    p.setPen(ToQColor(Font()->Color()));
    p.drawText(r, static_cast<int>(QtAlign(alignment_)) | Qt::AlignVCenter | Qt::TextShowMnemonic, ToQt(Caption()));
  }
}

}  // namespace platform
