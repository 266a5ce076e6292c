// The classes the builder's window description names, registered for the reader, and the
// page manager's view of the window layer's notebook.
#pragma once

namespace wizard {

// Registers the window layer's classes, the controls' classes and the notebook adapter of
// the page manager (harmless to call again).
void RegisterWizardClasses();

}  // namespace wizard
