// Stand-ins for the settings, fonts page, build record and build operations of the main
// window until their own files define them. Remove each stand-in with its real body.
#include "wizard/mainform.h"

using namespace platform;

namespace wizard {

void TForm1::SaveSettings() {}
void TForm1::SaveAdvancedOptions() {}
void TForm1::LoadAdvancedOptions() { ResetAdvancedOptions(); }
void TForm1::ResetAdvancedOptions() {}

void TForm1::LoadFontsPage(bool /*restore*/) {}
void TForm1::FillFontCombo(TComboBox* /*box*/, uint8_t /*group*/, bool /*bw_only*/) {}
void TForm1::ApplyFontPreset(const std::string& /*scheme*/) {}
void TForm1::ApplyFacePreset(const std::string& /*scheme*/) {}
void TForm1::SelectFontInSlot(TComboBox* /*box*/, const std::string& /*name*/, const std::string& /*scheme*/) {}
void TForm1::UpdateNegativeBoxes() {}
void TForm1::HandleFontSlotChange(TComboBox* /*box*/) {}
int32_t TForm1::GetJarLimitKB() const { return spJARLimit->Value(); }
void TForm1::cbFont1Change(TObject* /*sender*/) {}
void TForm1::BitBtn1Click(TObject* /*sender*/) {}
void TForm1::BlackandWhitefontspack1Click(TObject* /*sender*/) {}
void TForm1::Bluefonstpack1Click(TObject* /*sender*/) {}
void TForm1::Yellowfontspacks1Click(TObject* /*sender*/) {}
void TForm1::ClearTypeFontsPack1Click(TObject* /*sender*/) {}
void TForm1::Anitaliazedfontspack1Click(TObject* /*sender*/) {}
void TForm1::Nofonts1Click(TObject* /*sender*/) {}

int32_t TForm1::EstimateJarSize() { return 0; }
int32_t TForm1::GetJarReserve() const { return rbFullVersion->Checked() ? 256 : 2048; }
bool TForm1::FontsFitJarLimit() { return true; }
int32_t TForm1::GetMaxMidletSize() { return GetJarLimitKB() * 1024 - GetJarReserve(); }
void TForm1::FitFontsToJarLimit() {}
void TForm1::ShowJarSizeLabel() {}
void TForm1::cbNegative1Click(TObject* /*sender*/) {}

void TForm1::CollectMidletConfig(assembly::TMIDLETCONFIG& /*config*/) {}
void TForm1::GetImageConversionParameters(assembly::TImageConversionParameters& /*params*/) {}
std::string TForm1::GetIntroText() { return {}; }
void TForm1::SetImageColors(uint8_t /*colors*/) {}
void TForm1::CollectBuildInputs(assembly::BuildInputs& /*inputs*/) {}

bool TForm1::StartBuild() { return false; }
void TForm1::SelectModelByCore(uint8_t /*core*/, bool /*smallest*/) {}
void TForm1::BuildAllVersions(const std::string& /*folder*/) {}
void TForm1::BuildDeployVersions(const std::string& /*prefix*/, const std::string& /*only*/) {}
void TForm1::BuildFromPhonesList(const std::string& /*folder*/) {}

}  // namespace wizard
