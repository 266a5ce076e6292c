#include "controls/controlclasses.h"

#include "controls/hintballoon.h"
#include "controls/pagemanager.h"
#include "controls/spinedit.h"
#include "controls/urllabel.h"
#include "controls/wizardheader.h"

namespace controls {

void RegisterControlClasses() {
  using platform::RegisterClass;
  RegisterClass<TPageManager>();
  RegisterClass<TPageProxy>();
  RegisterClass<TGradient>();
  RegisterClass<TWizardHeader>();
  RegisterClass<TTimerSpeedButton>();
  RegisterClass<TSpinSliderButton>();
  RegisterClass<TMySpinEdit>();
  RegisterClass<TUrlLabel>();
  RegisterClass<THintBalloonControl>();
}

}  // namespace controls
