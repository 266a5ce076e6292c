#include "platform/ui/button.h"

#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QObject>
#include <QPushButton>

namespace platform {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  auto* b = new QPushButton;
  b->setAutoDefault(false);
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  QObject::connect(b, &QPushButton::clicked, [this] { DispatchEvent([this] { Click(); }); });
}

void TButton::Publish(TProps<TButton>& p) {
  p.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
  p.Str("Caption", &TButton::Caption, &TButton::SetCaption);
  p.Bool("Default", &TButton::Default, &TButton::SetDefault);
  p.Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (auto* b = static_cast<QPushButton*>(Widget())) b->setDefault(v);
}

void TButton::TextChanged() {
  if (auto* b = static_cast<QPushButton*>(Widget())) b->setText(ToQt(Caption()));
}

}  // namespace platform
