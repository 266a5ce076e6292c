// Gathering the build record, the picture settings and the introduction text from the
// builder window's controls. The window reads its controls into the plain values below and
// the functions here derive the records from them, so every build (interactive, trial or
// batch) takes the same road.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/midletconfig.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wizard {

// The engine's named texts: the program's language manager, in its current language.
const assembly::NamedTexts& ProgramTexts();

// One font slot of the fonts page.
struct FontSlotChoice {
  int ItemIndex = 0;       // 0 "None", 1 the custom font file, 2.. a catalogue font
  std::string ItemText;    // the selected item's text (a catalogue display name)
  std::string CustomFile;  // the slot's custom font file
  bool Negative = false;   // the slot's negative box
};

// The controls the build record comes from.
struct RecordControls {
  int PhoneRow = 0;              // cbPhoneModel
  bool FullVersion = true;       // rbFullVersion
  bool WithZipSupport = true;    // rbWithZIPSupport
  bool LiteVersion = false;      // rbLiteVersion
  int KeysConfig = 0;            // cbKeysConfig
  int JarLimitKB = 64;           // spJARLimit
  uint8_t InterfaceLanguage = 0;
  std::array<FontSlotChoice, 5> Fonts;
  std::string JSR75Storage;      // edJSR75Storage

  bool AdvancedHidden = true;    // rbHideAdvancedOptions
  bool DisableCrashRecover = false;
  bool AlternativeRotation = false;
  bool BacklightControl = false;  // cbBacklightControlMethod
  int BacklightMethod = 0;        // cboxBacklightControlMethod
  bool ForceHeightOn = false;
  int ForceHeight = 0;            // spForceHeight (its clamped value)
  bool DataSizeOn = false;
  int DataSize = 0;               // spMidletDataSize (its clamped value)
  bool StoragePathOn = false;
  std::string StoragePath;
  bool FontPathOn = false;
  std::string FontPath;
  bool CustomAttributesOn = false;
  std::string CustomAttributes;   // memo text, lines joined by CR LF
};

// The phone storage and font folders a core gets when the advanced options are hidden.
std::string DefaultStoragePath(int core);
std::string DefaultFontPath(int core);

// Fills every field of the record. A catalogue font that the catalogue does not list is an
// error of the program (std::logic_error from FindFontDesc).
void GatherMidletConfig(const RecordControls& controls, const assembly::TFontCatalogue& catalogue,
                        assembly::TMIDLETCONFIG& config);

// The controls the picture settings come from.
struct PictureControls {
  bool DontInclude = false;      // rbDontIncludeImages
  bool BlackAndWhite = false;    // rbBlackAndWhiteImages
  bool Colors16 = false;         // rb16ColorsImages
  bool Colors64 = true;          // rb64ColorsImages
  bool Colors256 = false;        // rb256ColorsImages
  bool ScaleDown = true;         // cbScaleDown
  int MaxWidth = 96;             // spMaxImageWidth
  int MaxHeight = 64;            // spMaxImageHeight
  bool AdvancedHidden = true;    // rbHideAdvancedOptions
  int ColorConversion = 1;       // rgColorConversion: 0 nearest, 1 Floyd-Steinberg
  bool IgnoreSmall = true;       // cbIgnoreSmallImages
  int MinWidth = 8;              // spMinImageWidth
  int MinHeight = 8;             // spMinImageHeight
  bool IgnoreEmpty = true;       // cbIgnoreEmptyImages
  bool IgnoreNamesOn = true;     // cbIgnoreImagesWithNames
  std::string IgnoreNames;       // edIgnoreImagesWithNames
};

inline constexpr const char* kDefaultIgnoreNames = "145x67;banner;counter;top100";

void GatherImageParameters(const PictureControls& controls, assembly::TImageConversionParameters& params);

// The introduction text put in front of a book: every line of the memo a paragraph followed
// by an empty line; empty when the memo holds only blanks and line breaks.
std::string IntroTextFromMemo(std::string_view memoText);

}  // namespace wizard
