#include "platform/ui/menuitem.h"
#include "platform/ui/popupmenu.h"

#include <algorithm>

namespace platform {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_ != nullptr) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* c = items_.back();
    items_.pop_back();
    c->parent_ = nullptr;
    if (c->Owner() == nullptr) delete c;
  }
}

void TMenuItem::Publish(TProps<TMenuItem>& p) {
  p.Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  p.Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
  p.Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  p.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
  p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  p.Event("OnClick", &TMenuItem::OnClick);
}

void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  if (v && radioItem_ && parent_ != nullptr)
    for (TMenuItem* o : parent_->items_)
      if (o != this && o->radioItem_ && o->groupIndex_ == groupIndex_) o->checked_ = false;
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  if (item->parent_ == this) item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

}  // namespace platform
