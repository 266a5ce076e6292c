#include "wizard/batchrun.h"

#include "assembly/bookbuild.h"
#include "assembly/fullbuild.h"
#include "assembly/phones.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "wizard/batchnames.h"
#include "wizard/fontfit.h"

#include <array>

namespace wizard {

using assembly::BuildInputs;
using assembly::TMIDLETCONFIG;

namespace {

const assembly::TPhoneListItem& RowOf(const RecordControls& record) {
  return assembly::PhoneTable.at(static_cast<std::size_t>(record.PhoneRow));
}

// The model row a batch selects; the window falls back to row 0 for no selection.
void SelectRow(RecordControls& record, int row) {
  record.PhoneRow = row >= 0 && row < assembly::kPhoneModelCount ? row : 0;
}

// The key layout box's item; an item it does not have leaves the model's default.
void SelectKeys(RecordControls& record, int keys) {
  const bool listed = keys >= 0 && keys < static_cast<int>(assembly::KeysConfigNames.size());
  record.KeysConfig = listed ? keys : RowOf(record).DefaultKeys;
}

}  // namespace

void ResetAdvancedValues(BatchControls& controls) {
  RecordControls& r = controls.Record;
  const assembly::TPhoneListItem& row = RowOf(r);
  const int core = row.Core;
  r.DisableCrashRecover = false;
  r.AlternativeRotation = row.AlternativeRotation != 0;
  r.ForceHeightOn = row.ForceHeight != 0;
  if (r.ForceHeightOn) r.ForceHeight = kForceHeightRange.Clamp(row.ForceHeight);
  r.DataSizeOn =
      row.MidletDataSize != 0 && assembly::DataSizeByCore[static_cast<std::size_t>(core)] == 1 && r.FullVersion;
  if (r.DataSizeOn) r.DataSize = kDataSizeRange.Clamp(row.MidletDataSize);
  r.StoragePathOn = core == 0;
  r.StoragePath = DefaultStoragePath(core);
  r.FontPathOn = core == 0 || core == 1;
  r.FontPath = DefaultFontPath(core);
  r.CustomAttributesOn = false;
  r.CustomAttributes.clear();
  r.BacklightControl = row.LightControlMethod != -1;
  if (r.BacklightControl)
    r.BacklightMethod =
        row.LightControlMethod >= 0 && row.LightControlMethod < kBacklightMethodCount ? row.LightControlMethod : -1;

  PictureControls& p = controls.Pictures;
  p.ColorConversion = 1;
  p.IgnoreNamesOn = true;
  p.IgnoreNames = kDefaultIgnoreNames;
  p.IgnoreEmpty = true;
  p.IgnoreSmall = true;
  p.MinWidth = 8;
  p.MinHeight = 8;
}

void SetImageColorValues(PictureControls& pictures, int colors) {
  pictures.DontInclude = colors == 0;
  pictures.BlackAndWhite = colors == 1;
  pictures.Colors16 = colors == 2;
  pictures.Colors64 = colors == 3;
  pictures.Colors256 = colors == 4;
}

void GatherBatchRecord(const BatchControls& controls, const assembly::TFontCatalogue& catalogue, BuildInputs& inputs,
                       TMIDLETCONFIG& config) {
  GatherMidletConfig(controls.Record, catalogue, config);
  GatherImageParameters(controls.Pictures, inputs.ImageParams);
}

namespace {

// The fonts page of a variant while it is set up and fitted: the trial builds see the
// controls as they are at each step, as the window's do.
class VariantFonts {
public:
  VariantFonts(const BatchEnvironment& env, const BuildInputs& inputs, BatchControls& controls)
      : env_(env), inputs_(inputs), controls_(controls) {}

  // Every slot from the black-and-white preset, every negative on, then the negatives the
  // core decides, and the fit to the JAR limit.
  void SetUpAndFit() {
    const RecordControls& r = controls_.Record;
    const int group = assembly::FontGroupByLanguage[r.InterfaceLanguage];
    items_ = FontSlotItems(env_.NoneFontItem, env_.CustomFontItem, env_.Catalogue, group, RowOf(r).BlackAndWhite != 0);
    for (FontSlotChoice& slot : controls_.Record.Fonts) slot.Negative = true;
    const std::array<const char*, 5> presetNames = {"5x3", "6x3", "6x4", "7x5", "8x5"};
    for (std::size_t i = 0; i < presetNames.size(); ++i)
      Select(i, FindPresetItem(items_, PresetFontName(presetNames[i], r.InterfaceLanguage), "BW"));
    DecideNegatives();
    Estimate();  // the JAR size label
    TMIDLETCONFIG config;
    Gather(config);
    FitFonts(
        config.JarLimit, JarReserve(!r.FullVersion), [this] { return Estimate(); },
        [this](FitStep step) { Take(step); });
    DecideNegatives();
    Estimate();
  }

private:
  void Select(std::size_t slot, int item) {
    FontSlotChoice& choice = controls_.Record.Fonts[slot];
    choice.ItemIndex = item;
    choice.ItemText =
        item >= 0 && item < static_cast<int>(items_.size()) ? items_[static_cast<std::size_t>(item)] : std::string();
  }

  void Take(FitStep step) {
    const FitStepChange change = ChangeOf(step);
    const std::size_t slot = static_cast<std::size_t>(change.Slot - 1);
    if (change.Negative) controls_.Record.Fonts[slot].Negative = false;
    else Select(slot, 0);
  }

  void Gather(TMIDLETCONFIG& config) {
    BuildInputs inputs = inputs_;
    GatherBatchRecord(controls_, env_.Catalogue, inputs, config);
  }

  void DecideNegatives() {
    if (env_.Ending()) return;
    TMIDLETCONFIG config;
    Gather(config);
    std::array<int, 5> shown{};
    for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = controls_.Record.Fonts[i].ItemIndex;
    DecideNegativeBoxes(env_.Host, env_.Archive, config, shown, [this](int slot, NegativeBox box) {
      if (box != NegativeBox::Free)
        controls_.Record.Fonts[static_cast<std::size_t>(slot - 1)].Negative = box == NegativeBox::Locked;
    });
  }

  std::optional<int> Estimate() {
    if (env_.Ending()) return std::nullopt;
    TMIDLETCONFIG config;
    BuildInputs inputs = inputs_;
    GatherBatchRecord(controls_, env_.Catalogue, inputs, config);
    return EstimateJarSize(
        env_.Host, env_.LastTrialFault, [&](assembly::BuildHost& host) { return env_.Context(inputs, &host); }, config);
  }

  const BatchEnvironment& env_;
  const BuildInputs& inputs_;
  BatchControls& controls_;
  std::vector<std::string> items_;
};

}  // namespace

void PrepareFullVariant(const BatchEnvironment& env, const FullVariant& variant, const BuildInputs& inputs,
                        BatchControls& controls) {
  RecordControls& r = controls.Record;
  r.WithZipSupport = variant.Zip == 1;
  const ModelChoice model = FindModelByCore(variant.Core, variant.Zip != 1);
  SelectRow(r, model.Row);
  r.JarLimitKB = kJarLimitRange.Clamp(model.JarLimitKB);
  r.InterfaceLanguage = static_cast<uint8_t>(variant.Language);
  SelectKeys(r, assembly::DefaultKeysByCore[static_cast<std::size_t>(variant.Core)]);
  VariantFonts(env, inputs, controls).SetUpAndFit();
  r.AdvancedHidden = true;
  ResetAdvancedValues(controls);
}

void PrepareListEntry(const assembly::TPhonesListEntry& entry, BatchControls& controls) {
  RecordControls& r = controls.Record;
  SelectRow(r, entry.Row);
  SelectKeys(r, entry.KeysConfig);
  r.JarLimitKB = kJarLimitRange.Clamp(entry.JarLimitKB);
  ResetAdvancedValues(controls);
  PictureControls& p = controls.Pictures;
  p.ScaleDown = true;
  p.MaxWidth = kImageSizeRange.Clamp(entry.MaxWidth);
  p.MaxHeight = kImageSizeRange.Clamp(entry.MaxHeight);
  SetImageColorValues(p, entry.Quality);
}

bool RunAllVersions(const BatchEnvironment& env, const std::string& folder, const BuildInputs& inputs,
                    BatchControls& controls, const std::function<void(std::size_t)>& showStep) {
  const std::vector<FullVariant> variants = FullVariants();
  return BuildInTurn(variants.size(), [&](std::size_t i) {
    const FullVariant& v = variants[i];
    showStep(i);
    PrepareFullVariant(env, v, inputs, controls);
    BuildInputs variantInputs = inputs;
    TMIDLETCONFIG config;
    GatherBatchRecord(controls, env.Catalogue, variantInputs, config);
    const std::string dir = AllVersionsFolder(folder, v.Core, v.Zip, v.Language);
    assembly::ForceDirs(dir + "Tomefalcon.jad");
    return assembly::BuildFullMidlet(env.Context(variantInputs, nullptr), false, config, "Tomefalcon.jar",
                                     dir + "Tomefalcon")
        .Ok();
  });
}

bool RunDeployVersions(const BatchEnvironment& env, const std::vector<FullVariant>& variants, const std::string& prefix,
                       const BuildInputs& inputs, BatchControls& controls,
                       const std::function<void(std::size_t)>& showStep) {
  return BuildInTurn(variants.size(), [&](std::size_t i) {
    const FullVariant& v = variants[i];
    const std::string name = DeployName(v.Core, v.Zip, v.Language);
    showStep(i);
    PrepareFullVariant(env, v, inputs, controls);
    BuildInputs variantInputs = inputs;
    TMIDLETCONFIG config;
    GatherBatchRecord(controls, env.Catalogue, variantInputs, config);
    ApplyDeployRecord(config);
    return assembly::BuildFullMidlet(env.Context(variantInputs, nullptr), false, config,
                                     kDeployDownloadBase + name + ".jar", prefix + name)
        .Ok();
  });
}

bool RunPhonesList(const BatchEnvironment& env, const assembly::TPHONESLIST& list, const std::string& folder,
                   const std::string& name, const BuildInputs& inputs, BatchControls& controls, std::string& report,
                   const std::function<void(std::size_t)>& showStep) {
  return BuildInTurn(list.size(), [&](std::size_t i) {
    const assembly::TPhonesListEntry& entry = list[i];
    showStep(i);
    PrepareListEntry(entry, controls);
    BuildInputs entryInputs = inputs;
    TMIDLETCONFIG config;
    GatherBatchRecord(controls, env.Catalogue, entryInputs, config);
    const std::string dir = folder + std::to_string(i + 1) + "/";
    assembly::ForceDirs(dir);
    if (!assembly::BuildBookMidlets(env.Context(entryInputs, nullptr), false, config, false, dir + name).Ok())
      return false;
    report += VersionsListLine(static_cast<int>(i), entry, controls.Record.InterfaceLanguage);
    return true;
  });
}

}  // namespace wizard
