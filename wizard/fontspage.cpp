#include "wizard/fontspage.h"

#include "assembly/buildinput.h"
#include "assembly/fontfile.h"
#include "assembly/tables.h"
#include "controls/spinedit.h"
#include "localisation/langmanager.h"
#include "platform/system/codepage.h"
#include "platform/system/message.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/label.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/opendialog.h"
#include "wizard/fontfit.h"
#include "wizard/pagerules.h"
#include "wizard/settingsstore.h"
#include "wizard/settingsvalues.h"
#include "wizard/updatingscope.h"

using namespace platform;

namespace wizard {

namespace {

// A host path as the slot lists and their hints show it: UTF-8, as the file system writes it
// (those lists hold UTF-8 items).
const std::string& ShownPath(const std::string& path) { return path; }

std::vector<std::string> ItemsOf(TComboBox* box) { return box->Items()->ToVector(); }

// Why a font file chosen for a slot cannot be used: empty when it can.
TMessage CustomFontFault(const std::string& path) {
  try {
    const std::string fault = assembly::CheckFontBytes(assembly::ReadFontInput(path));
    if (!fault.empty())
      return TMessage("The font \"", AnsiCodePage())
          .Path(path)
          .Own("\" cannot be used: " + fault + ".", AnsiCodePage());
  } catch (const assembly::EBuildError& e) {
    return e.Message();
  }
  return {};
}

bool IsSlotTag(intptr_t tag) { return tag >= 1 && tag <= 5; }

}  // namespace

std::string TFontsPage::Text(const char* name) { return localisation::LangManager().TextByName(name); }

// The slot lists show host paths, so their items are UTF-8.
std::string TFontsPage::CustomItemText(const std::string& path) const {
  return ToUtf8(Text("CustomFont"), InterfaceCodePage()) + " (" + ShownPath(path) + ")";
}

const std::string& TFontsPage::CustomFontFile(intptr_t slot) const {
  static const std::string none;
  return IsSlotTag(slot) ? customFontFiles_[static_cast<std::size_t>(slot)] : none;
}

void TFontsPage::SetCustomFontFile(intptr_t slot, std::string path) {
  if (IsSlotTag(slot)) customFontFiles_[static_cast<std::size_t>(slot)] = std::move(path);
}

std::string* TFontsPage::RememberedFontFile(int slot) {
  const intptr_t tag = Slot(slot)->Tag;
  return IsSlotTag(tag) ? &customFontFiles_[static_cast<std::size_t>(tag)] : nullptr;
}

void TFontsPage::FillSlot(TComboBox* box, uint8_t group, bool bwOnly) {
  TStrings* items = box->Items();
  items->BeginUpdate();
  items->Clear();
  const int cp = InterfaceCodePage();
  for (const std::string& item :
       FontSlotItems(ToUtf8(Text("NoneFont"), cp), ToUtf8(Text("CustomFont"), cp), window_.Catalogue, group, bwOnly))
    items->Add(item);
  items->EndUpdate();
}

void TFontsPage::SelectFont(TComboBox* box, const std::string& name, const std::string& scheme) {
  const std::string wanted = PresetFontName(name, window_.InterfaceLanguage());
  box->SetItemIndex(0);
  box->SetItemIndex(FindPresetItem(ItemsOf(box), wanted, scheme));
}

void TFontsPage::ApplyFontPreset(const std::string& scheme) {
  SelectFont(Slot(1), "5x3", "BW");
  SelectFont(Slot(2), "6x3", scheme);
  SelectFont(Slot(3), "6x4", "BW");
  SelectFont(Slot(4), "7x5", scheme);
  SelectFont(Slot(5), "8x5", scheme);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

void TFontsPage::ApplyFacePreset(const std::string& scheme) {
  SelectFont(Slot(2), "Tah12", scheme);
  SelectFont(Slot(4), "Verd13", scheme);
  SelectFont(Slot(5), "Arial15", scheme);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

// The slots and negative boxes the settings file holds; a stored -1 (or a missing key) leaves
// the box as the preset set it.
void TFontsPage::RestoreSettings() {
  const TIniFile ini = window_.Settings();
  for (const SettingKey* key : SectionSettingKeys(PageRow(pgFonts).Section)) {
    if (key->Source != SettingSource::Control) continue;
    const int stored = ini.ReadInteger(key->Section, key->Key, std::stoi(key->Fallback.value_or("-1")));
    for (int k = 1; k <= 5; ++k) {
      if (Negative(k)->Name() == key->Control && stored != -1) Negative(k)->SetChecked(stored != 0);
      if (Slot(k)->Name() != key->Control) continue;
      if (stored == 1) RestoreCustomFont(ini, Slot(k));
      else if (stored >= 0 && stored < Slot(k)->Items()->Count()) Slot(k)->SetItemIndex(stored);
    }
  }
}

// A slot stored as showing its custom font file gets the settings' file; a file that is gone
// or damaged leaves the slot empty, and the user is told once.
void TFontsPage::RestoreCustomFont(const TIniFile& ini, TComboBox* box) {
  for (const SettingKey* file : SectionSettingKeys(PageRow(pgFonts).Section)) {
    if (file->Source != SettingSource::FontSlotFile || Slot(file->Slot) != box) continue;
    const std::string path = LimitSettingString(ini.ReadString(file->Section, file->Key, file->Fallback.value_or("")));
    const TMessage fault = path.empty() ? TMessage("No font file is named.", AnsiCodePage()) : CustomFontFault(path);
    std::string* remembered = RememberedFontFile(file->Slot);
    if (!fault.Empty()) {
      if (remembered != nullptr) remembered->clear();
      box->SetItemIndex(0);
      const int cp = AnsiCodePage();
      TMessage text("The font file \"", cp);
      window_.Store.ReportStale(text.Path(path)
                                    .Own("\" of font slot " + std::to_string(file->Slot) +
                                             " in the settings cannot be used; the slot is set to \"",
                                         cp)
                                    .Own(Text("NoneFont"), InterfaceCodePage())
                                    .Own("\". (", cp)
                                    .Append(fault)
                                    .Own(")", cp));
      continue;
    }
    if (remembered != nullptr) *remembered = path;
    box->Items()->SetString(1, CustomItemText(path));
    box->SetItemIndex(1);
  }
}

void TFontsPage::ShowJarLimitLabel() {
  controls_.JarLimitLabel->SetCaption(Text("HasJARSizeLimit") + " " +
                                      std::to_string(controls_.JarLimit->Value() * 1024) + " " + Text("bytes") + ".");
}

// The colour presets need colour phones; each slot remembers what it shows.
void TFontsPage::EndSetUp(bool blackAndWhite) {
  for (std::size_t i = 1; i < controls_.Packs.size(); ++i) controls_.Packs[i]->SetEnabled(!blackAndWhite);
  for (int k = 1; k <= 5; ++k) slotShown_[static_cast<std::size_t>(k)] = Slot(k)->ItemIndex();
}

void TFontsPage::Load(bool restore) {
  const TUpdatingScope updating(window_.Updating);
  ShowJarLimitLabel();
  const uint8_t group = assembly::FontGroupByLanguage[window_.InterfaceLanguage()];
  const bool bw = window_.BlackAndWhite();
  // Coming back to the page keeps the fonts chosen on it in this run, unless they are to start
  // again from defaults or the lists they were chosen from have changed.
  const bool keep = restore && !resetPending_ && setUp_ && group == setUpGroup_ && bw == setUpBlackAndWhite_;
  if (!keep) {
    for (int k = 1; k <= 5; ++k) FillSlot(Slot(k), group, bw);
    for (int k = 1; k <= 5; ++k) Negative(k)->SetChecked(true);
    ApplyFontPreset("BW");
    if (restore) RestoreSettings();
  }
  setUp_ = restore;
  setUpGroup_ = group;
  setUpBlackAndWhite_ = bw;

  if (resetPending_) {
    resetPending_ = false;
    FitToJarLimit();
    UpdateNegativeBoxes();
    ShowJarSizeLabel();
  }
  EndSetUp(bw);
}

// The fonts page as the set-up of a variant left it: lists of the variant's language group,
// its slots and negatives, and the boxes and label that follow from them.
void TFontsPage::ShowVariant(const std::array<FontSlotChoice, 5>& fonts) {
  const uint8_t group = assembly::FontGroupByLanguage[window_.InterfaceLanguage()];
  const bool bw = window_.BlackAndWhite();
  ShowJarLimitLabel();
  for (int k = 1; k <= 5; ++k) {
    const FontSlotChoice& slot = fonts[static_cast<std::size_t>(k - 1)];
    FillSlot(Slot(k), group, bw);
    Slot(k)->SetItemIndex(slot.ItemIndex);
    Negative(k)->SetChecked(slot.Negative);
  }
  resetPending_ = false;
  setUp_ = false;
  setUpGroup_ = group;
  setUpBlackAndWhite_ = bw;
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
  EndSetUp(bw);
}

void TFontsPage::UpdateNegativeBoxes() {
  if (Application().Terminated()) return;  // a fatal message has been shown
  const assembly::TMIDLETCONFIG config = window_.Config();
  std::array<int, 5> shown{};
  for (int k = 1; k <= 5; ++k) shown[static_cast<std::size_t>(k - 1)] = Slot(k)->ItemIndex();
  const bool decided =
      DecideNegativeBoxes(window_.Host, window_.Archive(), config, shown, [this](int slot, NegativeBox box) {
        TCheckBox* negative = Negative(slot);
        if (box != NegativeBox::Free) negative->SetChecked(box == NegativeBox::Locked);
        negative->SetEnabled(box == NegativeBox::Free);
      });
  if (!decided) return;
  for (int k = 1; k <= 5; ++k) slotShown_[static_cast<std::size_t>(k)] = shown[static_cast<std::size_t>(k - 1)];
}

void TFontsPage::ChangeSlot(TComboBox* box) {
  if (box->ItemIndex() == 1) {
    TOpenDialog* dialog = controls_.FontOpenDialog;
    dialog->SetFilter("Tomefalcon fonts|*.fnt");
    dialog->SetOptions(dialog->Options() | ofFileMustExist);
    if (dialog->Execute()) {
      const std::string path = dialog->FileName();
      if (const TMessage fault = CustomFontFault(path); !fault.Empty()) {
        // Not a font the reader can use: refused, and the slot keeps what it showed.
        window_.Host.ShowComposedMessage(fault, "Error", assembly::MessageIcon::Error);
        if (IsSlotTag(box->Tag)) box->SetItemIndex(slotShown_[static_cast<std::size_t>(box->Tag)]);
        return;
      }
      SetCustomFontFile(box->Tag, path);
      box->Items()->SetString(1, CustomItemText(path));
      box->SetItemIndex(1);
      box->SetPathHint(ShownPath(path));
    } else {
      box->SetItemIndex(0);
    }
  }
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

// Each pack sets the slots from one colour scheme of the sized fonts or of the face fonts.
void TFontsPage::ApplyPack(const TObject* item) {
  struct TFontPack {
    bool Faces;
    const char* Scheme;
  };
  static constexpr std::array<TFontPack, 5> kPacks{
      {{false, "BW"}, {false, "Aqua"}, {false, "Yellow"}, {true, "ClearType"}, {true, "Antialiazed"}}};
  for (std::size_t i = 0; i < kPacks.size(); ++i) {
    if (controls_.Packs[i] != item) continue;
    if (kPacks[i].Faces) ApplyFacePreset(kPacks[i].Scheme);
    else ApplyFontPreset(kPacks[i].Scheme);
  }
}

void TFontsPage::ClearFaceSlots() {
  for (int k : {2, 4, 5}) Slot(k)->SetItemIndex(0);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

// --- JAR size estimate and fit ---------------------------------------------------------------

bool TFontsPage::FitsJarLimit() {
  return EstimateFits(window_.EstimateJarSize(), JarReserve(window_.BookEdition()), window_.Config().JarLimit);
}

int32_t TFontsPage::MaxMidletSize() { return window_.Config().JarLimit - JarReserve(window_.BookEdition()); }

void TFontsPage::FitToJarLimit() {
  FitFonts(
      window_.Config().JarLimit, JarReserve(window_.BookEdition()), [this] { return window_.EstimateJarSize(); },
      [this](FitStep step) {
        const FitStepChange change = ChangeOf(step);
        if (change.Negative) Negative(change.Slot)->SetChecked(false);
        else Slot(change.Slot)->SetItemIndex(0);
      });
}

void TFontsPage::ShowJarSizeLabel() {
  if (Application().Terminated()) return;
  // A failed trial build has shown its message; the label then says -1.
  controls_.JarSizeLabel->SetCaption(Text("JARSizeIs") + " " + std::to_string(window_.EstimateJarSize().value_or(-1)) +
                                     " " + Text("bytes") + ".");
}

}  // namespace wizard
