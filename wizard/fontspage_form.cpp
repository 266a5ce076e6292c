// The fonts page: slot lists, presets, custom font files, the negative boxes, the JAR size
// estimate by a trial build and the fit of the fonts to the JAR size limit.
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/opendialog.h"
#include "wizard/mainform.h"

#include "assembly/archivecopy.h"
#include "assembly/booktext.h"
#include "assembly/fontfile.h"
#include "assembly/fullbuild.h"
#include "assembly/phones.h"
#include "assembly/tables.h"
#include "assembly/textpaths.h"
#include "platform/system/codepage.h"
#include "platform/system/message.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "wizard/buildrecord.h"
#include "wizard/fontfit.h"
#include "wizard/settingsvalues.h"

#include <QCursor>

using namespace platform;

namespace wizard {

namespace {

// The slot lists show host paths, so their items are UTF-8.
std::string CustomItemText(const std::string& path) {
  return ToUtf8(TForm1::Text("CustomFont"), InterfaceCodePage()) + " (" + TForm1::ShownPath(path) + ")";
}

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

}  // namespace

int32_t TForm1::GetJarLimitKB() const { return spJARLimit->Value(); }

void TForm1::FillFontCombo(TComboBox* box, uint8_t group, bool bwOnly) {
  TStrings* items = box->Items();
  items->BeginUpdate();
  items->Clear();
  const int cp = InterfaceCodePage();
  for (const std::string& item :
       FontSlotItems(ToUtf8(Text("NoneFont"), cp), ToUtf8(Text("CustomFont"), cp), FFontCatalogue, group, bwOnly))
    items->Add(item);
  items->EndUpdate();
}

void TForm1::SelectFontInSlot(TComboBox* box, const std::string& name, const std::string& scheme) {
  const std::string wanted = PresetFontName(name, GetInterfaceLanguage());
  box->SetItemIndex(0);
  box->SetItemIndex(FindPresetItem(ItemsOf(box), wanted, scheme));
}

void TForm1::ApplyFontPreset(const std::string& scheme) {
  SelectFontInSlot(cbFonts[1], "5x3", "BW");
  SelectFontInSlot(cbFonts[2], "6x3", scheme);
  SelectFontInSlot(cbFonts[3], "6x4", "BW");
  SelectFontInSlot(cbFonts[4], "7x5", scheme);
  SelectFontInSlot(cbFonts[5], "8x5", scheme);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

void TForm1::ApplyFacePreset(const std::string& scheme) {
  SelectFontInSlot(cbFonts[2], "Tah12", scheme);
  SelectFontInSlot(cbFonts[4], "Verd13", scheme);
  SelectFontInSlot(cbFonts[5], "Arial15", scheme);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

// The slots and negative boxes the settings file holds; a stored -1 (or a missing key) leaves
// the box as the preset set it.
void TForm1::RestoreFontsPageSettings() {
  const TIniFile ini = Settings();
  const std::vector<const SettingKey*> keys = SectionSettingKeys("PI_FONTSPAGE");
  for (const SettingKey* key : keys) {
    if (key->source != SettingSource::Control) continue;
    const int stored = ini.ReadInteger(key->section, key->key, std::stoi(key->fallback.value_or("-1")));
    TComponent* control = FindComponent(key->control);
    if (auto* negative = dynamic_cast<TCheckBox*>(control)) {
      if (stored != -1) negative->SetChecked(stored != 0);
      continue;
    }
    auto* box = dynamic_cast<TComboBox*>(control);
    if (box == nullptr) continue;
    if (stored == 1) {
      for (const SettingKey* file : keys) {
        if (file->source != SettingSource::FontSlotFile || cbFonts[static_cast<std::size_t>(file->slot)] != box)
          continue;
        const std::string path =
            LimitSettingString(ini.ReadString(file->section, file->key, file->fallback.value_or("")));
        // A font file of the settings that is gone or damaged: the slot is left empty.
        const TMessage fault =
            path.empty() ? TMessage("No font file is named.", AnsiCodePage()) : CustomFontFault(path);
        if (!fault.Empty()) {
          if (std::string* remembered = FSettings->RememberedFile(*file)) remembered->clear();
          box->SetItemIndex(0);
          const int cp = AnsiCodePage();
          TMessage text("The font file \"", cp);
          FSettings->ReportStale(text.Path(path)
                                     .Own("\" of font slot " + std::to_string(file->slot) +
                                              " in the settings cannot be used; the slot is set to \"",
                                          cp)
                                     .Own(Text("NoneFont"), InterfaceCodePage())
                                     .Own("\". (", cp)
                                     .Append(fault)
                                     .Own(")", cp));
          continue;
        }
        if (std::string* remembered = FSettings->RememberedFile(*file)) *remembered = path;
        box->Items()->SetString(1, CustomItemText(path));
        box->SetItemIndex(1);
      }
    } else if (stored >= 0 && stored < box->Items()->Count()) {
      box->SetItemIndex(stored);
    }
  }
}

void TForm1::ShowJarLimitLabel() {
  JarLimitLabel->SetCaption(Text("HasJARSizeLimit") + " " + std::to_string(GetJarLimitKB() * 1024) + " " +
                            Text("bytes") + ".");
}

// The colour presets need colour phones; each slot remembers what it shows.
void TForm1::EndFontsPageSetUp(bool blackAndWhite) {
  for (TMenuItem* item : {Bluefonstpack1, Yellowfontspacks1, ClearTypeFontsPack1, Anitaliazedfontspack1})
    item->SetEnabled(!blackAndWhite);
  for (int k = 1; k <= 5; ++k)
    FFontSlotShown[static_cast<std::size_t>(k)] = cbFonts[static_cast<std::size_t>(k)]->ItemIndex();
}

void TForm1::LoadFontsPage(bool restore) {
  const TUpdatingScope updating(FUpdating);
  ShowJarLimitLabel();
  const uint8_t group = assembly::FontGroupByLanguage[GetInterfaceLanguage()];
  const bool bw = Model().BlackAndWhite != 0;
  // Coming back to the page keeps the fonts chosen on it in this run, unless they are to start
  // again from defaults or the lists they were chosen from have changed.
  const bool keep =
      restore && !FResetFonts && FFontsPageSetUp && group == FFontsPageGroup && bw == FFontsPageBlackAndWhite;
  if (!keep) {
    for (int k = 1; k <= 5; ++k) FillFontCombo(cbFonts[static_cast<std::size_t>(k)], group, bw);
    for (int k = 1; k <= 5; ++k) cbNegatives[static_cast<std::size_t>(k)]->SetChecked(true);
    ApplyFontPreset("BW");
    if (restore) RestoreFontsPageSettings();
  }
  FFontsPageSetUp = restore;
  FFontsPageGroup = group;
  FFontsPageBlackAndWhite = bw;

  if (FResetFonts) {
    FResetFonts = false;
    FitFontsToJarLimit();
    UpdateNegativeBoxes();
    ShowJarSizeLabel();
  }
  EndFontsPageSetUp(bw);
}

void TForm1::UpdateNegativeBoxes() {
  if (Application().Terminated()) return;  // a fatal message has been shown
  assembly::TMIDLETCONFIG config;
  CollectMidletConfig(config);
  std::array<int, 5> shown{};
  for (int k = 1; k <= 5; ++k)
    shown[static_cast<std::size_t>(k - 1)] = cbFonts[static_cast<std::size_t>(k)]->ItemIndex();
  const bool decided = DecideNegativeBoxes(*this, *FResArchive, config, shown, [this](int slot, NegativeBox box) {
    TCheckBox* negative = cbNegatives[static_cast<std::size_t>(slot)];
    if (box != NegativeBox::Free) negative->SetChecked(box == NegativeBox::Locked);
    negative->SetEnabled(box == NegativeBox::Free);
  });
  if (!decided) return;
  for (int k = 1; k <= 5; ++k) FFontSlotShown[static_cast<std::size_t>(k)] = shown[static_cast<std::size_t>(k - 1)];
}

void TForm1::HandleFontSlotChange(TComboBox* box) {
  if (box->ItemIndex() == 1) {
    FontOpenDialog->SetFilter("Tomefalcon fonts|*.fnt");
    FontOpenDialog->SetOptions(FontOpenDialog->Options() | ofFileMustExist);
    if (FontOpenDialog->Execute()) {
      const std::string path = FontOpenDialog->FileName();
      if (const TMessage fault = CustomFontFault(path); !fault.Empty()) {
        // Not a font the reader can use: refused, and the slot keeps what it showed.
        ShowComposedMessage(fault, "Error", assembly::MessageIcon::Error);
        if (box->Tag >= 1 && box->Tag <= 5) box->SetItemIndex(FFontSlotShown[static_cast<std::size_t>(box->Tag)]);
        return;
      }
      if (box->Tag >= 1 && box->Tag <= 5) FCustomFontFiles[static_cast<std::size_t>(box->Tag)] = path;
      box->Items()->SetString(1, CustomItemText(path));
      box->SetItemIndex(1);
      box->SetHint(ShownPath(path));
    } else {
      box->SetItemIndex(0);
    }
  }
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

void TForm1::cbFont1Change(TObject* sender) {
  if (auto* box = dynamic_cast<TComboBox*>(sender)) HandleFontSlotChange(box);
}

void TForm1::BitBtn1Click(TObject* /*sender*/) {
  const QPoint at = QCursor::pos();
  PopupMenu1->Popup(at.x(), at.y());
}

// Each pack sets the slots from one colour scheme of the sized fonts or of the face fonts.
void TForm1::FontPackClick(TObject* sender) {
  struct TFontPack {
    TMenuItem* Item;
    bool Faces;
    const char* Scheme;
  };
  const TFontPack packs[] = {{BlackandWhitefontspack1, false, "BW"},
                             {Bluefonstpack1, false, "Aqua"},
                             {Yellowfontspacks1, false, "Yellow"},
                             {ClearTypeFontsPack1, true, "ClearType"},
                             {Anitaliazedfontspack1, true, "Antialiazed"}};
  for (const TFontPack& pack : packs) {
    if (pack.Item != sender) continue;
    if (pack.Faces) ApplyFacePreset(pack.Scheme);
    else ApplyFontPreset(pack.Scheme);
  }
}

void TForm1::Nofonts1Click(TObject* /*sender*/) {
  for (TComboBox* box : {cbFonts[2], cbFonts[4], cbFonts[5]}) box->SetItemIndex(0);
  UpdateNegativeBoxes();
  ShowJarSizeLabel();
}

// --- JAR size estimate and fit ---------------------------------------------------------------

std::optional<int32_t> TForm1::EstimateJarSize() {
  // The program is ending after a fatal message: no more trial builds.
  if (Application().Terminated()) return std::nullopt;
  assembly::TMIDLETCONFIG config;
  CollectMidletConfig(config);
  assembly::BuildInputs inputs;
  CollectBuildInputs(inputs);
  return wizard::EstimateJarSize(
      *this, FTrialBuildFault, [&](assembly::BuildHost& host) { return MakeBuildContext(inputs, &host); }, config);
}

int32_t TForm1::GetJarReserve() const { return wizard::JarReserve(!rbFullVersion->Checked()); }

bool TForm1::FontsFitJarLimit() {
  assembly::TMIDLETCONFIG config;
  CollectMidletConfig(config);
  return EstimateFits(EstimateJarSize(), GetJarReserve(), config.JarLimit);
}

int32_t TForm1::GetMaxMidletSize() {
  assembly::TMIDLETCONFIG config;
  CollectMidletConfig(config);
  return config.JarLimit - GetJarReserve();
}

void TForm1::FitFontsToJarLimit() {
  assembly::TMIDLETCONFIG config;
  CollectMidletConfig(config);
  FitFonts(
      config.JarLimit, GetJarReserve(), [this] { return EstimateJarSize(); },
      [this](FitStep step) {
        const FitStepChange change = ChangeOf(step);
        const std::size_t slot = static_cast<std::size_t>(change.Slot);
        if (change.Negative) cbNegatives[slot]->SetChecked(false);
        else cbFonts[slot]->SetItemIndex(0);
      });
}

void TForm1::ShowJarSizeLabel() {
  if (Application().Terminated()) return;
  // A failed trial build has shown its message; the label then says -1.
  JarSizeLabel->SetCaption(Text("JARSizeIs") + " " + std::to_string(EstimateJarSize().value_or(-1)) + " " +
                           Text("bytes") + ".");
}

void TForm1::cbNegative1Click(TObject* /*sender*/) {
  if (!FUpdating) ShowJarSizeLabel();
}

assembly::TJarCache* TForm1::JarCache() {
  if (!FJarCache) FJarCache = std::make_shared<assembly::TJarCache>();
  return FJarCache.get();
}

}  // namespace wizard
