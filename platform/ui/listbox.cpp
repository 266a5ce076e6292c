#include "platform/ui/listbox.h"

#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QObject>

namespace platform {

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  auto* l = new QListWidget;
  SetWidget(l);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  items_.AddListener(this);
  QObject::connect(l, &QListWidget::currentRowChanged, [this](int row) {
    if (syncing_) return;
    itemIndex_ = row;
    DispatchEvent([this] { Click(); });
  });
}

TListBox::~TListBox() { items_.RemoveListener(this); }

void TListBox::Publish(TProps<TListBox>& p) {
  p.Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
  p.Obj<TStrings>("Items", [](TListBox& l) { return l.Items(); }, &TListBox::SetItems);
  p.Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect);
  p.Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
}

QListWidget* TListBox::List() const { return static_cast<QListWidget*>(Widget()); }

void TListBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  itemIndex_ = i;
  SyncIndex();
}

void TListBox::SetMultiSelect(bool v) {
  multiSelect_ = v;
  List()->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count() || index == itemIndex_) return;
  List()->setCurrentRow(index);  // raises Click through currentRowChanged
}

void TListBox::CodePageChanged() {
  for (int i = 0; i < items_.Count() && i < List()->count(); ++i) List()->item(i)->setText(ToQt(items_[i]));
}

void TListBox::SyncIndex() {
  syncing_ = true;
  List()->setCurrentRow(itemIndex_);
  if (itemIndex_ < 0) List()->clearSelection();
  syncing_ = false;
}

void TListBox::ItemInserted(int index) {
  syncing_ = true;
  List()->insertItem(index, ToQt(items_[index]));
  syncing_ = false;
  if (itemIndex_ >= index) ++itemIndex_;
  SyncIndex();
}

void TListBox::ItemDeleted(int index) {
  syncing_ = true;
  delete List()->takeItem(index);
  syncing_ = false;
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  SyncIndex();
}

void TListBox::ItemChanged(int index) {
  List()->item(index)->setText(ToQt(items_[index]));
}

void TListBox::ItemsReset() {
  syncing_ = true;
  List()->clear();
  for (int i = 0; i < items_.Count(); ++i) List()->addItem(ToQt(items_[i]));
  syncing_ = false;
  itemIndex_ = -1;
  SyncIndex();
}

}  // namespace platform
