// Starting a build from the build page, and the batch builds: all versions of the full
// edition, the book midlets for every model of a phone list file, and the deploy set.
#include "wizard/mainform.h"

#include "assembly/archivecopy.h"
#include "assembly/bookbuild.h"
#include "assembly/fullbuild.h"
#include "assembly/phonelist.h"
#include "assembly/phones.h"
#include "assembly/sanitisers.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "platform/codepage.h"
#include "platform/wholefile.h"
#include "wizard/batchnames.h"
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
    const assembly::BuildContext context{*FResArchive, *this, inputs, ProgramTexts(), &FJarLimitWarned, JarCache()};
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
    const assembly::BuildContext context{*FResArchive, *this, inputs, ProgramTexts(), &FJarLimitWarned, JarCache()};
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

bool TForm1::BuildAllVersions(const std::string& folder) {
  bool ok = false;
  {
    assembly::DisabledWindow disabled(*this);
    BuildStatusLabel->SetCaption(Text("GeneratingMidlets"));
    ProcessMessages();
    BuildProgressGauge->SetMax(assembly::kCoreCount * 2 * assembly::kLanguageCount);  // one step per build
    std::string differences;
    try {
      differences = assembly::ReadArchiveEntry(*FResArchive, "Doc\\English\\Version Differences.txt");
    } catch (const assembly::EBuildError& e) {
      assembly::ReportBuildError(*this, e);
      return false;
    }
    if (WriteReport(*this, folder + "Version differences.txt", differences)) {
      assembly::BuildInputs inputs;
      bool failed = false;
      for (int core = 0; core < assembly::kCoreCount && !failed; ++core) {
        for (int zip = 0; zip <= 1 && !failed; ++zip) {
          for (int language = 0; language < assembly::kLanguageCount && !failed; ++language) {
            BuildProgressGauge->SetPosition((core * 2 + zip) * assembly::kLanguageCount + language);
            ProcessMessages();
            assembly::TMIDLETCONFIG config;
            PrepareFullVariant(core, zip, language, config);
            CollectBuildInputs(inputs);
            const std::string dir = AllVersionsFolder(folder, core, zip, language);
            assembly::ForceDirs(dir + "Tomefalcon.jad");
            const assembly::BuildContext context{*FResArchive,     *this,     inputs, ProgramTexts(),
                                                 &FJarLimitWarned, JarCache()};
            // One failing variant would fail the same way hundreds of times: stop at the first.
            failed = !assembly::BuildFullMidlet(context, false, config, "Tomefalcon.jar", dir + "Tomefalcon").Ok();
          }
        }
      }
      ok = !failed;
      if (ok) BuildProgressGauge->SetPosition(BuildProgressGauge->Max());
    }
  }
  cbPhoneModel->SetItemIndex(cbPhoneModel->Items()->Count() - 1);
  return ok;
}

bool TForm1::BuildDeployVersions(const std::string& prefix, const std::string& only) {
  if (!ArchiveLoaded()) return false;
  bool matched = false;
  assembly::BuildInputs inputs;
  for (int core = 0; core < assembly::kCoreCount; ++core) {
    for (int zip = 0; zip <= 1; ++zip) {
      for (int language = 0; language < assembly::kLanguageCount; ++language) {
        const std::string name = DeployName(core, zip, language);
        if (!only.empty() && !SameText(name, only)) continue;
        matched = true;
        assembly::TMIDLETCONFIG config;
        PrepareFullVariant(core, zip, language, config);
        config.ForceHeight = 0;
        config.AlternativeRotation = 0;
        config.LightControl = 0;
        CollectBuildInputs(inputs);
        const assembly::BuildContext context{*FResArchive, *this, inputs, ProgramTexts(), &FJarLimitWarned, JarCache()};
        if (!assembly::BuildFullMidlet(context, false, config, kDeployDownloadBase + name + ".jar", prefix + name).Ok())
          return false;  // stop at the first failing build
      }
    }
  }
  if (!matched) Message("No variant is named \"" + only + "\".", "Error", TMsgIcon::Error);
  return matched;
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
  bool ok = true;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const assembly::TPhonesListEntry& entry = list[i];
    BuildProgressGauge->SetPosition(static_cast<int>(i));
    ProcessMessages();
    cbPhoneModel->SetItemIndex(entry.Row);
    cbKeysConfig->SetItemIndex(entry.KeysConfig);
    spJARLimit->SetValue(entry.JarLimitKB);
    ResetAdvancedOptions();
    cbScaleDown->SetChecked(true);
    spMaxImageWidth->SetValue(entry.MaxWidth);
    spMaxImageHeight->SetValue(entry.MaxHeight);
    SetImageColors(entry.Quality);
    assembly::TMIDLETCONFIG config;
    CollectMidletConfig(config);
    CollectBuildInputs(inputs);
    const std::string dir = folder + std::to_string(i + 1) + "/";
    assembly::ForceDirs(dir);
    const assembly::BuildContext context{*FResArchive, *this, inputs, ProgramTexts(), &FJarLimitWarned, JarCache()};
    if (!assembly::BuildBookMidlets(context, false, config, false, dir + name).Ok()) {
      ok = false;
      break;  // stop at the first failure
    }
    report += VersionsListLine(static_cast<int>(i), entry, GetInterfaceLanguage());
  }
  // Only a batch that completed describes its folders; a failed one leaves the last report.
  if (ok) ok = WriteReport(*this, folder + "Versions list.txt", report);
  cbPhoneModel->SetItemIndex(cbPhoneModel->Items()->Count() - 1);
  return ok;
}

}  // namespace wizard
