#include "platform/ui/checkbox.h"

#include "platform/ui/alignment.h"
#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QCheckBox>
#include <QObject>
#include <QSignalBlocker>

namespace platform {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  auto* b = new QCheckBox;
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
  QObject::connect(b, &QCheckBox::clicked, [this, b] {
    DispatchEvent([this, b] {
      Qt::CheckState s = b->checkState();
      SetState(s == Qt::Checked ? TCheckBoxState::cbChecked
                                : s == Qt::PartiallyChecked ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
    });
  });
}

void TCheckBox::Publish(TProps<TCheckBox>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TCheckBox::Alignment, &TCheckBox::SetAlignment);
  p.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
  p.Str("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
  p.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  p.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::State, &TCheckBox::SetState);
}

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) {
    SyncWidget();
    return;
  }
  state_ = s;
  SyncWidget();
  Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
  allowGrayed_ = v;
  static_cast<QCheckBox*>(Widget())->setTristate(v);
}

void TCheckBox::SetAlignment(TAlignment a) {
  alignment_ = a;
  Widget()->setLayoutDirection(a == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SyncWidget() {
  auto* b = static_cast<QCheckBox*>(Widget());
  QSignalBlocker block(b);
  b->setCheckState(state_ == TCheckBoxState::cbChecked   ? Qt::Checked
                   : state_ == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
}

void TCheckBox::TextChanged() { static_cast<QCheckBox*>(Widget())->setText(ToQt(Caption())); }

}  // namespace platform
