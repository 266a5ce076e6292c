#include "controls/urllabel.h"

#include "platform/ui/control.h"
#include "platform/ui/label.h"
#include "platform/ui/services.h"

#include <QFontDatabase>

namespace controls {

using namespace platform;

TUrlLabel::TUrlLabel(TComponent* owner) : TLabel(owner) {
  Font()->SetColor(clNavy);
  Font()->SetName(QFontDatabase::hasFamily("Tahoma") ? "Tahoma" : "Arial");
  SetCursor(crHandPoint);
  SetShowUrlHint(true);
  SetURLType(utHttp);
}

void TUrlLabel::Publish(TProps<TUrlLabel>& p) {
  p.Bool("DetectMouse", &TUrlLabel::DetectMouse, &TUrlLabel::SetDetectMouse);
  p.Bool("ShowUrlHint", &TUrlLabel::ShowUrlHint, &TUrlLabel::SetShowUrlHint);
  p.Bool("UnderlineOnEnter", &TUrlLabel::UnderlineOnEnter, &TUrlLabel::SetUnderlineOnEnter);
  p.Str("Bcc", &TUrlLabel::Bcc, &TUrlLabel::SetBcc);
  p.Str("Cc", &TUrlLabel::Cc, &TUrlLabel::SetCc);
  p.Str("CustomURLType", &TUrlLabel::CustomURLType, &TUrlLabel::SetCustomURLType);
  p.Str("MailSubject", &TUrlLabel::MailSubject, &TUrlLabel::SetMailSubject);
  p.Str("URL", &TUrlLabel::URL, &TUrlLabel::SetURL);
  p.Int("ActiveColor", &TUrlLabel::ActiveColor, &TUrlLabel::SetActiveColor);
  p.Int("InactiveColor", &TUrlLabel::InactiveColor, &TUrlLabel::SetInactiveColor);
  p.Event("OnMouseEnter", &TUrlLabel::OnMouseEnter);
  p.Event("OnMouseLeave", &TUrlLabel::OnMouseLeave);
  p.Obj<TStrings>("MailBody", &TUrlLabel::MailBody, &TUrlLabel::SetMailBody);
  p.Enum("URLType",
         {"utCustom", "utClickEvent", "utFile", "utFtp", "utGopher", "utHttp", "utHttps", "utMail", "utNews",
          "utTelnet", "utWais"},
         [](TUrlLabel& l) { return static_cast<int>(l.URLType()); },
         [](TUrlLabel& l, int v) { l.SetURLType(static_cast<TUrlType>(std::clamp(v, 0, 10))); });
}

void TUrlLabel::UpdateHint() {
  if (showUrlHint_ && !Loading()) SetHint(BuildUrl());
}

// The hint depends on several properties; a description may give them in any order, so it
// is settled once they all are: the built target when ShowUrlHint is on, else the hint the
// description gives (none when it gives none).
//
// DetectMouse is always stored, after the font: its setter has the last word on the
// underline of a loaded label, whatever style the description gives the font.
void TUrlLabel::Loaded() {
  TLabel::Loaded();
  SetDetectMouse(detectMouse_);
  if (showUrlHint_) SetHint(BuildUrl());
  else if (!IsStored("Hint"))
    SetHint("");
}

void TUrlLabel::SetDetectMouse(bool v) {
  detectMouse_ = v;
  if (v)
    Font()->SetStyle(Font()->Style() & ~fsUnderline);
  else
    Font()->SetStyle(Font()->Style() | fsUnderline);
}

void TUrlLabel::SetShowUrlHint(bool v) {
  showUrlHint_ = v;
  if (Loading()) return;
  if (v)
    SetHint(BuildUrl());
  else if (Hint() == BuildUrl())
    SetHint("");
}

void TUrlLabel::SetBcc(const std::string& v) {
  parts_.Bcc = v;
  UpdateHint();
}

void TUrlLabel::SetCc(const std::string& v) {
  parts_.Cc = v;
  UpdateHint();
}

void TUrlLabel::SetMailSubject(const std::string& v) {
  parts_.MailSubject = v;
  UpdateHint();
}

void TUrlLabel::SetURL(const std::string& v) {
  parts_.URL = v;
  UpdateHint();
}

void TUrlLabel::SetMailBody(TStrings* s) {
  if (s != nullptr) mailBody_.Assign(*s);
  UpdateHint();
}

void TUrlLabel::SetURLType(TUrlType t) {
  parts_.URLType = t;
  UpdateHint();
}

std::string TUrlLabel::BuildUrl() const {
  TUrlParts p = parts_;
  p.MailBody = mailBody_.ToVector();
  return controls::BuildUrl(p);
}

void TUrlLabel::OpenUrl(const std::string& target) { Services().OpenUrl(target); }

void TUrlLabel::Click() {
  const std::string target = BuildUrl();
  if (!target.empty())
    OpenUrl(target);
  else
    TLabel::Click();
}

void TUrlLabel::MouseEnter() {
  if (detectMouse_) {
    Font()->SetColor(activeColor_);
    if (underlineOnEnter_) Font()->SetStyle(fsUnderline);
  }
  TLabel::MouseEnter();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TUrlLabel::MouseLeave() {
  if (detectMouse_) {
    Font()->SetColor(inactiveColor_);
    Font()->SetStyle(0);
  }
  TLabel::MouseLeave();
  if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace controls
