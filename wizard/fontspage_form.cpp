// The fonts page's part of the window: making the page, its handlers, and the JAR size
// estimate by a trial build.
#include "platform/ui/combobox.h"
#include "platform/ui/popupmenu.h"
#include "wizard/mainform.h"

#include "assembly/fullbuild.h"
#include "platform/ui/application.h"
#include "wizard/fontfit.h"

#include <QCursor>

using namespace platform;

namespace wizard {

int32_t TForm1::GetJarLimitKB() const { return spJARLimit->Value(); }

void TForm1::SetUpFontsPage() {
  TFontsPage::TControls controls{
      FontBoxes,
      NegativeBoxes,
      spJARLimit,
      JarLimitLabel,
      JarSizeLabel,
      {BlackandWhitefontspack1, Bluefonstpack1, Yellowfontspacks1, ClearTypeFontsPack1, Anitaliazedfontspack1},
      FontOpenDialog};
  FFontsPage = std::make_unique<TFontsPage>(
      controls,
      TFontsPage::TWindow{*this, FFontCatalogue, *FSettings, FUpdating,
                          [this]() -> const assembly::TZipFile& { return *FResArchive; }, [this] { return Settings(); },
                          [this] { return GetInterfaceLanguage(); }, [this] { return Model().BlackAndWhite != 0; },
                          [this] { return !rbFullVersion->Checked(); },
                          [this] {
                            assembly::TMIDLETCONFIG config;
                            CollectMidletConfig(config);
                            return config;
                          },
                          [this] { return EstimateJarSize(); }});
}

void TForm1::cbFont1Change(TObject* sender) {
  if (auto* box = dynamic_cast<TComboBox*>(sender)) FFontsPage->ChangeSlot(box);
}

void TForm1::BitBtn1Click(TObject* /*sender*/) {
  const QPoint at = QCursor::pos();
  PopupMenu1->Popup(at.x(), at.y());
}

void TForm1::FontPackClick(TObject* sender) { FFontsPage->ApplyPack(sender); }

void TForm1::Nofonts1Click(TObject* /*sender*/) { FFontsPage->ClearFaceSlots(); }

void TForm1::cbNegative1Click(TObject* /*sender*/) {
  if (!FUpdating) FFontsPage->ShowJarSizeLabel();
}

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

assembly::TJarCache* TForm1::JarCache() {
  if (!FJarCache) FJarCache = std::make_shared<assembly::TJarCache>();
  return FJarCache.get();
}

}  // namespace wizard
