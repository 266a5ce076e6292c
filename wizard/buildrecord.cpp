#include "wizard/buildrecord.h"

#include "assembly/phones.h"
#include "assembly/utils.h"
#include "localisation/escape.h"
#include "localisation/langmanager.h"

namespace wizard {

namespace {

class LanguageManagerTexts final : public assembly::NamedTexts {
public:
  std::string TextByName(std::string_view name) const override { return localisation::LangManager().TextByName(name); }
};

}  // namespace

const assembly::NamedTexts& ProgramTexts() {
  static const LanguageManagerTexts texts;
  return texts;
}

using assembly::PhoneTable;
using assembly::TImageConversionParameters;
using assembly::TMIDLETCONFIG;

std::string DefaultStoragePath(int core) { return core == 0 ? "a:\\java\\jam\\Tomefalcon\\storage\\" : ""; }

std::string DefaultFontPath(int core) {
  if (core == 0) return ".";
  if (core == 1) return "a:\\Misc\\";
  return "";
}

namespace {

void GatherFonts(const RecordControls& controls, const assembly::TFontCatalogue& catalogue,
                 TMIDLETCONFIG& config) {
  for (std::size_t i = 0; i < controls.Fonts.size(); ++i) {
    const FontSlotChoice& slot = controls.Fonts[i];
    config.NegativeFlags[i] = slot.Negative ? 1 : 0;
    if (slot.ItemIndex <= 0) {
      config.FontNames[i].clear();
      config.FontSources[i].clear();
    } else if (slot.ItemIndex == 1) {
      config.FontNames[i] = assembly::ExtractNameNoExt(slot.CustomFile);
      config.FontSources[i] = slot.CustomFile;
    } else {
      const assembly::TFontDesc& desc = catalogue.Entries[FindFontDesc(catalogue, slot.ItemText)];
      config.FontNames[i] = assembly::ExtractNameNoExt(desc.EntryName);
      config.FontSources[i] = "ZIP:" + desc.EntryName;
    }
  }
}

}  // namespace

void GatherMidletConfig(const RecordControls& controls, const assembly::TFontCatalogue& catalogue,
                        TMIDLETCONFIG& config) {
  const assembly::TPhoneListItem& row = PhoneTable.at(static_cast<std::size_t>(controls.PhoneRow));
  config.Core = row.Core;
  config.KeysConfig = static_cast<uint8_t>(controls.KeysConfig);
  config.Icon = row.Icon;
  config.JarLimit = controls.JarLimitKB * 1024;
  if (controls.FullVersion) {
    config.Edition = controls.WithZipSupport ? 1 : 0;
    config.JSR75Storage = std::string(localisation::TrimBlanks(controls.JSR75Storage));
    if (!config.JSR75Storage.empty() && !config.JSR75Storage.ends_with('/')) config.JSR75Storage += '/';
  } else {
    config.Edition = controls.LiteVersion ? 2 : 3;
  }
  config.InterfaceLanguage = controls.InterfaceLanguage;
  GatherFonts(controls, catalogue, config);

  if (controls.AdvancedHidden) {
    config.IgnoreCrash = 0;
    config.AlternativeRotation = row.AlternativeRotation;
    config.LightControl = 0;
    config.LightControlMethod = 0;
    config.ForceHeight = row.ForceHeight;
    config.MidletDataSize = row.MidletDataSize;
    config.StoragePath = DefaultStoragePath(config.Core);
    config.FontPath = DefaultFontPath(config.Core);
    config.CustomAttributes.clear();
    return;
  }
  config.IgnoreCrash = controls.DisableCrashRecover ? 1 : 0;
  config.AlternativeRotation = controls.AlternativeRotation ? 1 : 0;
  config.LightControl = controls.BacklightControl ? 1 : 0;
  config.LightControlMethod = static_cast<uint8_t>(controls.BacklightMethod);
  config.ForceHeight = controls.ForceHeightOn ? controls.ForceHeight : 0;
  config.MidletDataSize = controls.DataSizeOn ? controls.DataSize : 0;
  config.StoragePath.clear();
  if (controls.StoragePathOn) {
    config.StoragePath = controls.StoragePath;
    if (!config.StoragePath.ends_with('\\')) config.StoragePath += '\\';
  }
  config.FontPath = controls.FontPathOn ? controls.FontPath : std::string();
  if (!config.FontPath.empty() && config.FontPath != "." && !config.FontPath.ends_with('\\')) config.FontPath += '\\';
  config.CustomAttributes = controls.CustomAttributesOn ? controls.CustomAttributes : std::string();
}

void GatherImageParameters(const PictureControls& c, TImageConversionParameters& p) {
  p.Colors = 0;
  if (c.BlackAndWhite) p.Colors = 1;
  else if (c.Colors16) p.Colors = 2;
  else if (c.Colors64) p.Colors = 3;
  else if (c.Colors256) p.Colors = 4;
  p.MaxWidth = c.ScaleDown ? c.MaxWidth : -1;
  p.MaxHeight = c.ScaleDown ? c.MaxHeight : -1;
  p.Dithering = (c.AdvancedHidden || c.ColorConversion == 1) ? 1 : 0;
  p.MinWidth = c.IgnoreSmall ? c.MinWidth : -1;
  p.MinHeight = c.IgnoreSmall ? c.MinHeight : -1;
  if (c.AdvancedHidden) p.MinWidth = p.MinHeight = 8;
  p.IgnoreEmpty = (c.AdvancedHidden || c.IgnoreEmpty) ? 1 : 0;
  p.IgnoreNames = c.IgnoreNamesOn ? c.IgnoreNames : std::string();
  if (c.AdvancedHidden) p.IgnoreNames = kDefaultIgnoreNames;
}

std::string IntroTextFromMemo(std::string_view memoText) {
  const std::string text = std::string(localisation::TrimBlanks(memoText)).append("\r\n");
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\r\n\r\n";
      ++i;
    } else {
      out += text[i];
    }
  }
  for (char ch : out)
    if (ch != '\n' && ch != '\r' && ch != ' ') return out;
  return "";
}

}  // namespace wizard
