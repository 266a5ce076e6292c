#include "wizard/windowclasses.h"

#include "controls/controlclasses.h"
#include "platform/ui/stdctrls.h"

namespace wizard {

void RegisterWizardClasses() {
  platform::RegisterStandardClasses();
  controls::RegisterControlClasses();
}

}  // namespace wizard
