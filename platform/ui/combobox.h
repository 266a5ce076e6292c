// Events (never while loading): OnChange when the user selects an item (also the one already selected) or
// types in its edit; never when code sets ItemIndex, Text or Items.
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/wincontrol.h"

class QComboBox;
class QLineEdit;

namespace platform {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl, private TStrings::Listener {
  QW_CLASS(TComboBox, TWinControl)
public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;
  static void Publish(TProps<TComboBox>& p);
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  // The edit's text; for drop-down lists the selected item.
  const std::string& Text() const { return GetText(); }
  void SetTextValue(const std::string& t);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool v) { items_.SetSorted(v); }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  QComboBox* Combo() const;
  TNotifyEvent OnChange;

  // The user chose item `index` (tests act as the user through it).
  void UserSelect(int index);

protected:
  virtual void Change();
  void TextChanged() override;
  void CodePageChanged() override;
  bool ColorFillsBase() const override { return true; }

private:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemChanged(int index) override;
  void ItemsReset() override;
  void SyncIndex();
  bool IsList() const { return style_ == TComboBoxStyle::csDropDownList || style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable; }
  TStrings items_;
  int itemIndex_ = -1;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  bool syncing_ = false;
  QLineEdit* connectedEdit_ = nullptr;
};

}  // namespace platform
