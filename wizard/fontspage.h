// The builder window's fonts page: the five font slots and their negative boxes, the presets,
// custom font files, the JAR size labels and the fit of the fonts to the JAR size limit. The
// window owns it and forwards the page's events to it.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/midletconfig.h"
#include "assembly/zipfile.h"
#include "platform/system/inifile.h"
#include "wizard/buildrecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {
class TCheckBox;
class TComboBox;
class TLabel;
class TMenuItem;
class TObject;
class TOpenDialog;
}  // namespace platform

namespace controls {
class TMySpinEdit;
}

namespace wizard {

class TSettingsStore;

class TFontsPage {
public:
  // The page's components.
  struct TControls {
    std::array<platform::TComboBox*, 6> Fonts{};      // [1..5] = cbFont1..cbFont5
    std::array<platform::TCheckBox*, 6> Negatives{};  // [1..5] = cbNegative1..cbNegative5
    controls::TMySpinEdit* JarLimit = nullptr;        // kilobytes
    platform::TLabel* JarLimitLabel = nullptr;
    platform::TLabel* JarSizeLabel = nullptr;
    // The pack items of the preset menu: black-and-white, blue, yellow, ClearType, antialiased.
    std::array<platform::TMenuItem*, 5> Packs{};
    platform::TOpenDialog* FontOpenDialog = nullptr;
  };
  // What the page reads of its window.
  struct TWindow {
    assembly::BuildHost& Host;  // messages
    const assembly::TFontCatalogue& Catalogue;
    TSettingsStore& Store;
    bool& Updating;  // the window's "controls are being set" flag
    std::function<const assembly::TZipFile&()> Archive;
    std::function<platform::TIniFile()> Settings;
    std::function<uint8_t()> InterfaceLanguage;
    std::function<bool()> BlackAndWhite;  // the phone model's
    std::function<bool()> BookEdition;    // lite or tiny
    std::function<assembly::TMIDLETCONFIG()> Config;
    // The JAR size of a trial build; nothing when it failed (and said why).
    std::function<std::optional<int32_t>()> EstimateJarSize;
  };
  TFontsPage(const TControls& controls, TWindow window) : controls_(controls), window_(std::move(window)) {}

  // Sets the page up on entry. With `restore`, a later entry keeps the fonts chosen on it
  // while the lists stay the same, and the first one restores the settings file's slots.
  void Load(bool restore);
  // The page as the set-up of a batch variant left it: its slots and negatives.
  void ShowVariant(const std::array<FontSlotChoice, 5>& fonts);

  // The handlers: a slot's new item (its "Custom font..." item asks for a file), a pack of
  // the preset menu, "No fonts".
  void ChangeSlot(platform::TComboBox* box);
  void ApplyPack(const platform::TObject* item);
  void ClearFaceSlots();

  void UpdateNegativeBoxes();
  void ShowJarSizeLabel();
  bool FitsJarLimit();
  int32_t MaxMidletSize();

  // The next entry starts again from defaults and fits the fonts to the JAR size limit.
  void MarkForReset() { resetPending_ = true; }
  void SetResetPending(bool pending) { resetPending_ = pending; }
  bool ResetPending() const { return resetPending_; }
  // The custom font file of slot 1..5 (by the slot box's Tag): empty when none.
  const std::string& CustomFontFile(intptr_t slot) const;
  void SetCustomFontFile(intptr_t slot, std::string path);
  // The file font slot 1..5 remembers for the settings (nullptr: none).
  std::string* RememberedFontFile(int slot);

private:
  static std::string Text(const char* name);
  std::string CustomItemText(const std::string& path) const;
  platform::TComboBox* Slot(int k) const { return controls_.Fonts[static_cast<std::size_t>(k)]; }
  platform::TCheckBox* Negative(int k) const { return controls_.Negatives[static_cast<std::size_t>(k)]; }
  void FillSlot(platform::TComboBox* box, uint8_t group, bool bwOnly);
  void SelectFont(platform::TComboBox* box, const std::string& name, const std::string& scheme);
  void ApplyFontPreset(const std::string& scheme);
  void ApplyFacePreset(const std::string& scheme);
  void RestoreSettings();
  void RestoreCustomFont(const platform::TIniFile& ini, platform::TComboBox* box);
  void FitToJarLimit();
  void ShowJarLimitLabel();
  void EndSetUp(bool blackAndWhite);

  TControls controls_;
  TWindow window_;
  std::array<std::string, 6> customFontFiles_;  // [1..5], by the slot box's Tag
  std::array<int, 6> slotShown_{};              // [1..5]: item each slot showed after its last set-up
  bool resetPending_ = false;
  // The page as its last set-up with restoring left it: the lists' language group and
  // black-and-white flag; later entries keep the user's choices while these stay.
  bool setUp_ = false;
  uint8_t setUpGroup_ = 0;
  bool setUpBlackAndWhite_ = false;
};

}  // namespace wizard
