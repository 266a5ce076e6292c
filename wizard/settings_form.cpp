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

bool TForm1::SaveSettings(std::string* reason) {
  return FSettings->Save(IsListRow() && rbFullVersion->Checked(), !rbHideAdvancedOptions->Checked(), reason);
}

void TForm1::LoadAdvancedOptions() {
  ResetAdvancedOptions();
  FSettings->RestoreAdvanced();
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
