#include "platform/ui/radiogroup.h"

#include "platform/ui/application.h"
#include "platform/ui/groupboxwidget.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/wincontrol.h"

#include <QGroupBox>
#include <QObject>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace platform {

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
  SetWidget(new GroupBoxWidget);
  SetBounds(0, 0, 185, 105);
  items_.AddListener(this);
}

TRadioGroup::~TRadioGroup() { items_.RemoveListener(this); }

void TRadioGroup::Publish(TProps<TRadioGroup>& p) {
  p.Str("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption);
  p.Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
  p.Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
  p.Obj<TStrings>("Items", [](TRadioGroup& g) { return g.Items(); }, &TRadioGroup::SetItems);
}

void TRadioGroup::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  if (i == itemIndex_) return;
  itemIndex_ = i;
  SyncButtons();
  Click();
}

void TRadioGroup::SetColumns(int n) {
  columns_ = std::max(1, n);
  ArrangeButtons();
}

void TRadioGroup::UserSelect(int index) { SetItemIndex(index); }

void TRadioGroup::TextChanged() { static_cast<QGroupBox*>(Widget())->setTitle(ToQt(Caption())); }

void TRadioGroup::CodePageChanged() {
  TextChanged();
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setText(ToQt(items_[static_cast<int>(i)]));
}

void TRadioGroup::Resize() {
  ArrangeButtons();
  TWinControl::Resize();
}

void TRadioGroup::ItemChanged(int index) {
  if (index >= 0 && index < ButtonCount()) buttons_[static_cast<size_t>(index)]->setText(ToQt(items_[index]));
}

void TRadioGroup::RebuildButtons() {
  for (QRadioButton* b : buttons_) delete b;
  buttons_.clear();
  for (int i = 0; i < items_.Count(); ++i) {
    auto* b = new QRadioButton(ToQt(items_[i]), Widget());
    b->setAutoExclusive(false);
    b->show();
    QObject::connect(b, &QRadioButton::clicked, [this, i] {
      DispatchEvent([this, i] {
        if (i == itemIndex_) SyncButtons();
        else UserSelect(i);
      });
    });
    buttons_.push_back(b);
  }
  // The selection survives a change of the items when it still names an item.
  if (itemIndex_ >= items_.Count()) itemIndex_ = items_.Count() - 1;
  SyncButtons();
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  QFontMetrics fm(ToQFont(*Font()));
  int top = fm.height() + 2;
  int rows = (ButtonCount() + columns_ - 1) / columns_;
  int w = std::max(1, (Width() - 10) / columns_);
  int h = std::max(1, (Height() - top - 5) / std::max(1, rows));
  for (int i = 0; i < ButtonCount(); ++i) {
    int col = i / rows, row = i % rows;
    buttons_[static_cast<size_t>(i)]->setGeometry(8 + col * w, top + row * h + (h - fm.height() - 4) / 2, w - 8,
                                                  fm.height() + 4);
  }
}

void TRadioGroup::SyncButtons() {
  for (int i = 0; i < ButtonCount(); ++i) {
    QSignalBlocker block(buttons_[static_cast<size_t>(i)]);
    buttons_[static_cast<size_t>(i)]->setChecked(i == itemIndex_);
  }
}

}  // namespace platform
