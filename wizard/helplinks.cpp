// The link labels that answer a question about a page: a balloon with the label's hint.
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "wizard/mainform.h"

using namespace platform;

namespace wizard {

void TForm1::ShowHelpBalloon(controls::TUrlLabel* label) {
  if (label == nullptr) return;
  TPoint tip = label->ClientToScreen({20, 0});
  HintBalloonControl1->ShowBalloonText(0, label->Caption(), 1, nullptr, tip.Y, tip.X, 300, label->Hint());
}

#define QW_BALLOON_HANDLER(name) \
  void TForm1::name(TObject* sender) { ShowHelpBalloon(dynamic_cast<controls::TUrlLabel*>(sender)); }
QW_BALLOON_HANDLER(UrlLabel1Click)
QW_BALLOON_HANDLER(UrlLabel3Click)
QW_BALLOON_HANDLER(UrlLabel4Click)
QW_BALLOON_HANDLER(UrlLabel5Click)
QW_BALLOON_HANDLER(UrlLabel6Click)
QW_BALLOON_HANDLER(UrlLabel7Click)
QW_BALLOON_HANDLER(UrlLabel8Click)
QW_BALLOON_HANDLER(UrlLabel9Click)
QW_BALLOON_HANDLER(UrlLabel10Click)
QW_BALLOON_HANDLER(UrlLabel11Click)
QW_BALLOON_HANDLER(UrlLabel12Click)
QW_BALLOON_HANDLER(UrlLabel13Click)
#undef QW_BALLOON_HANDLER

void TForm1::UrlLabel22Click(TObject* /*sender*/) { Application().HelpContext(20); }

}  // namespace wizard
