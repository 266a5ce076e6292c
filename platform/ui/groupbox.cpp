#include "platform/ui/groupbox.h"

#include "platform/ui/groupboxwidget.h"
#include "platform/ui/wincontrol.h"

#include <QGroupBox>

namespace platform {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetWidget(new GroupBoxWidget);
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::Publish(TProps<TGroupBox>& p) { p.Str("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption); }

void TGroupBox::TextChanged() { static_cast<QGroupBox*>(Widget())->setTitle(ToQt(Caption())); }

}  // namespace platform
