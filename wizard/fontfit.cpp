#include "wizard/fontfit.h"

#include "assembly/archivecopy.h"
#include "assembly/bookbuild.h"
#include "assembly/booktext.h"
#include "assembly/buildinput.h"
#include "assembly/fullbuild.h"
#include "assembly/tables.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace wizard {

std::optional<int> TrialJarSize(const assembly::BuildContext& context, const assembly::TMIDLETCONFIG& config) {
  const assembly::BuildResult trial =
      config.Edition <= 1
          ? assembly::BuildFullMidlet(context, true, config, "test0000000000000nameqwertyuiop",
                                      "testnameqwertyuiop00000000000000")
          : assembly::BuildBookMidlets(context, true, config, false, "testnameqwertyu0000000000000000000iop");
  if (!trial.Ok()) return std::nullopt;
  return static_cast<int>(std::min<int64_t>(trial.PackedSize(), INT_MAX));
}

namespace {

// The host of the trial builds: a failure already reported by the last failed trial build is
// not shown again (the page measures several times for one change).
class TrialBuildHost : public assembly::BuildHost {
public:
  TrialBuildHost(assembly::BuildHost& host, std::string& lastFault) : host_(host), lastFault_(lastFault) {}
  void ShowMessage(const std::string& text, const std::string& caption, assembly::MessageIcon icon) override {
    Failed = true;
    if (text == lastFault_) return;
    lastFault_ = text;
    host_.ShowMessage(text, caption, icon);
  }
  void ShowComposedMessage(const platform::TMessage& text, const std::string& caption,
                           assembly::MessageIcon icon) override {
    Failed = true;
    if (text.Utf8() == lastFault_) return;
    lastFault_ = text.Utf8();
    host_.ShowComposedMessage(text, caption, icon);
  }
  void RequestTerminate() override { host_.RequestTerminate(); }
  bool Failed = false;

private:
  assembly::BuildHost& host_;
  std::string& lastFault_;
};

}  // namespace

std::optional<int> EstimateJarSize(assembly::BuildHost& host, std::string& lastFault,
                                   const std::function<assembly::BuildContext(assembly::BuildHost&)>& context,
                                   const assembly::TMIDLETCONFIG& config) {
  TrialBuildHost trialHost(host, lastFault);
  const std::optional<int> size = TrialJarSize(context(trialHost), config);
  if (size && !trialHost.Failed) lastFault.clear();
  return size;
}

int JarReserve(bool bookEdition) { return bookEdition ? 2048 : 256; }

bool EstimateFits(std::optional<int> estimate, int reserve, int limit) {
  if (!estimate) return false;
  return int64_t(*estimate) + reserve <= int64_t(limit);
}

FitStepChange ChangeOf(FitStep step) {
  const int s = static_cast<int>(step);
  if (s < 5) return {5 - s, true};
  return {s == 5 ? 5 : s == 6 ? 4 : 2, false};
}

int FitFonts(int limit, int reserve, const std::function<std::optional<int>()>& estimate,
             const std::function<void(FitStep)>& takeStep) {
  std::optional<int> size = estimate();
  if (!size || EstimateFits(size, reserve, limit)) return 0;
  for (int step = 0; step < kFitStepCount; ++step) {
    takeStep(static_cast<FitStep>(step));
    size = estimate();
    if (!size || EstimateFits(size, reserve, limit)) return step + 1;
  }
  return kFitStepCount;
}

namespace {

struct PresetSubstitute {
  const char* Name;
  const char* Hebrew;
  const char* Arabic;
  const char* Greek;  // nullptr: unchanged
};

constexpr PresetSubstitute kSubstitutes[] = {
    {"Tah12", "David12", "Arial16", nullptr},   {"Tah13", "David13", "Arial18", nullptr},
    {"Arial15", "David15", "Arial20", nullptr}, {"6x3", "David12", "Arial16", "Tah12"},
    {"7x5", "David13", "Arial18", "Tah13"},     {"8x5", "David15", "", "Arial15"},
};

constexpr int kHebrew = 3, kArabic = 9, kGreek = 10;

}  // namespace

std::string PresetFontName(const std::string& name, int interfaceLanguage) {
  for (const PresetSubstitute& s : kSubstitutes) {
    if (name != s.Name) continue;
    if (interfaceLanguage == kHebrew) return s.Hebrew;
    if (interfaceLanguage == kArabic) return s.Arabic;
    if (interfaceLanguage == kGreek && s.Greek != nullptr) return s.Greek;
    break;
  }
  return name;
}

int FindPresetItem(const std::vector<std::string>& items, const std::string& name, const std::string& scheme) {
  if (name.empty()) return 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string& item = items[i];
    if (item.find(name) == std::string::npos) continue;
    if (!scheme.empty() && item.find(scheme) == std::string::npos) continue;
    return static_cast<int>(i);
  }
  return 0;
}

std::vector<std::string> CatalogueFontNames(const assembly::TFontCatalogue& catalogue, int group, bool bwOnly) {
  std::vector<std::string> names;
  for (int i = 0; i < catalogue.Count; ++i) {
    const assembly::TFontDesc& d = catalogue.Entries[static_cast<std::size_t>(i)];
    if (d.LanguageGroup != group) continue;
    if (bwOnly && d.FontType != 0) continue;
    names.push_back(d.DisplayName);
  }
  return names;
}

std::vector<std::string> FontSlotItems(const std::string& noneItem, const std::string& customItem,
                                       const assembly::TFontCatalogue& catalogue, int group, bool bwOnly) {
  std::vector<std::string> items = {noneItem, customItem};
  for (std::string& name : CatalogueFontNames(catalogue, group, bwOnly)) items.push_back(std::move(name));
  return items;
}

bool NegativeLockedByCore(std::string_view fontBytes, int core) {
  if (fontBytes.size() < 8 || core < 0 || core >= assembly::kCoreCount) return false;
  const int kind = assembly::GetFontTypeByte(fontBytes) & 0x7F;
  if (kind > 2) return false;
  return assembly::NegativeSetDropTable[static_cast<std::size_t>(kind * assembly::kCoreCount + core)] != 0;
}

bool DecideNegativeBoxes(assembly::BuildHost& host, const assembly::TZipFile& archive,
                         const assembly::TMIDLETCONFIG& config, const std::array<int, 5>& itemIndexes,
                         const std::function<void(int slot, NegativeBox box)>& show) {
  for (int k = 1; k <= 5; ++k) {
    if (itemIndexes[static_cast<std::size_t>(k - 1)] <= 0) {
      show(k, NegativeBox::Cleared);
      continue;
    }
    const std::string& source = config.FontSources[static_cast<std::size_t>(k - 1)];
    if (!source.starts_with("ZIP:")) {
      // A custom font file that went away after it was chosen: the program cannot go on.
      std::string bytes;
      if (!assembly::LoadFileToString(host, source, bytes)) return false;
    }
    bool locked = false;
    try {
      locked = NegativeLockedByCore(assembly::GetFontData(archive, config, k), config.Core);
    } catch (const assembly::EBuildError& e) {
      // A custom font file that went away or is damaged: the program cannot go on with it.
      assembly::ReportBuildError(host, e);
      host.RequestTerminate();
      return false;
    }
    show(k, locked ? NegativeBox::Locked : NegativeBox::Free);
  }
  return true;
}

}  // namespace wizard
