#include "platform/ui/scrollbox.h"

#include "platform/ui/control.h"
#include "platform/ui/wincontrol.h"

#include <QFrame>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace platform {

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  auto* area = new QScrollArea;
  inner_ = new QWidget;
  area->setWidget(inner_);
  area->setWidgetResizable(false);
  SetWidget(area);
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::Publish(TProps<TScrollBox>& p) {
  p.Enum("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle);
}

QScrollArea* TScrollBox::Area() const { return static_cast<QScrollArea*>(Widget()); }

QWidget* TScrollBox::ContainerWidget() const { return inner_; }

void TScrollBox::SetBorderStyle(TBorderStyle b) {
  borderStyle_ = b;
  Area()->setFrameShape(b == TBorderStyle::bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TScrollBox::UpdateRange() {
  int w = 0, h = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + c->Width());
    h = std::max(h, c->Top() + c->Height());
  }
  inner_->resize(std::max(w, Area()->viewport()->width()), std::max(h, Area()->viewport()->height()));
}

void TScrollBox::Resize() {
  UpdateRange();
  TWinControl::Resize();
}

}  // namespace platform
