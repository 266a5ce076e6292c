// The keys of the settings file "Quirewright.ini": one section per wizard page, one key per
// control, most keys spelled like their control. One table names every key with its control
// and the value read when the key is missing; the window saves and restores from it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

// Who reads a key back.
enum class SettingRestore {
  FirstVisit,  // the page entry, the first time the key's page is shown in a run
  PageStep,    // a step of its own (the saved model's keys, the JAR limit, the fonts page)
  Advanced,    // LoadAdvancedOptions; written only while the advanced options are shown
};

// What a key stores besides a control's value.
enum class SettingSource {
  Control,         // the value of `control`
  PhonesListFile,  // the remembered phone list file
  KeysLayoutFile,  // the remembered custom key layout file
  FontSlotFile,    // the custom font file of font slot `slot`
};

struct SettingKey {
  std::string Section;
  std::string Key;
  std::string Control;  // component name in the main window; empty for a remembered file
  // The value read when the key is missing, in the file's form; none: the control's present
  // value.
  std::optional<std::string> Fallback;
  SettingRestore Restore = SettingRestore::FirstVisit;
  SettingSource Source = SettingSource::Control;
  int Slot = 0;          // font slot of SettingSource::FontSlotFile
  std::string Opposite;  // a radio button restored to the opposite check state
};

// The sections the Finish button writes, in writing order.
const std::vector<std::string>& SettingSections();

// Every key, section by section in writing order.
const std::vector<SettingKey>& SettingKeys();

// The keys of one section, in writing order.
std::vector<const SettingKey*> SectionSettingKeys(const std::string& section);

// The key that stores a control (a logic_error when none does).
const SettingKey& SettingKeyOf(const std::string& control);

// A text read from the settings file keeps at most this many characters.
inline constexpr std::size_t kSettingStringLimit = 1023;
std::string LimitSettingString(std::string value);

// A memo's text on one line: every CR LF becomes "|"; and back.
std::string MemoToSetting(const std::string& text);
std::string SettingToMemo(const std::string& value);

}  // namespace wizard
