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
#include "wizard/batchnames.h"
#include "wizard/batchplan.h"
#include "wizard/buildrecord.h"

using namespace platform;

namespace wizard {

namespace {

// Writes a batch report; false (and the reason shown) when it cannot be written.
bool WriteReport(assembly::BuildHost& form, const std::string& fileName, const std::string& text) {
  try {
    platform::WriteWholeFile(fileName, text);
    return true;
  } catch (const platform::EFileError& e) {
    form.ShowMessage(e.what(), "Error", assembly::MessageIcon::Error);
    return false;
  }
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

// Sets the controls for one full edition variant as a user would, and gathers its record.
void TForm1::PrepareFullVariant(int core, int zip, int language, assembly::TMIDLETCONFIG& config) {
  if (zip == 1) {
    rbWithZIPSupport->SetChecked(true);
    SelectModelByCore(static_cast<uint8_t>(core), false);
  } else {
    rbWithoutZIPSupport->SetChecked(true);
    SelectModelByCore(static_cast<uint8_t>(core), true);
  }
  SetInterfaceLanguage(static_cast<uint8_t>(language));
  cbKeysConfig->SetItemIndex(assembly::DefaultKeysByCore[static_cast<std::size_t>(core)]);
  FResetFonts = true;
  LoadFontsPage(false);
  rbHideAdvancedOptions->SetChecked(true);
  rbShowAdvancedOptions->SetChecked(false);
  ResetAdvancedOptions();
  CollectMidletConfig(config);
}

// Sets the controls for one model of a phone list as a user would, and gathers its record.
void TForm1::PrepareListEntry(const assembly::TPhonesListEntry& entry, assembly::TMIDLETCONFIG& config) {
  cbPhoneModel->SetItemIndex(entry.Row);
  cbKeysConfig->SetItemIndex(entry.KeysConfig);
  spJARLimit->SetValue(entry.JarLimitKB);
  ResetAdvancedOptions();
  cbScaleDown->SetChecked(true);
  spMaxImageWidth->SetValue(entry.MaxWidth);
  spMaxImageHeight->SetValue(entry.MaxHeight);
  SetImageColors(entry.Quality);
  CollectMidletConfig(config);
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
      ok = BuildInTurn(variants.size(), [&](std::size_t i) {
        const FullVariant& v = variants[i];
        BuildProgressGauge->SetPosition(static_cast<int>(i));
        ProcessMessages();
        assembly::TMIDLETCONFIG config;
        PrepareFullVariant(v.Core, v.Zip, v.Language, config);
        CollectBuildInputs(inputs);
        const std::string dir = AllVersionsFolder(folder, v.Core, v.Zip, v.Language);
        assembly::ForceDirs(dir + "Tomefalcon.jad");
        return assembly::BuildFullMidlet(MakeBuildContext(inputs), false, config, "Tomefalcon.jar", dir + "Tomefalcon")
            .Ok();
      });
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
    Message("No variant is named \"" + only + "\".", "Error", TMsgIcon::Error);
    return false;
  }
  assembly::BuildInputs inputs;
  return BuildInTurn(variants.size(), [&](std::size_t i) {
    const FullVariant& v = variants[i];
    const std::string name = DeployName(v.Core, v.Zip, v.Language);
    assembly::TMIDLETCONFIG config;
    PrepareFullVariant(v.Core, v.Zip, v.Language, config);
    ApplyDeployRecord(config);
    CollectBuildInputs(inputs);
    return assembly::BuildFullMidlet(MakeBuildContext(inputs), false, config, kDeployDownloadBase + name + ".jar",
                                     prefix + name)
        .Ok();
  });
}

bool TForm1::BuildFromPhonesList(const std::string& folder) {
  assembly::TPHONESLIST list;
  // A list with errors has been reported and the program ends: nothing is built from it.
  if (!assembly::LoadPhonesList(*this, FPhonesListFile, list)) return false;

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
  bool ok = BuildInTurn(list.size(), [&](std::size_t i) {
    const assembly::TPhonesListEntry& entry = list[i];
    BuildProgressGauge->SetPosition(static_cast<int>(i));
    ProcessMessages();
    assembly::TMIDLETCONFIG config;
    PrepareListEntry(entry, config);
    CollectBuildInputs(inputs);
    const std::string dir = folder + std::to_string(i + 1) + "/";
    assembly::ForceDirs(dir);
    if (!assembly::BuildBookMidlets(MakeBuildContext(inputs), false, config, false, dir + name).Ok()) return false;
    report += VersionsListLine(static_cast<int>(i), entry, GetInterfaceLanguage());
    return true;
  });
  // Only a batch that completed describes its folders; a failed one leaves the last report.
  if (ok) ok = WriteReport(*this, folder + "Versions list.txt", report);
  cbPhoneModel->SetItemIndex(cbPhoneModel->Items()->Count() - 1);
  return ok;
}

}  // namespace wizard
