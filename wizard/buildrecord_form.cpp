// The build record, the picture settings, the introduction text and the other values a build
// reads, gathered from the main window's controls.
#include "platform/ui/combobox.h"
#include "platform/ui/radiobutton.h"
#include "wizard/mainform.h"

#include "wizard/buildrecord.h"

using namespace platform;

namespace wizard {

void TForm1::CollectMidletConfig(assembly::TMIDLETCONFIG& config) {
  GatherMidletConfig(RecordControlValues(), FFontCatalogue, config);
}

RecordControls TForm1::RecordControlValues() const {
  RecordControls c;
  c.PhoneRow = ModelRow() >= 0 && ModelRow() < assembly::kPhoneModelCount ? ModelRow() : 0;
  c.FullVersion = rbFullVersion->Checked();
  c.WithZipSupport = rbWithZIPSupport->Checked();
  c.LiteVersion = rbLiteVersion->Checked();
  // The key layout page sets the box on every visit; before that the model's default stands.
  c.KeysConfig = cbKeysConfig->ItemIndex() >= 0 ? cbKeysConfig->ItemIndex() : Model().DefaultKeys;
  c.JarLimitKB = GetJarLimitKB();
  c.InterfaceLanguage = GetInterfaceLanguage();
  for (int k = 1; k <= 5; ++k) {
    TComboBox* box = FontBoxes[static_cast<std::size_t>(k)];
    FontSlotChoice& slot = c.Fonts[static_cast<std::size_t>(k - 1)];
    slot.ItemIndex = box->ItemIndex();
    if (slot.ItemIndex >= 0 && slot.ItemIndex < box->Items()->Count()) slot.ItemText = (*box->Items())[slot.ItemIndex];
    slot.CustomFile = FFontsPage->CustomFontFile(box->Tag);
    slot.Negative = NegativeBoxes[static_cast<std::size_t>(k)]->Checked();
  }
  c.JSR75Storage = edJSR75Storage->Text();
  c.AdvancedHidden = rbHideAdvancedOptions->Checked();
  c.DisableCrashRecover = cbDisableCrashRecover->Checked();
  c.AlternativeRotation = cbAlternativeRotation->Checked();
  c.BacklightControl = cbBacklightControlMethod->Checked();
  c.BacklightMethod = cboxBacklightControlMethod->ItemIndex();
  c.ForceHeightOn = cbForceHeight->Checked();
  c.ForceHeight = spForceHeight->Value();
  c.DataSizeOn = cbMidletDataSize->Checked();
  c.DataSize = spMidletDataSize->Value();
  c.StoragePathOn = cbStoragePath->Checked();
  c.StoragePath = edStoragePath->Text();
  c.FontPathOn = cbFontPath->Checked();
  c.FontPath = edFontPath->Text();
  c.CustomAttributesOn = cbCustomAttributes->Checked();
  c.CustomAttributes = mmCustomAttributes->Text();
  return c;
}

void TForm1::GetImageConversionParameters(assembly::TImageConversionParameters& params) {
  GatherImageParameters(PictureControlValues(), params);
}

PictureControls TForm1::PictureControlValues() const {
  PictureControls c;
  c.DontInclude = rbDontIncludeImages->Checked();
  c.BlackAndWhite = rbBlackAndWhiteImages->Checked();
  c.Colors16 = rb16ColorsImages->Checked();
  c.Colors64 = rb64ColorsImages->Checked();
  c.Colors256 = rb256ColorsImages->Checked();
  c.ScaleDown = cbScaleDown->Checked();
  c.MaxWidth = spMaxImageWidth->Value();
  c.MaxHeight = spMaxImageHeight->Value();
  c.AdvancedHidden = rbHideAdvancedOptions->Checked();
  c.ColorConversion = rgColorConversion->ItemIndex();
  c.IgnoreSmall = cbIgnoreSmallImages->Checked();
  c.MinWidth = spMinImageWidth->Value();
  c.MinHeight = spMinImageHeight->Value();
  c.IgnoreEmpty = cbIgnoreEmptyImages->Checked();
  c.IgnoreNamesOn = cbIgnoreImagesWithNames->Checked();
  c.IgnoreNames = edIgnoreImagesWithNames->Text();
  return c;
}

std::string TForm1::GetIntroText() { return IntroTextFromMemo(mmIntroText->Text()); }

void TForm1::SetImageColors(uint8_t colors) {
  const std::array<TRadioButton*, 5> buttons = {rbDontIncludeImages, rbBlackAndWhiteImages, rb16ColorsImages,
                                                rb64ColorsImages, rb256ColorsImages};
  for (std::size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetChecked(colors == i);
}

void TForm1::CollectBuildInputs(assembly::BuildInputs& inputs) {
  inputs.Vendor = edVendor->Text();
  inputs.TitleLine1 = edTitleLine1->Text();
  inputs.TitleLine2 = edTitleLine2->Text();
  inputs.LiteVersion = rbLiteVersion->Checked();
  inputs.TinyVersion = rbTinyVersion->Checked();
  inputs.CustomKeysFile = FSettings->KeysLayoutFile();
  inputs.TextFiles = BookFiles();
  inputs.MidletName = edMidletName->Text();
  inputs.BookTitle = edBookTitle->Text();
  inputs.UseCustomHelpFile = cbCustomHelpFile->Checked();
  inputs.CustomHelpFile = edCustomHelpFile->Text();
  inputs.IntroText = GetIntroText();
  GetImageConversionParameters(inputs.ImageParams);
}

}  // namespace wizard
