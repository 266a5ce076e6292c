// The fonts page's rules that need no window: the JAR size estimate by a trial build, the
// reserve and the fit of the fonts to the JAR size limit, the preset font names by interface
// language, the items of a font slot box and the negative boxes locked by the core.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/midletconfig.h"
#include "assembly/zipfile.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizard {

// The packed size of the JAR the record would give (the first midlet without book text for
// the lite and tiny editions), by a build in test mode; nothing when the trial build failed
// (its message went through the host).
std::optional<int> TrialJarSize(const assembly::BuildContext& context, const assembly::TMIDLETCONFIG& config);

// The JAR size estimate of the fonts page: TrialJarSize through a host that shows a failure
// only when it differs from `lastFault`, the last failure shown; a trial build that succeeds
// clears it. `context` gives the trial build's context for its host.
std::optional<int> EstimateJarSize(assembly::BuildHost& host, std::string& lastFault,
                                   const std::function<assembly::BuildContext(assembly::BuildHost&)>& context,
                                   const assembly::TMIDLETCONFIG& config);

// Bytes kept free below the JAR size limit: more for the book editions.
int JarReserve(bool bookEdition);

// estimate + reserve <= limit; a failed estimate never fits.
bool EstimateFits(std::optional<int> estimate, int reserve, int limit);

// The steps of the fit, in the order they are taken: negatives 5, 4, 3, 2, 1 cleared, then
// slots 5, 4 and 2 set to "None".
enum class FitStep { ClearNegative5, ClearNegative4, ClearNegative3, ClearNegative2, ClearNegative1,
                     EmptySlot5, EmptySlot4, EmptySlot2 };
inline constexpr int kFitStepCount = 8;

// What a step changes: the negative box of a slot (1..5), or the slot itself set to "None".
struct FitStepChange {
  int Slot = 0;
  bool Negative = false;
};
FitStepChange ChangeOf(FitStep step);

// Takes steps until estimate() + reserve <= limit or every step is taken; estimate() is asked
// once before the steps and once after each. A failed estimate ends the fit at once (another
// trial build would only fail again). Returns the number of steps taken.
int FitFonts(int limit, int reserve, const std::function<std::optional<int>()>& estimate,
             const std::function<void(FitStep)>& takeStep);

// The font a preset looks for in place of `name` under the interface language (Hebrew, Arabic
// and Greek have fonts of their own); empty matches nothing.
std::string PresetFontName(const std::string& name, int interfaceLanguage);

// Index of the first item holding `name` and, when the scheme is not empty, `scheme` (both
// case-sensitive); 0 ("None") when none does or the name is empty.
int FindPresetItem(const std::vector<std::string>& items, const std::string& name, const std::string& scheme);

// Display names of the catalogue fonts of a language group, in catalogue order; with bwOnly
// only black-and-white ones.
std::vector<std::string> CatalogueFontNames(const assembly::TFontCatalogue& catalogue, int group, bool bwOnly);

// The items of a font slot list: "None", the custom font item, then the catalogue fonts of
// the group (black-and-white ones only for black-and-white phones).
std::vector<std::string> FontSlotItems(const std::string& noneItem, const std::string& customItem,
                                       const assembly::TFontCatalogue& catalogue, int group, bool bwOnly);

// True when the core inverts fonts of the font's kind by itself, so its negative sheet never
// goes into the JAR. Bytes too short to hold the kind, or a kind the table does not know,
// count as a font whose negative sheet is kept.
bool NegativeLockedByCore(std::string_view fontBytes, int core);

// What a slot's negative box shows once its font is known.
enum class NegativeBox {
  Cleared,  // an empty slot: unchecked and disabled
  Locked,   // the core inverts the font: checked and disabled
  Free,     // enabled, as the user left it
};

// Decides the negative boxes of slots 1..5 for the record, whose slots `itemIndexes` shows
// (0 "None"), and hands each to `show` in slot order as soon as it is known. A font that cannot
// be read is reported through the host (a damaged one also ends the program) and ends the
// round there. True when every box was decided.
bool DecideNegativeBoxes(assembly::BuildHost& host, const assembly::TZipFile& archive,
                         const assembly::TMIDLETCONFIG& config, const std::array<int, 5>& itemIndexes,
                         const std::function<void(int slot, NegativeBox box)>& show);

}  // namespace wizard
