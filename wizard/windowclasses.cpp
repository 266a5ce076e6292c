#include "wizard/windowclasses.h"

#include "controls/controlclasses.h"
#include "localisation/langcontroller.h"
#include "platform/ui/classes.h"

namespace wizard {

void RegisterWizardClasses() {
  platform::RegisterStandardClasses();
  controls::RegisterControlClasses();
  localisation::RegisterLangControllerClass();
}

}  // namespace wizard
