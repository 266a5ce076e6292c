// The settings file: what the Finish button writes, and the advanced options with their
// defaults by phone model and edition.
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/memo.h"
#include "platform/ui/radiobutton.h"
#include "platform/ui/radiogroup.h"
#include "wizard/mainform.h"

#include "assembly/phones.h"
#include "assembly/tables.h"
#include "wizard/batchrun.h"
#include "wizard/buildrecord.h"
#include "wizard/settingsvalues.h"

using namespace platform;

namespace wizard {

namespace {

std::string AdvancedSection() { return PageRow(pgAdvancedOptions).Section; }

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

// Reads a control back; a missing key gives `fallback` (in the file's form), or the
// control's present value when there is none. An item index the list does not have falls back
// the same way, and texts keep at most kSettingStringLimit characters.
void LoadSettingValue(TComponent* control, const TIniFile& ini, const SettingKey& k) {
  const std::string& section = k.section;
  const std::string& key = k.key;
  auto number = [&](int present) { return k.fallback ? std::stoi(*k.fallback) : present; };
  auto item = [&](int present, int count) {
    const int value = ini.ReadInteger(section, key, number(present));
    return value >= 0 && value < count ? value : number(present);
  };
  if (auto* b = dynamic_cast<TCheckBox*>(control)) {
    b->SetChecked(ini.ReadInteger(section, key, number(b->Checked() ? 1 : 0)) != 0);
  } else if (auto* r = dynamic_cast<TRadioButton*>(control)) {
    r->SetChecked(ini.ReadInteger(section, key, number(r->Checked() ? 1 : 0)) != 0);
  } else if (auto* c = dynamic_cast<TComboBox*>(control)) {
    c->SetItemIndex(item(c->ItemIndex(), c->Items()->Count()));
  } else if (auto* g = dynamic_cast<TRadioGroup*>(control)) {
    g->SetItemIndex(item(g->ItemIndex(), g->Items()->Count()));
  } else if (auto* s = dynamic_cast<controls::TMySpinEdit*>(control)) {
    s->SetValue(ini.ReadInteger(section, key, number(s->Value())));
  } else if (auto* e = dynamic_cast<TCustomEdit*>(control)) {
    e->SetTextValue(LimitSettingString(ini.ReadString(section, key, k.fallback.value_or(e->Text()))));
  } else if (auto* m = dynamic_cast<TMemo*>(control)) {
    m->SetTextValue(
        SettingToMemo(LimitSettingString(ini.ReadString(section, key, k.fallback.value_or(MemoToSetting(m->Text()))))));
  } else {
    throw std::logic_error("LoadSettingValue: no stored value for " + (control ? control->Name() : std::string("nothing")));
  }
}

}  // namespace

std::string* TForm1::RememberedFile(const SettingKey& k) {
  switch (k.source) {
    case SettingSource::PhonesListFile: return &FPhonesListFile;
    case SettingSource::KeysLayoutFile: return &FCustomKeysFile;
    case SettingSource::FontSlotFile: {
      const intptr_t tag = cbFonts[static_cast<std::size_t>(k.slot)]->Tag;
      return tag >= 1 && tag <= 5 ? &FCustomFontFiles[static_cast<std::size_t>(tag)] : nullptr;
    }
    case SettingSource::Control: break;
  }
  return nullptr;
}

std::string TForm1::StoredValue(const SettingKey& k) {
  if (k.source == SettingSource::Control) return SettingValue(FindComponent(k.control));
  const std::string* file = RememberedFile(k);
  return file ? *file : std::string();
}

void TForm1::RestoreSetting(const TIniFile& ini, const SettingKey& k) {
  if (k.source != SettingSource::Control) {
    if (std::string* file = RememberedFile(k))
      *file = LimitSettingString(ini.ReadString(k.section, k.key, k.fallback.value_or(*file)));
    return;
  }
  LoadSettingValue(FindComponent(k.control), ini, k);
  if (!k.opposite.empty()) {
    auto* button = dynamic_cast<TRadioButton*>(FindComponent(k.opposite));
    auto* restored = dynamic_cast<TRadioButton*>(FindComponent(k.control));
    if (button && restored) button->SetChecked(!restored->Checked());
  }
}

void TForm1::RestoreFirstVisitSettings(int page) {
  const std::string section = PageRow(page).Section;
  if (section.empty()) return;
  const TIniFile ini = Settings();
  for (const SettingKey* k : SectionSettingKeys(section))
    if (k->restore == SettingRestore::FirstVisit) RestoreSetting(ini, *k);
}

bool TForm1::SaveSettings(std::string* reason) {
  TIniFile ini = Settings();
  const auto ended = [&](bool ok) {
    ok = ini.EndUpdate() && ok;
    if (reason != nullptr) *reason = ini.LastError();
    return ok;
  };
  ini.BeginUpdate();  // one write of the file for all keys
  bool ok = true;
  if (IsListRow() && rbFullVersion->Checked()) {
    const SettingKey& k = SettingKeyOf("cbDirectory");
    ok = ini.WriteString(k.section, k.key, StoredValue(k));
    return ended(ok);
  }
  for (const std::string& section : SettingSections()) {
    for (const SettingKey* k : SectionSettingKeys(section))
      if (k->restore != SettingRestore::Advanced) ok = ini.WriteString(section, k->key, StoredValue(*k)) && ok;
    if (section == AdvancedSection() && !rbHideAdvancedOptions->Checked()) ok = SaveAdvancedOptions(ini) && ok;
  }
  return ended(ok);
}

bool TForm1::SaveAdvancedOptions(TIniFile& ini) {
  bool ok = true;
  for (const SettingKey* k : SectionSettingKeys(AdvancedSection()))
    if (k->restore == SettingRestore::Advanced) ok = ini.WriteString(AdvancedSection(), k->key, StoredValue(*k)) && ok;
  return ok;
}

void TForm1::LoadAdvancedOptions() {
  ResetAdvancedOptions();
  const TIniFile ini = Settings();
  for (const SettingKey* k : SectionSettingKeys(AdvancedSection()))
    if (k->restore == SettingRestore::Advanced) RestoreSetting(ini, *k);
}

void TForm1::ResetAdvancedOptions() {
  BatchControls values{RecordControlValues(), PictureControlValues()};
  ResetAdvancedValues(values);
  ShowAdvancedValues(values);
}

// A spin edit whose box is unchecked keeps its value, and so does the backlight method.
void TForm1::ShowAdvancedValues(const BatchControls& values) {
  const RecordControls& r = values.Record;
  cbDisableCrashRecover->SetChecked(r.DisableCrashRecover);
  cbAlternativeRotation->SetChecked(r.AlternativeRotation);
  cbForceHeight->SetChecked(r.ForceHeightOn);
  if (r.ForceHeightOn) spForceHeight->SetValue(r.ForceHeight);
  cbMidletDataSize->SetChecked(r.DataSizeOn);
  if (r.DataSizeOn) spMidletDataSize->SetValue(r.DataSize);
  cbStoragePath->SetChecked(r.StoragePathOn);
  edStoragePath->SetTextValue(r.StoragePath);
  cbFontPath->SetChecked(r.FontPathOn);
  edFontPath->SetTextValue(r.FontPath);
  cbCustomAttributes->SetChecked(r.CustomAttributesOn);
  mmCustomAttributes->SetTextValue(r.CustomAttributes);
  const PictureControls& p = values.Pictures;
  rgColorConversion->SetItemIndex(p.ColorConversion);
  cbIgnoreImagesWithNames->SetChecked(p.IgnoreNamesOn);
  edIgnoreImagesWithNames->SetTextValue(p.IgnoreNames);
  cbIgnoreEmptyImages->SetChecked(p.IgnoreEmpty);
  cbIgnoreSmallImages->SetChecked(p.IgnoreSmall);
  spMinImageWidth->SetValue(p.MinWidth);
  spMinImageHeight->SetValue(p.MinHeight);
  cbBacklightControlMethod->SetChecked(r.BacklightControl);
  if (r.BacklightControl) cboxBacklightControlMethod->SetItemIndex(r.BacklightMethod);
}

}  // namespace wizard
