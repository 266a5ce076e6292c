#pragma once

namespace platform {

// Registers every class of the window layer for window descriptions, keeping classes of
// the same names registered before. Called by TForm before it reads its description.
void RegisterStandardClasses();

}  // namespace platform
