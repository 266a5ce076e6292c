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

int TTabSheet::PageIndex() const {
  if (page_control_ == nullptr) return -1;
  auto& s = page_control_->sheets_;
  auto it = std::find(s.begin(), s.end(), this);
  return it == s.end() ? -1 : static_cast<int>(it - s.begin());
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
