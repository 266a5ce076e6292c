// The build request: the build record and the picture settings, filled by the window (or by a
// phone list entry) and read by the builds, and the plain values a build takes from the
// builder window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

class BuildHost;
class TJarCache;
class TZipFile;

// The largest JAR size limit a build can be given (spJARLimit's maximum), in KB: no entry of
// the resource archive larger than this can go into a midlet.
inline constexpr int32_t kLargestJarLimitKB = 16384;

// Everything one midlet build needs except the book and its pictures. The small numbers index
// the product tables and are not range-checked by the engine.
struct TMIDLETCONFIG {
  uint8_t Core = 0;               // 0..9
  uint8_t Edition = 0;            // 0 full, 1 full with ZIP support, 2 lite, 3 tiny
  uint8_t KeysConfig = 0;         // 0..13; 13 is the custom key layout file
  uint8_t Icon = 0;               // 0 the 14 x 14 icon, 1 the 15 x 15 icon
  int32_t JarLimit = 0;           // bytes (kilobytes x 1024)
  uint8_t InterfaceLanguage = 0;  // 0..10

  // Font slots 1..5 are entries 0..4; an unused slot leaves its entries empty (not packed).
  std::array<std::string, 5> FontNames;    // name without folder and extension
  std::array<std::string, 5> FontSources;  // "ZIP:" + archive entry, or a font file path
  std::array<uint8_t, 5> NegativeFlags{};  // 1 = keep the negative glyph sheet

  uint8_t AlternativeRotation = 0;
  uint8_t IgnoreCrash = 0;
  int32_t ForceHeight = 0;     // pixels; 0 = not forced
  int32_t MidletDataSize = 0;  // bytes; 0 = not written
  std::string StoragePath;     // folder on the phone, or empty
  std::string FontPath;        // folder on the phone, ".", or empty
  std::string CustomAttributes;  // extra JAD lines (CR LF separated), or empty
  std::string JSR75Storage;    // folder ending in "/", or empty
  uint8_t LightControl = 0;        // 1: the backlight method is forced
  uint8_t LightControlMethod = 0;  // 0..7, item of the backlight method box
};

// How the pictures of an HTML book are converted. -1 switches a limit off.
struct TImageConversionParameters {
  uint8_t Colors = 0;  // 0 no pictures, 1 black-and-white, 2 16, 3 64, 4 256 colours
  int32_t MaxWidth = -1;
  int32_t MaxHeight = -1;
  uint8_t Dithering = 0;  // 1 Floyd-Steinberg, 0 nearest colour
  int32_t MinWidth = -1;
  int32_t MinHeight = -1;
  uint8_t IgnoreEmpty = 0;  // 1 = skip pictures that are mostly one colour
  std::string IgnoreNames;  // words separated by ";"
};

// The builder window's values that the builds read (the controls named in the comments).
// Texts are code-page byte strings; paths are host paths.
struct BuildInputs {
  std::string Vendor;          // edVendor
  std::string TitleLine1;      // edTitleLine1
  std::string TitleLine2;      // edTitleLine2
  bool LiteVersion = false;    // rbLiteVersion
  bool TinyVersion = false;    // rbTinyVersion
  std::string CustomKeysFile;  // FCustomKeysFile, read for key layout 13

  // Book midlets.
  std::vector<std::string> TextFiles;  // lbTextFiles, in list order
  std::string MidletName;              // edMidletName
  std::string BookTitle;               // edBookTitle
  bool UseCustomHelpFile = false;      // cbCustomHelpFile
  std::string CustomHelpFile;          // edCustomHelpFile
  std::string IntroText;               // the window's introduction text
  TImageConversionParameters ImageParams;  // picture settings of the book's pictures
};

// The named texts of the program's current interface language ("TooManyMidletsMsg"), looked up
// by name without regard to case. The builder passes its language manager's.
class NamedTexts {
public:
  virtual ~NamedTexts() = default;
  virtual std::string TextByName(std::string_view name) const = 0;
};

// What a build works with besides its record: the open resource archive (FResArchive), the
// window's values, the host and the named texts. JarLimitWarned is the window's once-per-run
// flag of the "JAR limit too small" message (book builds set it); Cache, owned beside the
// resource archive, lets repeated builds reuse the packed resource entries. Both may be null.
struct BuildContext {
  const TZipFile& ResArchive;
  BuildHost& Host;
  const BuildInputs& Inputs;
  const NamedTexts& Texts;
  bool* JarLimitWarned = nullptr;
  TJarCache* Cache = nullptr;
  // Threads that convert a book's pictures and deflate their entries; 0 is one per core. The
  // host sees the same calls in the same order whatever the number.
  unsigned PictureThreads = 0;
  // A book's picture entries are deflated once and the packed form reused by every midlet and
  // every attempt at a part; false deflates them each time (same JARs, slower).
  bool ReusePackedPictures = true;
};

// How a build ended: done (its files written, or in test mode its JAR measured), cut short
// (a book that needs more midlets than may be written: the first ones are written, the rest
// of the book is not), or failed; a build that is not done has shown its message through the
// host.
class BuildResult {
public:
  static BuildResult Done() { return BuildResult(true, false, 0); }
  static BuildResult Measured(int64_t packedSize) { return BuildResult(true, false, packedSize); }
  static BuildResult Failed() { return BuildResult(false, false, 0); }
  static BuildResult CutShort() { return BuildResult(false, true, 0); }

  // The whole build was done.
  bool Ok() const { return ok_; }
  // Files were written, but not the whole book.
  bool Cut() const { return cut_; }
  // The packed JAR size that a test-mode build measured.
  int64_t PackedSize() const { return packedSize_; }

private:
  BuildResult(bool ok, bool cut, int64_t packedSize) : ok_(ok), cut_(cut), packedSize_(packedSize) {}
  bool ok_;
  bool cut_;
  int64_t packedSize_;
};

}  // namespace assembly
