#include "wizard/wincomps.h"

#include "controls/registry.h"
#include "platform/ui/stdctrls.h"

namespace wizard {

void RegisterWizardClasses() {
  platform::RegisterStandardClasses();
  controls::RegisterControlClasses();
}

}  // namespace wizard
