// Events (never while loading): OnClick when the user changes the selected item; not when code sets ItemIndex.
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/wincontrol.h"

class QListWidget;

namespace platform {

class TListBox : public TWinControl, private TStrings::Listener {
  QW_CLASS(TListBox, TWinControl)
public:
  explicit TListBox(TComponent* owner);
  ~TListBox() override;
  static void Publish(TProps<TListBox>& p);
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool v) { items_.SetSorted(v); }
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  QListWidget* List() const;
  // The user selected item `index` (tests act as the user through it).
  void UserSelect(int index);

protected:
  void CodePageChanged() override;
  bool ClicksOnRelease() const override { return false; }
  bool ColorFillsBase() const override { return true; }

private:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemChanged(int index) override;
  void ItemsReset() override;
  void SyncIndex();
  TStrings items_;
  int itemIndex_ = -1;
  bool multiSelect_ = false;
  bool syncing_ = false;
};

}  // namespace platform
