// Events (never while loading): OnClick when the user chooses the item, or Click() is called.
#pragma once

#include "platform/components/component.h"

#include <string>
#include <vector>

namespace platform {

class TMenuItem : public TComponent {
  QW_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  static void Publish(TProps<TMenuItem>& p);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v) { radioItem_ = v; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g) { groupIndex_ = g; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);

  // Runs the item: OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

  void SetParentComponent(TComponent* parent) override;

private:
  std::string caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true, radioItem_ = false;
  int groupIndex_ = 0;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

}  // namespace platform
