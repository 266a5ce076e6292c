#include "platform/ui/page.h"

#include "platform/ui/customcontrol.h"
#include "platform/ui/notebook.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/wincontrol.h"

#include <QPainter>

namespace platform {

TPage::TPage(TComponent* owner) : TCustomControl(owner) {
  Widget()->setFocusPolicy(Qt::NoFocus);
  SetVisible(false);
}

TPage::~TPage() {
  if (notebook_ != nullptr) notebook_->RemovePage(this);
}

void TPage::Publish(TProps<TPage>& p) { p.Str("Caption", &TPage::Caption, &TPage::SetCaption); }

void TPage::SetCaption(const std::string& c) {
  SetText(c);
  if (notebook_ != nullptr) notebook_->PageRenamed(this);
}

void TPage::SetParent(TWinControl* parent) {
  if (notebook_ != nullptr) notebook_->RemovePage(this);
  notebook_ = nullptr;
  TCustomControl::SetParent(parent);
  if (auto* nb = dynamic_cast<TNotebook*>(parent)) nb->AddPage(this);
}

void TPage::Paint(QPainter& painter) { painter.fillRect(0, 0, Width(), Height(), ToQColor(Color())); }

}  // namespace platform
