#include "fontcreator/fontfolder.h"

#include "platform/system/exedir.h"
#include "platform/imaging/textrender.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fontcreator {
namespace {

namespace fs = std::filesystem;

bool Listed(const std::string& family) {
  auto f = platform::ScreenFontFamilies();
  return std::find(f.begin(), f.end(), family) != f.end();
}

TEST(FontFolderTest, ProgramFontsComeAndGo) {
  const testing_support::TempDir tmp;
  const fs::path& dir = tmp.Path();
  fs::create_directories(dir / "fonts" / "sub");
  fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", dir / "fonts" / "mono.ttf");
  fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", dir / "fonts" / "sub" / "serif.ttf");
  std::ofstream(dir / "fonts" / "readme.txt") << "not a font";
  ASSERT_TRUE(platform::UsePrivateFontDirs({}));
  const std::string oldDir = platform::ExecutableDir();
  platform::SetExecutableDirForTesting(dir.string() + "/");

  RegisterFonts(true);
  EXPECT_TRUE(Listed("DejaVu Sans Mono"));
  EXPECT_FALSE(Listed("DejaVu Serif"));  // subfolders are not walked
  RegisterFonts(false);
  EXPECT_FALSE(Listed("DejaVu Sans Mono"));
  RegisterFonts(true, (dir / "missing").string());  // nothing to do

  platform::SetExecutableDirForTesting(oldDir);
  ASSERT_TRUE(platform::UsePrivateFontDirs({"/usr/share/fonts/truetype/dejavu"}));
}

}  // namespace
}  // namespace fontcreator
