// Makes the controls known to window descriptions.
#pragma once

namespace controls {

// Registers every control class of this folder (harmless to call again).
void RegisterControlClasses();

}  // namespace controls
