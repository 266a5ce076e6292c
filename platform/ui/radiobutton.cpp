#include "platform/ui/radiobutton.h"

#include "platform/ui/alignment.h"
#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QObject>
#include <QRadioButton>
#include <QSignalBlocker>

namespace platform {

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  auto* b = new QRadioButton;
  b->setAutoExclusive(false);  // exclusivity is ours
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 113, 17);
  QObject::connect(b, &QRadioButton::clicked, [this] {
    DispatchEvent([this] {
      if (checked_) SyncWidget();  // a click on a checked button changes nothing
      else SetChecked(true);
    });
  });
}

void TRadioButton::Publish(TProps<TRadioButton>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TRadioButton::Alignment, &TRadioButton::SetAlignment);
  p.Str("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  p.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) {
    SyncWidget();
    return;
  }
  checked_ = v;
  SyncWidget();
  if (!v) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (other != nullptr && other != this && other->checked_) {
        other->checked_ = false;
        other->SyncWidget();
      }
    }
  }
  Click();
}

void TRadioButton::SetAlignment(TAlignment a) {
  alignment_ = a;
  Widget()->setLayoutDirection(a == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::SyncWidget() {
  auto* b = static_cast<QRadioButton*>(Widget());
  QSignalBlocker block(b);
  b->setChecked(checked_);
}

void TRadioButton::TextChanged() { static_cast<QRadioButton*>(Widget())->setText(ToQt(Caption())); }

}  // namespace platform
