#include "wizard/settingsstore.h"

#include "controls/spinedit.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/memo.h"
#include "platform/ui/radiobutton.h"
#include "platform/ui/radiogroup.h"
#include "wizard/pagerules.h"

#include <stdexcept>

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
  const std::string& section = k.Section;
  const std::string& key = k.Key;
  auto number = [&](int present) { return k.Fallback ? std::stoi(*k.Fallback) : present; };
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
    e->SetTextValue(LimitSettingString(ini.ReadString(section, key, k.Fallback.value_or(e->Text()))));
  } else if (auto* m = dynamic_cast<TMemo*>(control)) {
    m->SetTextValue(
        SettingToMemo(LimitSettingString(ini.ReadString(section, key, k.Fallback.value_or(MemoToSetting(m->Text()))))));
  } else {
    throw std::logic_error("LoadSettingValue: no stored value for " +
                           (control ? control->Name() : std::string("nothing")));
  }
}

}  // namespace

std::string* TSettingsStore::RememberedFile(const SettingKey& k) {
  switch (k.Source) {
    case SettingSource::PhonesListFile: return &phonesListFile_;
    case SettingSource::KeysLayoutFile: return &keysLayoutFile_;
    case SettingSource::FontSlotFile: return window_.FontFile(k.Slot);
    case SettingSource::Control: break;
  }
  return nullptr;
}

std::string TSettingsStore::StoredValue(const SettingKey& k) {
  if (k.Source == SettingSource::Control) return SettingValue(window_.Find(k.Control));
  const std::string* file = RememberedFile(k);
  return file ? *file : std::string();
}

void TSettingsStore::Restore(const TIniFile& ini, const SettingKey& k) {
  if (k.Source != SettingSource::Control) {
    if (std::string* file = RememberedFile(k))
      *file = LimitSettingString(ini.ReadString(k.Section, k.Key, k.Fallback.value_or(*file)));
    return;
  }
  LoadSettingValue(window_.Find(k.Control), ini, k);
  if (!k.Opposite.empty()) {
    auto* button = dynamic_cast<TRadioButton*>(window_.Find(k.Opposite));
    auto* restored = dynamic_cast<TRadioButton*>(window_.Find(k.Control));
    if (button && restored) button->SetChecked(!restored->Checked());
  }
}

void TSettingsStore::RestoreFirstVisit(int page) {
  const std::string section = PageRow(page).Section;
  if (section.empty()) return;
  const TIniFile ini = window_.Open();
  for (const SettingKey* k : SectionSettingKeys(section))
    if (k->Restore == SettingRestore::FirstVisit) Restore(ini, *k);
}

void TSettingsStore::RestoreAdvanced() {
  const TIniFile ini = window_.Open();
  for (const SettingKey* k : SectionSettingKeys(AdvancedSection()))
    if (k->Restore == SettingRestore::Advanced) Restore(ini, *k);
}

bool TSettingsStore::Save(bool directoryOnly, bool advanced, std::string* reason) {
  TIniFile ini = window_.Open();
  const auto ended = [&](bool ok) {
    ok = ini.EndUpdate() && ok;
    if (reason != nullptr) *reason = ini.LastError();
    return ok;
  };
  ini.BeginUpdate();  // one write of the file for all keys
  bool ok = true;
  if (directoryOnly) {
    const SettingKey& k = SettingKeyOf("cbDirectory");
    ok = ini.WriteString(k.Section, k.Key, StoredValue(k));
    return ended(ok);
  }
  for (const std::string& section : SettingSections()) {
    for (const SettingKey* k : SectionSettingKeys(section))
      if (k->Restore != SettingRestore::Advanced) ok = ini.WriteString(section, k->Key, StoredValue(*k)) && ok;
    if (section == AdvancedSection() && advanced) ok = SaveAdvanced(ini) && ok;
  }
  return ended(ok);
}

bool TSettingsStore::SaveAdvanced(TIniFile& ini) {
  bool ok = true;
  for (const SettingKey* k : SectionSettingKeys(AdvancedSection()))
    if (k->Restore == SettingRestore::Advanced) ok = ini.WriteString(AdvancedSection(), k->Key, StoredValue(*k)) && ok;
  return ok;
}

void TSettingsStore::ReportStale(const TMessage& text) {
  if (staleReported_.insert(text.Utf8()).second) window_.Warn(text);
}

}  // namespace wizard
