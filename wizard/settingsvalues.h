// The keys of the settings file "Quirewright.ini": one section per wizard page, one key per
// control, most keys spelled like their control. The tables name the controls of the main
// window; the window writes and reads each control's value by its kind.
#pragma once

#include <string>
#include <vector>

namespace wizard {

struct SettingKey {
  std::string key;
  std::string control;  // component name in the main window
};

// The sections the Finish button writes, in writing order.
const std::vector<std::string>& SettingSections();

// The keys of a section that store a control, in writing order (the advanced options of
// PI_ADVANCEDOPTIONSPAGE excluded: see AdvancedSettingKeys). Keys that store a remembered
// file (the phone list, the custom key layout, the custom fonts) are written after them.
const std::vector<SettingKey>& PageSettingKeys(const std::string& section);

// The advanced options of PI_ADVANCEDOPTIONSPAGE, in writing order.
const std::vector<SettingKey>& AdvancedSettingKeys();

// A memo's text on one line: every CR LF becomes "|"; and back.
std::string MemoToSetting(const std::string& text);
std::string SettingToMemo(const std::string& value);

}  // namespace wizard
