// The font files that come with the font creator: every file of the "fonts" folder of the
// program folder is a font of this process while the program runs.
#pragma once

#include <string>

namespace fontcreator {

// Adds (or removes) every file of `folder` (not its subfolders) as a font of this process.
// Files that are no fonts, and a missing folder, are passed over.
void RegisterFonts(bool add, const std::string& folder);
// The same for the program folder's "fonts" folder.
void RegisterFonts(bool add);

}  // namespace fontcreator
