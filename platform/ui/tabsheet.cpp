#include "platform/ui/tabsheet.h"

#include "platform/ui/pagecontrol.h"
#include "platform/ui/wincontrol.h"

#include <algorithm>

namespace platform {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() {
  if (page_control_ != nullptr) page_control_->RemoveSheet(this);
}

void TTabSheet::Publish(TProps<TTabSheet>& p) {
  p.Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  p.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
}

void TTabSheet::SetTabVisible(bool v) {
  tab_visible_ = v;
  if (page_control_ != nullptr) page_control_->UpdateTabs();
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (page_control_ != nullptr) page_control_->RemoveSheet(this);
  page_control_ = nullptr;
  TWinControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) pc->AddSheet(this);
}

void TTabSheet::TextChanged() {
  if (page_control_ != nullptr) page_control_->UpdateTabs();
}

}  // namespace platform
