#include "wizard/fontfit.h"

#include "assembly/bookbuild.h"
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

int JarReserve(bool bookEdition) { return bookEdition ? 2048 : 256; }

bool EstimateFits(std::optional<int> estimate, int reserve, int limit) {
  if (!estimate) return false;
  return int64_t(*estimate) + reserve <= int64_t(limit);
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
  const char* name;
  const char* hebrew;
  const char* arabic;
  const char* greek;  // nullptr: unchanged
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
    if (name != s.name) continue;
    if (interfaceLanguage == kHebrew) return s.hebrew;
    if (interfaceLanguage == kArabic) return s.arabic;
    if (interfaceLanguage == kGreek && s.greek != nullptr) return s.greek;
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

bool NegativeLockedByCore(std::string_view fontBytes, int core) {
  if (fontBytes.size() < 8 || core < 0 || core >= assembly::kCoreCount) return false;
  const int kind = assembly::GetFontTypeByte(fontBytes) & 0x7F;
  if (kind > 2) return false;
  return assembly::NegativeSetDropTable[static_cast<std::size_t>(kind * assembly::kCoreCount + core)] != 0;
}

}  // namespace wizard
