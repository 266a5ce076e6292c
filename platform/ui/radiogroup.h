// Events (never while loading): OnClick when ItemIndex changes, by the user or by code.
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/wincontrol.h"

#include <vector>

class QRadioButton;

namespace platform {

// A group box of radio buttons made from its Items.
class TRadioGroup : public TWinControl, private TStrings::Listener {
  QW_CLASS(TRadioGroup, TWinControl)
public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  static void Publish(TProps<TRadioGroup>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  int Columns() const { return columns_; }
  void SetColumns(int n);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Button(int i) const { return buttons_.at(static_cast<size_t>(i)); }
  // The user clicked button `index`.
  void UserSelect(int index);

protected:
  void TextChanged() override;
  void CodePageChanged() override;
  void Resize() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void ItemInserted(int) override { RebuildButtons(); }
  void ItemDeleted(int) override { RebuildButtons(); }
  void ItemChanged(int index) override;
  void ItemsReset() override { RebuildButtons(); }
  void RebuildButtons();
  void ArrangeButtons();
  void SyncButtons();
  TStrings items_;
  std::vector<QRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
};

}  // namespace platform
