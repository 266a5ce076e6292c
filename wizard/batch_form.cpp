// Starting a build from the build page, and the batch builds: all versions of the full
// edition, the book midlets for every model of a phone list file, and the deploy set.
#include "platform/ui/opendialog.h"
#include "wizard/mainform.h"

#include "assembly/archivecopy.h"
#include "assembly/bookbuild.h"
#include "assembly/fullbuild.h"
#include "assembly/phonelist.h"
#include "assembly/phones.h"
#include "assembly/sanitisers.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "platform/system/codepage.h"
#include "platform/system/wholefile.h"
#include "platform/ui/application.h"
#include "wizard/batchnames.h"
#include "wizard/batchplan.h"
#include "wizard/batchrun.h"
#include "wizard/buildrecord.h"

#include <functional>
#include <optional>

using namespace platform;

namespace wizard {

namespace {

// Writes a batch report; false (and the reason shown) when it cannot be written.
bool WriteReport(assembly::BuildHost& form, const std::string& fileName, const std::string& text) {
  try {
    platform::WriteWholeFile(fileName, text);
    return true;
  } catch (const platform::EFileError& e) {
    form.ShowComposedMessage(e.Message(), "Error", assembly::MessageIcon::Error);
    return false;
  }
}

// Runs a batch and then shows the values it left in the controls, also when it throws.
bool RunThenShow(const std::function<bool()>& run, const std::function<void()>& show) {
  bool ok = false;
  try {
    ok = run();
  } catch (...) {
    show();
    throw;
  }
  show();
  return ok;
}

}  // namespace

assembly::BuildContext TForm1::MakeBuildContext(const assembly::BuildInputs& inputs, assembly::BuildHost* trialHost) {
  if (trialHost) return {*FResArchive, *trialHost, inputs, ProgramTexts(), nullptr, JarCache()};
  return {*FResArchive, *this, inputs, ProgramTexts(), &FJarLimitWarned, JarCache()};
}

bool TForm1::StartBuild() {
  if (!ArchiveLoaded()) return false;
  const bool full = rbFullVersion->Checked();
  SaveDialog->SetFilter("*.*");
  SaveDialog->SetOptions(SaveDialog->Options() | ofOverwritePrompt | ofPathMustExist | ofNoChangeDir);
  if (!full && !IsListRow()) {
    const std::vector<std::string> files = BookFiles();
    SaveDialog->SetFileName(BookJadProposal(files.empty() ? std::string() : files.front(), edMidletName->Text()));
    if (!SaveDialog->Execute()) return false;
    assembly::TMIDLETCONFIG config;
    CollectMidletConfig(config);
    assembly::BuildInputs inputs;
    CollectBuildInputs(inputs);
    const assembly::BuildContext context = MakeBuildContext(inputs);
    return assembly::BuildBookMidlets(context, false, config, true,
                                      BaseFromChosenFile(SaveDialog->FileName(), kFallbackMidletName))
        .Ok();
  }
  if (!full) {
    SaveDialog->SetFileName("Versions list.txt");
    if (!SaveDialog->Execute()) return false;
    return BuildFromPhonesList(FolderOfChosenFile(SaveDialog->FileName()));
  }
  if (!IsListRow()) {
    SaveDialog->SetFileName("Tomefalcon.jad");
    if (!SaveDialog->Execute()) return false;
    assembly::TMIDLETCONFIG config;
    CollectMidletConfig(config);
    assembly::BuildInputs inputs;
    CollectBuildInputs(inputs);
    const assembly::BuildContext context = MakeBuildContext(inputs);
    const std::string base = BaseFromChosenFile(SaveDialog->FileName());
    return assembly::BuildFullMidlet(context, false, config, assembly::ExtractNameOnly(base) + ".jar", base).Ok();
  }
  SaveDialog->SetFileName("Version differences.txt");
  if (!SaveDialog->Execute()) return false;
  return BuildAllVersions(FolderOfChosenFile(SaveDialog->FileName()));
}

void TForm1::SelectModelByCore(uint8_t core, bool smallest) {
  const ModelChoice m = FindModelByCore(core, smallest);
  cbPhoneModel->SetItemIndex(m.Row);
  spJARLimit->SetValue(m.JarLimitKB);
}

BatchEnvironment TForm1::MakeBatchEnvironment() {
  return {*this,
          *FResArchive,
          FFontCatalogue,
          Text("NoneFont"),
          Text("CustomFont"),
          [this](const assembly::BuildInputs& inputs, assembly::BuildHost* trialHost) {
            return MakeBuildContext(inputs, trialHost);
          },
          [] { return Application().Terminated(); },
          FTrialBuildFault};
}

BatchControls TForm1::BatchControlValues() const { return {RecordControlValues(), PictureControlValues()}; }

// The controls as the batch set them for its last variant.
void TForm1::ShowFullVariant(const FullVariant& variant, const BatchControls& values) {
  const TUpdatingScope updating(FUpdating);
  if (variant.Zip == 1) rbWithZIPSupport->SetChecked(true);
  else rbWithoutZIPSupport->SetChecked(true);
  SelectModelByCore(static_cast<uint8_t>(variant.Core), variant.Zip != 1);
  SetInterfaceLanguage(static_cast<uint8_t>(variant.Language));
  cbKeysConfig->SetItemIndex(assembly::DefaultKeysByCore[static_cast<std::size_t>(variant.Core)]);
  FFontsPage->ShowVariant(values.Record.Fonts);
  rbHideAdvancedOptions->SetChecked(true);
  rbShowAdvancedOptions->SetChecked(false);
  ShowAdvancedValues(values);
}

// The controls as the batch set them for its last model.
void TForm1::ShowListEntry(const assembly::TPhonesListEntry& entry, const BatchControls& values) {
  const TUpdatingScope updating(FUpdating);
  cbPhoneModel->SetItemIndex(entry.Row);
  cbKeysConfig->SetItemIndex(entry.KeysConfig);
  spJARLimit->SetValue(entry.JarLimitKB);
  ShowAdvancedValues(values);
  cbScaleDown->SetChecked(true);
  spMaxImageWidth->SetValue(entry.MaxWidth);
  spMaxImageHeight->SetValue(entry.MaxHeight);
  SetImageColors(entry.Quality);
}

bool TForm1::BuildAllVersions(const std::string& folder) {
  bool ok = false;
  {
    assembly::DisabledWindow disabled(*this);
    BuildStatusLabel->SetCaption(Text("GeneratingMidlets"));
    ProcessMessages();
    const std::vector<FullVariant> variants = FullVariants();
    BuildProgressGauge->SetMax(static_cast<int>(variants.size()));  // one step per build
    std::string differences;
    try {
      differences = assembly::ReadArchiveEntry(*FResArchive, "Doc\\English\\Version Differences.txt");
    } catch (const assembly::EBuildError& e) {
      assembly::ReportBuildError(*this, e);
      return false;
    }
    if (WriteReport(*this, folder + "Version differences.txt", differences)) {
      assembly::BuildInputs inputs;
      CollectBuildInputs(inputs);
      BatchControls values = BatchControlValues();
      std::size_t last = 0;
      ok = RunThenShow(
          [&] {
            return RunAllVersions(MakeBatchEnvironment(), folder, inputs, values, [&](std::size_t i) {
              last = i;
              BuildProgressGauge->SetPosition(static_cast<int>(i));
              ProcessMessages();
            });
          },
          [&] { ShowFullVariant(variants[last], values); });
      if (ok) BuildProgressGauge->SetPosition(BuildProgressGauge->Max());
    }
  }
  cbPhoneModel->SetItemIndex(cbPhoneModel->Items()->Count() - 1);
  return ok;
}

bool TForm1::BuildDeployVersions(const std::string& prefix, const std::string& only) {
  if (!ArchiveLoaded()) return false;
  const std::vector<FullVariant> variants = DeployVariants(only);
  if (variants.empty()) {
    Message(UnknownVariantText(only), "Error", TMsgIcon::Error);
    return false;
  }
  assembly::BuildInputs inputs;
  CollectBuildInputs(inputs);
  BatchControls values = BatchControlValues();
  std::size_t last = 0;
  const bool ok = RunThenShow(
      [&] {
        return RunDeployVersions(MakeBatchEnvironment(), variants, prefix, inputs, values,
                                 [&](std::size_t i) { last = i; });
      },
      [&] { ShowFullVariant(variants[last], values); });
  return ok;
}

bool TForm1::BuildFromPhonesList(const std::string& folder) {
  assembly::TPHONESLIST list;
  // A list with errors has been reported and the program ends: nothing is built from it.
  if (!assembly::LoadPhonesList(*this, FSettings->PhonesListFile(), list)) return false;

  tcAdvancedOptions->SetVisible(false);
  ClickFinishLabel->SetVisible(false);
  BuildProgressGroup->SetVisible(true);
  // The window stays disabled from the first model to the report, so it cannot be closed
  // while the batch goes on.
  assembly::DisabledWindow disabled(*this);
  BuildProgressGauge->SetMax(static_cast<int>(list.size()) + 1);

  const std::vector<std::string> files = BookFiles();
  const std::string name = BatchMidletName(files.empty() ? std::string() : files.front());

  std::string report;
  assembly::BuildInputs inputs;
  CollectBuildInputs(inputs);
  BatchControls values = BatchControlValues();
  std::optional<std::size_t> last;
  bool ok = RunThenShow(
      [&] {
        return RunPhonesList(MakeBatchEnvironment(), list, folder, name, inputs, values, report, [&](std::size_t i) {
          last = i;
          BuildProgressGauge->SetPosition(static_cast<int>(i));
          ProcessMessages();
        });
      },
      [&] {
        if (last) ShowListEntry(list[*last], values);
      });
  // Only a batch that completed describes its folders; a failed one leaves the last report.
  if (ok) ok = WriteReport(*this, folder + "Versions list.txt", report);
  cbPhoneModel->SetItemIndex(cbPhoneModel->Items()->Count() - 1);
  return ok;
}

}  // namespace wizard
