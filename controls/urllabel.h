// A label that behaves like a link: hand cursor, colour change and underline while the
// mouse is over it; a click opens the target built from its properties with the desktop's
// default handler, or, when there is no target, raises the ordinary click event.
#pragma once

#include "controls/urltarget.h"
#include "platform/components/strings.h"
#include "platform/ui/label.h"

namespace controls {

class TUrlLabel : public platform::TLabel {
  QW_CLASS(TUrlLabel, platform::TLabel)
public:
  explicit TUrlLabel(platform::TComponent* owner);
  static void Publish(platform::TProps<TUrlLabel>& p);

  bool DetectMouse() const { return detectMouse_; }
  void SetDetectMouse(bool v);
  bool ShowUrlHint() const { return showUrlHint_; }
  void SetShowUrlHint(bool v);
  bool UnderlineOnEnter() const { return underlineOnEnter_; }
  void SetUnderlineOnEnter(bool v) { underlineOnEnter_ = v; }
  const std::string& Bcc() const { return parts_.Bcc; }
  void SetBcc(const std::string& v);
  const std::string& Cc() const { return parts_.Cc; }
  void SetCc(const std::string& v);
  const std::string& CustomURLType() const { return parts_.CustomURLType; }
  void SetCustomURLType(const std::string& v) { parts_.CustomURLType = v; }
  const std::string& MailSubject() const { return parts_.MailSubject; }
  void SetMailSubject(const std::string& v);
  const std::string& URL() const { return parts_.URL; }
  void SetURL(const std::string& v);
  platform::TColor ActiveColor() const { return activeColor_; }
  void SetActiveColor(platform::TColor c) { activeColor_ = c; }
  platform::TColor InactiveColor() const { return inactiveColor_; }
  void SetInactiveColor(platform::TColor c) { inactiveColor_ = c; }
  platform::TStrings* MailBody() { return &mailBody_; }
  void SetMailBody(platform::TStrings* s);
  TUrlType URLType() const { return parts_.URLType; }
  void SetURLType(TUrlType t);

  std::string BuildUrl() const;
  // With the desktop's default handler for the target's scheme.
  static void OpenUrl(const std::string& target);

  platform::TNotifyEvent OnMouseEnter, OnMouseLeave;

  // Opens the target, or raises OnClick when there is none.
  void Click() override;

  void Loaded() override;

protected:
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void UpdateHint();
  bool detectMouse_ = true;
  bool showUrlHint_ = false;
  bool underlineOnEnter_ = true;
  platform::TColor activeColor_ = platform::clBlue;
  platform::TColor inactiveColor_ = platform::clNavy;
  platform::TStrings mailBody_;
  TUrlParts parts_;
};

}  // namespace controls
