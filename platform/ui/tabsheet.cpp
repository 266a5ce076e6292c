#include "platform/ui/tabsheet.h"

#include "platform/ui/pagecontrol.h"
#include "platform/ui/wincontrol.h"

#include <algorithm>

namespace platform {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() {
  if (pageControl_ != nullptr) pageControl_->RemoveSheet(this);
}

void TTabSheet::Publish(TProps<TTabSheet>& p) {
  p.Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  p.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
}

void TTabSheet::SetTabVisible(bool v) {
  tabVisible_ = v;
  if (pageControl_ != nullptr) pageControl_->UpdateTabs();
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (pageControl_ != nullptr) pageControl_->RemoveSheet(this);
  pageControl_ = nullptr;
  TWinControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) pc->AddSheet(this);
}

void TTabSheet::TextChanged() {
  if (pageControl_ != nullptr) pageControl_->UpdateTabs();
}

}  // namespace platform
