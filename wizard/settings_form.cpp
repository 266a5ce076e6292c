// The settings file: what the Finish button writes, and the advanced options with their
// defaults by phone model and edition.
#include "wizard/mainform.h"

#include "assembly/phones.h"
#include "assembly/tables.h"
#include "wizard/buildrecord.h"
#include "wizard/settingsvalues.h"

using namespace platform;

namespace wizard {

namespace {

const char* const kAdvanced = "PI_ADVANCEDOPTIONSPAGE";

// The value a control stores: "1"/"0" for check boxes and radio buttons, the item index of
// combo boxes and radio groups, the value of spin edits, the text of edits, and the text of
// memos with "|" for each line break.
std::string SettingValue(const TComponent* control) {
  if (auto* b = dynamic_cast<const TCheckBox*>(control)) return b->Checked() ? "1" : "0";
  if (auto* b = dynamic_cast<const TRadioButton*>(control)) return b->Checked() ? "1" : "0";
  if (auto* c = dynamic_cast<const TComboBox*>(control)) return std::to_string(c->ItemIndex());
  if (auto* g = dynamic_cast<const TRadioGroup*>(control)) return std::to_string(g->ItemIndex());
  if (auto* s = dynamic_cast<const controls::TMySpinEdit*>(control)) return std::to_string(s->Value());
  if (auto* e = dynamic_cast<const TCustomEdit*>(control)) return e->Text();
  if (auto* m = dynamic_cast<const TMemo*>(control)) return MemoToSetting(m->Text());
  throw std::logic_error("SettingValue: no stored value for " + (control ? control->Name() : std::string("nothing")));
}

// Reads a control back, with its present value as the default.
void LoadSettingValue(TComponent* control, const TIniFile& ini, const std::string& section, const std::string& key) {
  if (auto* b = dynamic_cast<TCheckBox*>(control)) {
    b->SetChecked(ini.ReadInteger(section, key, b->Checked() ? 1 : 0) != 0);
  } else if (auto* r = dynamic_cast<TRadioButton*>(control)) {
    r->SetChecked(ini.ReadInteger(section, key, r->Checked() ? 1 : 0) != 0);
  } else if (auto* c = dynamic_cast<TComboBox*>(control)) {
    c->SetItemIndex(ini.ReadInteger(section, key, c->ItemIndex()));
  } else if (auto* g = dynamic_cast<TRadioGroup*>(control)) {
    g->SetItemIndex(ini.ReadInteger(section, key, g->ItemIndex()));
  } else if (auto* s = dynamic_cast<controls::TMySpinEdit*>(control)) {
    s->SetValue(ini.ReadInteger(section, key, s->Value()));
  } else if (auto* e = dynamic_cast<TCustomEdit*>(control)) {
    e->SetTextValue(ini.ReadString(section, key, e->Text()));
  } else if (auto* m = dynamic_cast<TMemo*>(control)) {
    m->SetTextValue(SettingToMemo(ini.ReadString(section, key, MemoToSetting(m->Text()))));
  } else {
    throw std::logic_error("LoadSettingValue: no stored value for " + (control ? control->Name() : std::string("nothing")));
  }
}

}  // namespace

bool TForm1::SaveSettings() {
  TIniFile ini = Settings();
  ini.BeginUpdate();  // one write of the file for all keys
  bool ok = true;
  auto write = [&](const std::string& section, const std::string& key, const std::string& value) {
    ok = ini.WriteString(section, key, value) && ok;
  };
  if (IsListRow() && rbFullVersion->Checked()) {
    write("PI_FINISHPAGE", "cbDirectory", SettingValue(cbDirectory));
    return ini.EndUpdate() && ok;
  }
  for (const std::string& section : SettingSections()) {
    for (const SettingKey& k : PageSettingKeys(section)) write(section, k.key, SettingValue(FindComponent(k.control)));
    if (section == "PI_PHONEMODELPAGE") {
      write(section, "CustomListOfPhones", FPhonesListFile);
    } else if (section == "PI_FONTSPAGE") {
      for (int slot : {2, 4, 5}) {
        const intptr_t tag = cbFonts[static_cast<std::size_t>(slot)]->Tag;
        write(section, "fontName" + std::to_string(slot),
              tag >= 1 && tag <= 5 ? FCustomFontFiles[static_cast<std::size_t>(tag)] : std::string());
      }
    } else if (section == "PI_KEYCONFIGPAGE") {
      write(section, "CustomKeyConfigName", FCustomKeysFile);
    } else if (section == kAdvanced && !rbHideAdvancedOptions->Checked()) {
      ok = SaveAdvancedOptions(ini) && ok;
    }
  }
  return ini.EndUpdate() && ok;
}

bool TForm1::SaveAdvancedOptions(TIniFile& ini) {
  bool ok = true;
  for (const SettingKey& k : AdvancedSettingKeys())
    ok = ini.WriteString(kAdvanced, k.key, SettingValue(FindComponent(k.control))) && ok;
  return ok;
}

void TForm1::LoadAdvancedOptions() {
  ResetAdvancedOptions();
  const TIniFile ini = Settings();
  for (const SettingKey& k : AdvancedSettingKeys()) LoadSettingValue(FindComponent(k.control), ini, kAdvanced, k.key);
}

void TForm1::ResetAdvancedOptions() {
  const assembly::TPhoneListItem& row = Model();
  const int core = row.Core;
  cbDisableCrashRecover->SetChecked(false);
  cbAlternativeRotation->SetChecked(row.AlternativeRotation != 0);
  cbForceHeight->SetChecked(row.ForceHeight != 0);
  if (cbForceHeight->Checked()) spForceHeight->SetValue(row.ForceHeight);
  cbMidletDataSize->SetChecked(row.MidletDataSize != 0 && assembly::DataSizeByCore[static_cast<std::size_t>(core)] == 1 &&
                               rbFullVersion->Checked());
  if (cbMidletDataSize->Checked()) spMidletDataSize->SetValue(row.MidletDataSize);
  cbStoragePath->SetChecked(core == 0);
  edStoragePath->SetTextValue(DefaultStoragePath(core));
  cbFontPath->SetChecked(core == 0 || core == 1);
  edFontPath->SetTextValue(DefaultFontPath(core));
  cbCustomAttributes->SetChecked(false);
  mmCustomAttributes->SetTextValue("");
  rgColorConversion->SetItemIndex(1);
  cbIgnoreImagesWithNames->SetChecked(true);
  edIgnoreImagesWithNames->SetTextValue(kDefaultIgnoreNames);
  cbIgnoreEmptyImages->SetChecked(true);
  cbIgnoreSmallImages->SetChecked(true);
  spMinImageWidth->SetValue(8);
  spMinImageHeight->SetValue(8);
  cbBacklightControlMethod->SetChecked(row.LightControlMethod != -1);
  if (row.LightControlMethod != -1) cboxBacklightControlMethod->SetItemIndex(row.LightControlMethod);
}

}  // namespace wizard
