#include "fontcreator/window/fontjob.h"

#include "fontcreator/charimage.h"
#include "fontcreator/fontbuilder.h"
#include "platform/textrender.h"

namespace fontcreator {

TFontJobResult RunFontJob(const TFontJob& job, const std::string* fileName) {
  FontSettings s;
  s.FontType = job.FontType;
  s.FaceName = job.FaceName;
  s.Charset = job.Charset;
  s.Antialiased = job.Antialiased;
  s.UpperCase = job.UpperCase;
  s.Italic = job.Italic;
  s.Bold = job.Bold;
  s.Brightness = job.Brightness;
  s.Contrast = job.Contrast;
  s.BackgroundColor = job.BackgroundColor;
  s.TextColor = job.TextColor;
  s.Size = job.Size;
  FontPreview p = fileName != nullptr ? SaveFont(s, *fileName) : BuildFont(s);
  TFontJobResult r;
  r.Height = p.Height;
  r.TooLarge = p.TooLarge;
  r.Sheet = std::move(p.Sheet);
  r.Zoom = std::move(p.Zoom);
  return r;
}

std::vector<std::string> InstalledFontFamilies() { return platform::ScreenFontFamilies(); }

bool ClearTypeAvailable() { return IsWindowsXP(); }

void SetClearTypeAvailableForTesting(std::optional<bool> value) { SetIsWindowsXPForTesting(value); }

bool UsePrivateFontFolders(const std::vector<std::string>& dirs) { return platform::UsePrivateFontDirs(dirs); }

std::uint32_t SwapRedBlueColor(std::uint32_t c) { return SwapRedBlue(c); }

}  // namespace fontcreator
