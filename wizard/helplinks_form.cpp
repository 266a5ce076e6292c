// The link labels that answer a question about a page: a balloon with the label's hint.
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "wizard/mainform.h"

using namespace platform;

namespace wizard {

void TForm1::ShowLabelBalloon(TObject* sender) {
  auto* label = dynamic_cast<controls::TUrlLabel*>(sender);
  if (label == nullptr) return;
  TPoint tip = label->ClientToScreen({20, 0});
  HintBalloonControl1->ShowBalloonText(0, label->Caption(), 1, nullptr, tip.Y, tip.X, 300, label->Hint());
}

void TForm1::UrlLabel22Click(TObject* /*sender*/) { Application().HelpContext(20); }

}  // namespace wizard
