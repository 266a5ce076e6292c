// The classes the builder's window description names, registered for the reader.
#pragma once

namespace wizard {

// Registers the window layer's classes and the controls' classes (harmless to call again).
void RegisterWizardClasses();

}  // namespace wizard
