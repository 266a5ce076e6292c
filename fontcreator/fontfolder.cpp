#include "fontcreator/fontfolder.h"

#include "platform/system/exedir.h"
#include "platform/imaging/textrender.h"

#include <filesystem>
#include <system_error>

namespace fontcreator {

void RegisterFonts(bool add, const std::string& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    if (it->is_directory(kind)) continue;
    const std::string file = it->path().string();
    if (add) platform::AddFontResource(file);
    else platform::RemoveFontResource(file);
  }
}

void RegisterFonts(bool add) { RegisterFonts(add, platform::ExecutableDir() + "fonts/"); }

}  // namespace fontcreator
