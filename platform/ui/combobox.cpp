#include "platform/ui/combobox.h"

#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// A combo box's list drops down under the box with DropDownCount rows and a scroll bar;
// some styles (Fusion among them) would otherwise open it as a pop-up as tall as the screen.
class DropDownListStyle : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == QStyle::SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

QStyle* DropDownStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new DropDownListStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style.data();
}

// The dropped-down list is at least as wide as its longest item, so that no name is cut.
class WideListCombo : public QComboBox {
public:
  void showPopup() override {
    QAbstractItemView* v = view();
    const int scroll = count() > maxVisibleItems() ? v->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    v->setMinimumWidth(std::max(width(), v->sizeHintForColumn(0) + scroll + 2 * v->frameWidth() + 4));
    QComboBox::showPopup();
  }
};

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  auto* c = new WideListCombo;
  c->setStyle(DropDownStyle());
  SetWidget(c);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  items_.AddListener(this);
  SetStyle(TComboBoxStyle::csDropDown);
  SetDropDownCount(dropDownCount_);
  QObject::connect(c, &QComboBox::activated, [this](int index) { DispatchEvent([&] { UserSelect(index); }); });
}

TComboBox::~TComboBox() { items_.RemoveListener(this); }

void TComboBox::Publish(TProps<TComboBox>& p) {
  p.Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  p.Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  p.Obj<TStrings>("Items", [](TComboBox& c) { return c.Items(); }, &TComboBox::SetItems);
  p.Int("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
  p.Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
  p.Enum("Style", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"},
         &TComboBox::Style, &TComboBox::SetStyle);
  p.Str("Text", &TComboBox::Text, &TComboBox::SetTextValue);
  p.Event("OnChange", &TComboBox::OnChange);
}

QComboBox* TComboBox::Combo() const { return static_cast<QComboBox*>(Widget()); }

void TComboBox::SetStyle(TComboBoxStyle s) {
  style_ = s;
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  c->setEditable(!IsList());
  if (QLineEdit* e = c->lineEdit(); e != nullptr && e != connectedEdit_) {
    connectedEdit_ = e;
    QObject::connect(e, &QLineEdit::textEdited, [this, e](const QString& typed) {
      const QString q = KeepHoldable(e, typed);
      syncing_ = true;
      SetText(FromQt(q));
      syncing_ = false;
      itemIndex_ = items_.IndexOf(Text());
      DispatchEvent([this] { Change(); });
    });
  }
  SyncIndex();
}

void TComboBox::SetDropDownCount(int n) {
  dropDownCount_ = n;
  Combo()->setMaxVisibleItems(std::max(1, n));
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  itemIndex_ = i;
  SyncIndex();
  syncing_ = true;
  SetText(i >= 0 ? items_[i] : (IsList() ? std::string() : Text()));
  syncing_ = false;
}

void TComboBox::SetTextValue(const std::string& t) {
  if (IsList()) {
    // A list shows only its items: the text selects the item of that text.
    SetItemIndex(items_.IndexOf(t));
    return;
  }
  syncing_ = true;
  SetText(t);
  syncing_ = false;
  itemIndex_ = items_.IndexOf(t);
  SyncIndex();
}

void TComboBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count()) return;
  itemIndex_ = index;
  SyncIndex();
  syncing_ = true;
  SetText(items_[index]);
  syncing_ = false;
  Change();
}

void TComboBox::Change() {
  if (Loading()) return;
  if (OnChange) OnChange(this);
}

void TComboBox::TextChanged() {
  QComboBox* c = Combo();
  if (QLineEdit* e = c->lineEdit()) {
    QString q = ToQt(Text());
    if (e->text() != q) {
      QSignalBlocker block(e);
      e->setText(q);
    }
  }
}

void TComboBox::CodePageChanged() {
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  for (int i = 0; i < items_.Count() && i < c->count(); ++i) c->setItemText(i, ToQt(items_[i]));
  TextChanged();
}

void TComboBox::SyncIndex() {
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  c->setCurrentIndex(itemIndex_);
  if (!IsList() && c->lineEdit() != nullptr) {
    QSignalBlocker b2(c->lineEdit());
    c->lineEdit()->setText(ToQt(Text()));
  }
}

void TComboBox::ItemInserted(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->insertItem(index, ToQt(items_[index]));
  }
  if (itemIndex_ >= index) ++itemIndex_;
  SyncIndex();
}

void TComboBox::ItemDeleted(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->removeItem(index);
  }
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  SyncIndex();
}

void TComboBox::ItemChanged(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->setItemText(index, ToQt(items_[index]));
  }
  if (index == itemIndex_) {
    syncing_ = true;
    SetText(items_[index]);
    syncing_ = false;
  }
  SyncIndex();
}

void TComboBox::ItemsReset() {
  QComboBox* c = Combo();
  {
    QSignalBlocker block(c);
    c->clear();
    QStringList list;
    for (int i = 0; i < items_.Count(); ++i) list << ToQt(items_[i]);
    c->addItems(list);
  }
  itemIndex_ = -1;
  if (IsList()) {
    syncing_ = true;
    SetText("");
    syncing_ = false;
  }
  SyncIndex();
}

}  // namespace platform
